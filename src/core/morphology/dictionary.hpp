#pragma once
// The loaded data set: both word maps, the gloss store, the multi-index, the
// headwords by base id and the English side, opened at start-up from the
// embedded arrays without copying them.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/analyser.hpp"
#include "core/morphology/data_files.hpp"
#include "core/morphology/gloss_store.hpp"
#include "core/word_map/word_map.hpp"
#include "base/bytes.hpp"
#include "base/chunk_checks.hpp"
#include "base/error.hpp"
#include "format/gloss.hpp"
#include "format/english_index.hpp"
#include "format/headword_ranks.hpp"
#include "format/multi_index.hpp"
#include "core/morphology/headword_list.hpp"

namespace lomperi::morphology {

struct GlossHalf {
    GlossStore gloss_store;
    word_map::WordMap glosses;
};

struct InflectionHalf {
    format::MultiIndex multi;
    HeadwordList headwords;
    word_map::WordMap inflections;
};

// The English side, when the data set has it: English words and phrases
// (english.fst, also every word of an English word list) and for each the
// Finnish headwords whose meanings hold it (english.bin).
struct EnglishIndex {
    word_map::WordMap words;  // English word or phrase -> postings offset
    format::EnglishPostings postings;
};

std::uint64_t next_dictionary_serial();

// The checksums of each file's chunks, from checksums.bin; none for a file
// it does not list (or without it).
using DataChecks = std::array<ChunkChecks, kDataFileCount>;

struct Dictionary {
    GlossStore gloss_store;
    word_map::WordMap glosses;  // headword -> record offset in the gloss store's plain body
    format::MultiIndex multi;
    HeadwordList headwords;  // every glosses key in key order; index = base id
    word_map::WordMap inflections;                 // word form -> inflection target
    std::optional<EnglishIndex> english;           // absent in data sets without english.fst
    analysis::Analyser analyser;                             // without mor.vfst, no word has an analysis
    format::HeadwordRanks ranks;                   // without headword-ranks.bin, every headword unranked
    DataChecks checks{};                           // shared with the parts above: what they found damaged
    // Tells this data set from any other loaded in the process, for what is
    // kept of it between calls (a copy keeps it: it answers the same).
    std::uint64_t serial = next_dictionary_serial();

    // The decoded record of `headword`, or nothing when it is no key or its
    // record does not decode.
    std::optional<format::GlossRecord> gloss_record(std::string_view headword) const;
};

Result<GlossHalf> load_glosses(Bytes glosses_fst, Bytes glosses_bin, const DataChecks& checks = {});
// `multi_offsets_bin` and `headwords_bin` may be empty: the multi entries are
// then walked and the headwords listed from `glosses`.
Result<InflectionHalf> load_inflections(Bytes inflections_fst, Bytes multi_bin, Bytes multi_offsets_bin, Bytes headwords_bin,
                                        const word_map::WordMap& glosses, const DataChecks& checks = {});

bool has_english(const Dictionary& dictionary);

// Whether the lower-case word or phrase is English: a key of the English
// index or a word of the English word list. False without an English side.
bool is_english(const Dictionary& dictionary, std::string_view phrase);

// The English side of a data set; nothing when both files are empty.
Result<std::optional<EnglishIndex>> load_english(Bytes english_fst, Bytes english_bin, const DataChecks& checks = {});

// The base id of a headword: its position among all headwords.
std::optional<std::uint32_t> base_id(const Dictionary& dictionary, std::string_view headword);

// load_glosses, then load_inflections, then load_english; the first error
// ends the load. With checksums.bin, every file it lists must have the size
// it says and intact first and last chunks; its other chunks are checked as
// they are read.
Result<Dictionary> load_dictionary(const DataFiles& files);

}  // namespace lomperi::morphology
