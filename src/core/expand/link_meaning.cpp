#include "core/expand/link_meaning.hpp"

#include <algorithm>
#include <optional>

#include "base/outer_marks.hpp"

namespace lomperi::expand {

namespace {

// The headword a click on the phrase should show, when it has an entry.
std::optional<std::string> link_target(MeaningScan& scan, std::size_t at, std::size_t length) {
    const auto& candidates = scan.candidates(at, length);
    const auto found = std::ranges::find_if(candidates, has_groups);
    if (found == candidates.end()) return std::nullopt;
    return found->base ? *found->base : scan.phrase(at, length);
}

}  // namespace

std::vector<LinkSpan> link_meaning(MeaningScan& scan, const Visited& excluded) {
    std::vector<LinkSpan> spans;
    std::size_t at = 0;
    while (at < scan.size()) {
        std::size_t step = 1;
        for (std::size_t length = scan.longest_window(at); length >= 1; --length) {
            if (scan.too_short(at, length) || excluded.contains(scan.phrase(at, length))) continue;
            std::optional<std::string> target = link_target(scan, at, length);
            if (!target) continue;
            const WordToken& first = scan.token(at);
            const WordToken& last = scan.token(at + length - 1);
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

std::vector<LinkSpan> link_meaning(const morphology::Dictionary& dictionary, std::string_view meaning,
                                   const Visited& excluded) {
    MeaningScan scan(dictionary, meaning);
    return link_meaning(scan, excluded);
}

}  // namespace lomperi::expand
