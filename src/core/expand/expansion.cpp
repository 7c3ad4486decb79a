#include "core/expand/expansion.hpp"

#include <algorithm>

namespace lomperi::expand {

namespace {

std::vector<std::vector<Expansion>> expand_children(const morphology::Dictionary& dictionary,
                                                    const format::GlossRecord& record, std::uint8_t depth,
                                                    Visited& visited) {
    std::vector<std::vector<Expansion>> children;
    if (depth >= kMaxDepth) return children;
    children.reserve(record.groups.size());
    for (const format::PosGroup& group : record.groups) {
        std::vector<Expansion>& list = children.emplace_back();
        for (const std::string& meaning : group.meanings) {
            std::vector<Expansion> nested = expand_meaning(dictionary, meaning, static_cast<std::uint8_t>(depth + 1), visited);
            std::ranges::move(nested, std::back_inserter(list));
        }
    }
    return children;
}

// Expands the first two candidates of an accepted phrase into `out`.
void accept_phrase(const morphology::Dictionary& dictionary, const std::string& phrase,
                   const std::vector<morphology::PhraseCandidate>& candidates, std::uint8_t depth, Visited& visited,
                   std::vector<Expansion>& out) {
    const std::size_t considered = std::min(kCandidatesPerPhrase, candidates.size());
    for (std::size_t k = 0; k < considered; ++k) {
        const morphology::PhraseCandidate& candidate = candidates[k];
        if (!has_groups(candidate) || out.size() >= kMaxExpansions) continue;
        const std::string& target = candidate.base ? *candidate.base : phrase;
        if (visited.contains(target)) continue;
        visited.insert(phrase);
        visited.insert(target);
        auto children = expand_children(dictionary, candidate.record, depth, visited);
        out.push_back({phrase, candidate.record, std::move(children), candidate.base});
    }
}

}  // namespace

std::vector<Expansion> expand_meaning(MeaningScan& scan, std::uint8_t depth, Visited& visited) {
    std::vector<Expansion> out;
    std::size_t at = 0;
    while (at < scan.size() && out.size() < kMaxExpansions) {
        std::size_t step = 1;
        for (std::size_t length = scan.longest_window(at); length >= 1; --length) {
            if (scan.too_short(at, length)) continue;
            const std::string& phrase = scan.phrase(at, length);
            if (visited.contains(phrase)) {
                step = length;
                break;
            }
            const auto& candidates = scan.candidates(at, length);
            if (std::ranges::none_of(candidates, has_groups)) continue;
            accept_phrase(scan.dictionary(), phrase, candidates, depth, visited, out);
            step = length;
            break;
        }
        at += step;
    }
    return out;
}

std::vector<Expansion> expand_meaning(const morphology::Dictionary& dictionary, std::string_view meaning,
                                      std::uint8_t depth, Visited& visited) {
    MeaningScan scan(dictionary, meaning);
    return expand_meaning(scan, depth, visited);
}

}  // namespace lomperi::expand
