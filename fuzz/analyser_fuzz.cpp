// The analyser. Even bytes first: the rest is a word for the real transducer
// (voikko-fi's, from the data directory). Odd: the rest is the transitions of
// a small transducer with flag diacritics, analysing a few words. Whatever
// the bytes, every read stays within the transducer, the work per word is
// bounded, and the outputs are read as readings without fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "base/bytes.hpp"
#include "core/analysis/analyser.hpp"
#include "core/analysis/reading.hpp"
#include "transducers.hpp"

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

// The symbols of voikko-fi's kinds, for the fuzzer's cells to use.
std::vector<std::uint8_t> small_transducer(const std::uint8_t* cells, std::size_t size) {
    return fuzzing::small_transducer({"", "@P.CASE.A@", "@R.CASE.A@", "@U.CASE.B@", "@D.CASE@", "@C.CASE@", "a", "b", "ä",
                                      "-", "[Ln]", "[Xp]", "[X]", "[Sine]", "[Bc]", "[Ny]"},
                                     cells, size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    if (data[0] % 2 == 0) {
        if (const auto& analyser = fuzzing::real_analyser()) {
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
