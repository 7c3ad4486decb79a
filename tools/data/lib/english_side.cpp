#include "english_side.hpp"

#include <algorithm>
#include <limits>
#include <map>

#include "core/morphology/english_keys.hpp"

namespace lomperi::data_build {
namespace {

struct Candidate {
    std::uint8_t tier = 0;
    std::size_t rank = std::numeric_limits<std::size_t>::max();
    std::size_t length = 0;
    std::uint32_t id = 0;
    std::uint8_t meaning = 0;
};

bool better(const Candidate& a, const Candidate& b) {
    if (a.tier != b.tier) return a.tier < b.tier;
    if (a.rank != b.rank) return a.rank < b.rank;
    if (a.length != b.length) return a.length < b.length;
    return a.id < b.id;
}

}  // namespace

std::vector<std::string> english_keys(std::string_view meaning) {
    std::vector<std::string> keys;
    for (auto& key : morphology::meaning_keys(meaning)) keys.push_back(std::move(key.key));
    std::ranges::sort(keys);
    const auto [first, last] = std::ranges::unique(keys);
    keys.erase(first, last);
    return keys;
}

Result<EnglishSide> build_english_side(const Entries& entries, const std::set<std::string, std::less<>>& generated,
                                        const std::unordered_map<std::string_view, std::size_t>& rank,
                                        const std::vector<std::string>& word_list) {
    std::map<std::string, std::vector<Candidate>> index;
    std::uint32_t id = 0;
    for (const auto& [headword, groups] : entries) {
        const std::uint32_t own = id++;
        if (generated.contains(headword)) continue;
        const auto ranked = rank.find(headword);
        std::size_t number = 0;
        for (const auto& group : groups) {
            for (const auto& meaning : group.meanings) {
                const std::size_t k = number++;
                if (k > 255) continue;
                for (auto& [key, tier] : morphology::meaning_keys(meaning)) {
                    index[key].push_back({tier, ranked == rank.end() ? std::numeric_limits<std::size_t>::max() : ranked->second,
                                          meaning.size(), own, static_cast<std::uint8_t>(k)});
                }
            }
        }
    }
    for (const auto& word : word_list) {
        if (std::string key = morphology::word_list_key(word); !key.empty()) index.try_emplace(std::move(key));
    }

    morphology::EnglishWriter writer;
    std::vector<format::EnglishPosting> postings;
    for (auto& [key, candidates] : index) {
        std::ranges::sort(candidates, better);
        postings.clear();
        for (const auto& candidate : candidates) {
            const bool seen = std::ranges::any_of(postings, [&](const auto& p) { return p.base_id == candidate.id; });
            if (seen || postings.size() == kMaxPostings) continue;
            postings.push_back({candidate.id, candidate.meaning});
        }
        if (auto added = writer.add(key, postings); !added) return forward(added);
    }
    EnglishSide side{writer.keys(), writer.postings(), {}};
    auto files = std::move(writer).finish();
    if (!files) return forward(files);
    side.files = std::move(*files);
    return side;
}

}  // namespace lomperi::data_build
