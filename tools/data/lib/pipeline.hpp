#pragma once
// The data build as one pipeline of the steps data/README.md numbers, from
// the sources held in memory to the finished data set. The data tool reads
// the sources and writes the result; the tests run the same pipeline on
// small sources with an analyser of recorded analyses.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "assembly.hpp"
#include "base/bytes.hpp"
#include "base/error.hpp"
#include "catalogues.hpp"
#include "core/morphology/data_set.hpp"
#include "dictd.hpp"
#include "gloss_merge.hpp"
#include "sense_evidence.hpp"
#include "vfst.hpp"

namespace lomperi::data_build {

struct Sources {
    std::vector<DictdRecord> finnish_english;
    std::vector<DictdRecord> english_finnish;
    std::vector<std::string> listed_forms;   // the spelling dictionary's word forms
    std::vector<std::string> frequency;      // most frequent first
    Bytes transducer;                        // voikko-fi's mor.vfst
    std::vector<std::string> english_words;  // the English word list
    // English word lists of growing size (a word in a smaller one is more
    // common), for the order of the inverted meanings.
    std::vector<std::vector<std::string>> english_by_commonness;
    // Evidence of the everyday senses: English words, most frequent first,
    // and the English messages of software with their Finnish translations.
    std::vector<std::string> english_by_frequency;
    std::vector<CataloguePair> catalogues;
};

// "name | value" rows for data/README.md.
using CountRows = std::vector<std::pair<std::string, std::size_t>>;

struct BuiltDataSet {
    morphology::DataSet data;
    CountRows counts;
};

// Progress lines for the one who runs the build.
using Note = std::function<void(const std::string&)>;

// Steps 1, 2 and 8: the Finnish-English records, the inverted
// English-Finnish ones, cleaned and ordered, the everyday sense first where
// `evidence` shows it clearly.
MergedGlosses merge_glosses(const std::vector<DictdRecord>& finnish_english,
                            const std::vector<DictdRecord>& english_finnish,
                            const std::vector<std::vector<std::string>>& english_by_commonness = {},
                            const OwnPartsOfSpeech& own_pos = {}, const SenseEvidence* evidence = nullptr);

// The evidence of the everyday senses from the sources, the catalogues'
// Finnish words read with `analyze`.
SenseEvidence sense_evidence(const Sources& sources, const Analyzer& analyze);

// Step 3: the analyser's own paradigms, walked from its transducer: every
// inflected form without compound boundaries or digits, with one derivation
// or one possessive suffix or one clitic, never two of them.
struct Paradigms {
    std::vector<std::string> all;
    std::vector<std::string> plain;  // case, number and comparison only
};
Paradigms walk_paradigms(const Vfst& vfst);

// Steps 1 to 9, then the data set written through the one data-set writer.
Result<BuiltDataSet> build_data_set(Sources sources, const AnalyzerFactory& analyzers, unsigned threads,
                                    const Note& note = {});

}  // namespace lomperi::data_build
