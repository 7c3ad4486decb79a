#include "core/morphology/headword_search.hpp"

#include "base/utf8.hpp"

namespace lomperi::morphology {

std::vector<HeadwordMatch> search_headwords(const word_map::WordMap& glosses, std::string_view query, std::size_t limit) {
    std::vector<HeadwordMatch> matches;
    if (query.empty() || limit == 0) return matches;
    word_map::WordMapStream stream = glosses.prefix_stream(query);
    while (matches.size() < limit) {
        std::optional<word_map::WordMapEntry> entry = stream.next();
        if (!entry) break;
        std::optional<std::string_view> text = utf8_text(entry->key);
        if (!text) continue;
        matches.push_back({std::string(*text), {}});
    }
    return matches;
}

}  // namespace lomperi::morphology
