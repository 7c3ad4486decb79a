#pragma once
// Small transducers in voikko's file format, written state by state.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "base/bytes.hpp"
#include "base/utf8.hpp"
#include "core/analysis/analyser.hpp"

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

// A tiny dictionary as voikko-fi's analyser would have it: each output
// ("[Ln][Xp]talo[X]talo[Sine][Ny]ssa") one path from the start, which reads
// its surface letters and writes them, and writes its tags and the letters
// of its base forms ([Xp]..[X]) without reading.
inline std::vector<std::uint8_t> lexicon(const std::vector<std::string>& outputs) {
    std::vector<std::vector<std::string>> tokens;
    std::vector<std::string> letters;
    std::vector<std::string> tags;
    for (std::string_view output : outputs) {
        auto& path = tokens.emplace_back();
        while (!output.empty()) {
            const std::size_t length = output.front() == '[' ? output.find(']') + 1 : decode_utf8(output).length;
            path.emplace_back(output.substr(0, length));
            auto& kind = path.back().front() == '[' ? tags : letters;
            if (std::find(kind.begin(), kind.end(), path.back()) == kind.end()) kind.push_back(path.back());
            output.remove_prefix(length);
        }
    }
    std::vector<std::string> symbols{""};
    symbols.insert(symbols.end(), letters.begin(), letters.end());
    symbols.insert(symbols.end(), tags.begin(), tags.end());
    const auto symbol = [&](const std::string& text) {
        return static_cast<std::uint16_t>(std::find(symbols.begin(), symbols.end(), text) - symbols.begin());
    };
    std::vector<TestState> states(1);
    for (const auto& path : tokens) {
        states[0].arcs.emplace_back(0, 0, static_cast<std::uint32_t>(states.size()));
        bool base_form = false;
        for (const auto& token : path) {
            if (token.starts_with("[X")) base_form = token != "[X]";
            const bool reads = !base_form && !token.starts_with('[');
            const auto next = static_cast<std::uint32_t>(states.size() + 1);
            states.push_back({false, {{reads ? symbol(token) : std::uint16_t{0}, symbol(token), next}}});
        }
        states.push_back({true, {}});
    }
    return transducer(symbols, states);
}

// An analyser over a transducer's bytes, which it keeps for the analyser's
// lifetime; without a transducer when they do not open.
struct OpenedTransducer {
    std::vector<std::uint8_t> bytes;
    analysis::Analyser analyser;
    bool opened = false;
};

inline OpenedTransducer open_transducer(std::vector<std::uint8_t> bytes) {
    OpenedTransducer opened{std::move(bytes), {}, false};
    auto analyser = analysis::Analyser::open(opened.bytes);
    if (!analyser) return opened;
    opened.analyser = std::move(*analyser);
    opened.opened = true;
    return opened;
}

}  // namespace lomperi::testing
