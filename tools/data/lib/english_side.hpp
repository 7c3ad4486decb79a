#pragma once
// The English side of the data set, built from the meanings: every English
// word or phrase of a meaning leads to the Finnish headwords whose meanings
// hold it, best first; and the words of an English word list, so that the
// program can tell English words in meanings.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "assembly.hpp"
#include "base/error.hpp"
#include "core/morphology/english_writer.hpp"

namespace lomperi::data_build {

inline constexpr std::size_t kMaxPostings = 100;

// The English keys of one meaning (morphology::meaning_keys), sorted, each
// once. Postings rank a headword higher when the key is the meaning's first
// item, then when the item has no description, then by frequency, then by
// shorter meaning.
std::vector<std::string> english_keys(std::string_view meaning);

struct EnglishSide {
    std::uint64_t keys = 0;
    std::size_t postings = 0;
    morphology::EnglishFiles files;
};

// `entries` in headword order (a headword's id is its position); the
// headwords in `generated` (compounds, names, form entries) are left out of
// the index; `rank` is a headword's position in the frequency list.
Result<EnglishSide> build_english_side(const Entries& entries, const std::set<std::string, std::less<>>& generated,
                                        const std::unordered_map<std::string_view, std::size_t>& rank,
                                        const std::vector<std::string>& word_list);

}  // namespace lomperi::data_build
