#include "english_side.hpp"

#include <algorithm>
#include <limits>
#include <map>

#include "text.hpp"
#include "word_case.hpp"

namespace lomperi::data_build {
namespace {

constexpr std::size_t kMaxKeyWords = 5;

// The text without its parenthesised parts, spaces collapsed.
std::string without_brackets(std::string_view text) {
    std::string out;
    int depth = 0;
    for (const char c : text) {
        if (c == '(' || c == '[') ++depth;
        if (depth == 0) out += c;
        if ((c == ')' || c == ']') && depth > 0) --depth;
    }
    return collapse_spaces(out);
}

std::size_t word_count(std::string_view text) {
    return static_cast<std::size_t>(std::ranges::count(text, ' ')) + (text.empty() ? 0 : 1);
}

// One English key of a meaning, and how well it stands for the meaning: the
// first item, and an item without a description, are the general senses.
struct MeaningKey {
    std::string key;
    std::uint8_t tier = 0;  // 0 first plain item, 1 later plain, 2 first described, 3 later described
};

// The items of a meaning: split at commas and semicolons outside brackets.
std::vector<std::string> meaning_items(std::string_view meaning) {
    std::vector<std::string> items(1);
    int depth = 0;
    for (const char c : meaning) {
        if (c == '(' || c == '[') ++depth;
        if ((c == ')' || c == ']') && depth > 0) --depth;
        if (depth == 0 && (c == ',' || c == ';')) {
            items.emplace_back();
            continue;
        }
        items.back() += c;
    }
    return items;
}

std::vector<MeaningKey> meaning_keys(std::string_view meaning) {
    std::vector<MeaningKey> keys;
    std::size_t number = 0;
    for (const auto& item : meaning_items(meaning)) {
        std::string key = lower_case(trim(without_brackets(item)));
        while (!key.empty() && (key.back() == '.' || key.back() == ':' || key.back() == '!' || key.back() == '?')) key.pop_back();
        if (key.empty() || key.size() > kMaxKeyBytes || word_count(key) > kMaxKeyWords) continue;
        const bool described = item.find_first_of("([") != std::string::npos;
        const auto tier = static_cast<std::uint8_t>((number++ == 0 ? 0 : 1) + (described ? 2 : 0));
        for (const std::string_view lead : {"to ", "a ", "an ", "the "}) {
            if (key.starts_with(lead) && key.size() > lead.size()) keys.push_back({key.substr(lead.size()), tier});
        }
        keys.push_back({std::move(key), tier});
    }
    return keys;
}

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
    for (auto& key : meaning_keys(meaning)) keys.push_back(std::move(key.key));
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
                for (auto& [key, tier] : meaning_keys(meaning)) {
                    index[key].push_back({tier, ranked == rank.end() ? std::numeric_limits<std::size_t>::max() : ranked->second,
                                          meaning.size(), own, static_cast<std::uint8_t>(k)});
                }
            }
        }
    }
    for (const auto& word : word_list) {
        std::string key = lower_case(word);
        if (key.ends_with("'s")) key.resize(key.size() - 2);
        if (!key.empty() && key.size() <= kMaxKeyBytes) index.try_emplace(std::move(key));
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
