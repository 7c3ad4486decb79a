#pragma once
// Headword search: the headwords that begin with what was typed.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/word_map/word_map.hpp"

namespace lomperi::morphology {

// The length of both lists shown beside the entry pane.
inline constexpr std::size_t kListLimit = 100;

struct HeadwordMatch {
    std::string headword;
    std::string meaning;  // searching by English: the meaning that holds the English words
    friend bool operator==(const HeadwordMatch&, const HeadwordMatch&) = default;
};

// The keys of `glosses` that begin with the bytes of `query`, in byte order,
// at most `limit` of them. No normalisation of any kind; keys that are not
// UTF-8 are skipped and do not count.
std::vector<HeadwordMatch> search_headwords(const word_map::WordMap& glosses, std::string_view query, std::size_t limit);

}  // namespace lomperi::morphology
