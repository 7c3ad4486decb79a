#pragma once
// The transducers the fuzz targets walk: voikko-fi's, read once from the
// data directory, and small ones whose cells are the fuzzer's bytes.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string_view>
#include <vector>

#include "base/bytes.hpp"
#include "core/analysis/analyser.hpp"

namespace lomperi::fuzzing {

inline const std::optional<analysis::Analyser>& real_analyser() {
    static const std::vector<std::uint8_t> bytes = [] {
        std::ifstream in(LOMPERI_MOR_VFST, std::ios::binary);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
    }();
    static const std::optional<analysis::Analyser> analyser = [] {
        auto opened = analysis::Analyser::open(bytes);
        return opened ? std::optional(std::move(*opened)) : std::nullopt;
    }();
    return analyser;
}

// A header and a symbol table like voikko-fi's (epsilon, flags, letters,
// tags), then `cells` as they are.
inline std::vector<std::uint8_t> small_transducer(std::initializer_list<std::string_view> symbols,
                                                  const std::uint8_t* cells, std::size_t size) {
    std::vector<std::uint8_t> out;
    append_u32(out, 0x00013A6E);
    append_u32(out, 0x000351FA);
    append_u64(out, 0);
    append_u16(out, static_cast<std::uint16_t>(symbols.size()));
    for (const std::string_view symbol : symbols) {
        append_bytes(out, as_bytes(symbol));
        out.push_back(0);
    }
    while (out.size() % 8 != 0) out.push_back(0);
    out.insert(out.end(), cells, cells + size);
    return out;
}

}  // namespace lomperi::fuzzing
