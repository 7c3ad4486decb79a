#include "core/expand/link_meaning.hpp"

#include <algorithm>
#include <optional>

#include "core/expand/phrase_window.hpp"
#include "base/outer_marks.hpp"
#include "core/expand/make_phrase.hpp"
#include "core/morphology/phrase_lookup.hpp"

namespace lomperi::expand {

namespace {

// The headword a click on `phrase` should show, when it has an entry.
std::optional<std::string> link_target(const morphology::Dictionary& dictionary, const std::string& phrase) {
    std::vector<morphology::PhraseCandidate> candidates = morphology::lookup_phrase(dictionary, phrase);
    auto found = std::ranges::find_if(candidates, [](const auto& c) { return !c.record.groups.empty(); });
    if (found == candidates.end()) return std::nullopt;
    return found->base ? std::move(*found->base) : phrase;
}

}  // namespace

std::vector<LinkSpan> link_meaning(const morphology::Dictionary& dictionary, std::string_view meaning,
                                   const Visited& excluded) {
    const MeaningWords words(meaning);
    std::vector<LinkSpan> spans;
    std::size_t at = 0;
    while (at < words.size()) {
        std::size_t step = 1;
        for (std::size_t length = words.longest_window(at); length >= 1; --length) {
            const std::string phrase = words.phrase(at, length);
            if (too_short(phrase) || excluded.contains(phrase)) continue;
            if (!words.may_be_finnish(dictionary, at, length, phrase)) continue;
            std::optional<std::string> target = link_target(dictionary, phrase);
            if (!target) continue;
            const WordToken& first = words.tokens[at];
            const WordToken& last = words.tokens[at + length - 1];
            const std::size_t start = first.start + leading_marks(first.text);
            const std::size_t end = last.end - trailing_marks(last.text);
            if (start >= end) continue;
            spans.push_back({std::move(*target), start, end});
            step = length;
            break;
        }
        at += step;
    }
    return spans;
}

}  // namespace lomperi::expand
