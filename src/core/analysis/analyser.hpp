#pragma once
// The morphological analyser: voikko-fi's transducer (mor.vfst), walked on
// the letters of a word. Each path that reads the whole word gives one raw
// analysis, its output side: tags such as "[Ln]", "[Sine]" between the
// surface letters of the word's parts (voikko_tags.hpp reads them).
#include <cstddef>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.hpp"
#include "base/chunk_checks.hpp"
#include "base/error.hpp"
#include "format/vfst.hpp"

namespace lomperi::analysis {

// Bounds on the work of one word, as voikko's own reader has them.
inline constexpr std::size_t kMaxAnalysedChars = 255;
inline constexpr std::size_t kMaxRawAnalyses = 99;
inline constexpr std::uint32_t kMaxStepsPerAnalysis = 100000;
inline constexpr std::size_t kMaxPathDepth = 2000;

class Analyser {
public:
    // An analyser without a transducer: no word has an analysis.
    Analyser() = default;
    // Reads the transducer's header and symbols; its cells are checked in
    // full the first time a word is analysed.
    static Result<Analyser> open(Bytes file, ChunkChecks checks = {});

    bool available() const { return vfst_.symbol_count() > 0; }

    // The raw analyses of `word`, lower-cased first, in the transducer's
    // order; none for a character it does not know. None either when the
    // walk over it reads damaged cells, or the symbols are damaged: a read
    // that met damage (DamageWatch).
    std::vector<std::string> raw_analyses(std::string_view word) const;

    // How many letters from the start of a word without analyses decide that
    // it has none: no word that begins with these letters has one either
    // (a walk reads a letter only towards a state that can read the next).
    // The word's length in letters when it has an analysis, or when a bound
    // cut the walk short.
    std::size_t deciding_letters(std::string_view word) const;

    // The transducer, for walks other than analysis (generator.hpp); none
    // when there is none or any of its chunks is damaged.
    const format::Vfst* intact_transducer() const;

    // Which opened transducer this is: copies share it, no two opens do
    // (0: none), so that what is derived from one can be kept for it.
    std::uint64_t transducer_number() const { return number_; }

private:
    // What the first analysis finds of the file, checking every chunk: when
    // it is all intact, walks read without checks.
    enum : std::uint8_t { kUnchecked, kIntact, kCellsDamaged, kSymbolsDamaged };
    std::uint8_t state() const;

    format::Vfst vfst_;
    std::uint64_t number_ = 0;  // of the transducers opened, this one's: shared by copies
    ChunkChecks checks_;
    Bytes symbols_;  // the header and the symbol table, before the cells
    // Shared by copies, so that the transducer is checked once.
    mutable std::shared_ptr<std::atomic<std::uint8_t>> state_ = std::make_shared<std::atomic<std::uint8_t>>(kUnchecked);
};

}  // namespace lomperi::analysis
