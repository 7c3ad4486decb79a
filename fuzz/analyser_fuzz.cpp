// The analyser. Even bytes first: the rest is a word for the real transducer
// (voikko-fi's, from the data directory). Odd: the rest is the transitions of
// a small transducer with flag diacritics, analysing a few words. Whatever
// the bytes, every read stays within the transducer, the work per word is
// bounded, and the outputs are read as readings without fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "base/bytes.hpp"
#include "core/analysis/analyser.hpp"
#include "core/analysis/reading.hpp"

namespace {

using namespace lomperi;

void read_all(const analysis::Analyser& analyser, std::string_view word) {
    const auto raw = analyser.raw_analyses(word);
    if (raw.size() > analysis::kMaxRawAnalyses) std::abort();
    const auto readings =
        analysis::readings_of(word, raw, [&](std::string_view stem) { return analyser.raw_analyses(stem); });
    for (const auto& reading : readings) {
        if (reading.lemma.size() > 4096) std::abort();
    }
}

const std::optional<analysis::Analyser>& real_analyser() {
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

// A header and symbol table like voikko-fi's (epsilon, flags, letters, tags),
// then the fuzzer's bytes as cells.
std::vector<std::uint8_t> small_transducer(const std::uint8_t* cells, std::size_t size) {
    std::vector<std::uint8_t> out;
    append_u32(out, 0x00013A6E);
    append_u32(out, 0x000351FA);
    append_u64(out, 0);
    const char* symbols[] = {"",     "@P.CASE.A@", "@R.CASE.A@", "@U.CASE.B@", "@D.CASE@", "@C.CASE@", "a", "b",
                             "ä",    "-",          "[Ln]",       "[Xp]",       "[X]",      "[Sine]",   "[Bc]", "[Ny]"};
    append_u16(out, static_cast<std::uint16_t>(std::size(symbols)));
    for (const char* symbol : symbols) {
        append_bytes(out, as_bytes(std::string_view(symbol)));
        out.push_back(0);
    }
    while (out.size() % 8 != 0) out.push_back(0);
    out.insert(out.end(), cells, cells + size);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    if (data[0] % 2 == 0) {
        if (const auto& analyser = real_analyser()) {
            read_all(*analyser, std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
        }
        return 0;
    }
    const auto bytes = small_transducer(data + 1, size - 1);
    const auto analyser = analysis::Analyser::open(bytes);
    if (!analyser) return 0;
    for (const char* word : {"a", "ab", "aab", "ä-b", "abababab", "b"}) read_all(*analyser, word);
    return 0;
}
