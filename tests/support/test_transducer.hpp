#pragma once
// Small transducers in voikko's file format, written state by state.
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "base/bytes.hpp"

namespace lomperi::testing {

// A transducer in the file format: the symbols, then states as lists of
// (input, output, target) with a final marker.
struct TestState {
    bool final = false;
    std::vector<std::tuple<std::uint16_t, std::uint16_t, std::uint32_t>> arcs;
};

inline std::vector<std::uint8_t> transducer(const std::vector<std::string>& symbols, const std::vector<TestState>& states) {
    std::vector<std::uint8_t> out;
    append_u32(out, 0x00013A6E);
    append_u32(out, 0x000351FA);
    append_u64(out, 0);
    append_u16(out, static_cast<std::uint16_t>(symbols.size()));
    for (const auto& symbol : symbols) {
        append_bytes(out, as_bytes(symbol));
        out.push_back(0);
    }
    while (out.size() % 8 != 0) out.push_back(0);
    // Each state takes one cell per arc and one for the final marker; cells are numbered from 0.
    std::vector<std::uint32_t> first;
    std::uint32_t next = 0;
    for (const auto& state : states) {
        first.push_back(next);
        next += static_cast<std::uint32_t>(state.arcs.size() + (state.final ? 1 : 0));
    }
    for (const auto& state : states) {
        std::vector<std::tuple<std::uint16_t, std::uint16_t, std::uint32_t>> cells;
        if (state.final) cells.emplace_back(0xFFFF, 0, 0);
        for (const auto& [in, out_symbol, target] : state.arcs) cells.emplace_back(in, out_symbol, first[target]);
        for (std::size_t k = 0; k < cells.size(); ++k) {
            const auto& [in, out_symbol, target] = cells[k];
            append_u16(out, in);
            append_u16(out, out_symbol);
            const std::uint32_t more = k == 0 ? static_cast<std::uint32_t>(cells.size() - 1) : 0;
            append_u32(out, target | (more << 24));
        }
    }
    return out;
}

}  // namespace lomperi::testing
