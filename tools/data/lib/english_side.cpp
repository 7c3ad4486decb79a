#include "english_side.hpp"

#include <algorithm>
#include <limits>
#include <map>

#include "core/word_map/builder.hpp"
#include "format/english_index.hpp"
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

struct Candidate {
    bool exact = false;
    std::size_t rank = std::numeric_limits<std::size_t>::max();
    std::size_t length = 0;
    std::uint32_t id = 0;
    std::uint8_t meaning = 0;
};

bool better(const Candidate& a, const Candidate& b) {
    if (a.exact != b.exact) return a.exact;
    if (a.rank != b.rank) return a.rank < b.rank;
    if (a.length != b.length) return a.length < b.length;
    return a.id < b.id;
}

}  // namespace

std::vector<std::string> english_keys(std::string_view meaning) {
    std::vector<std::string> keys;
    std::string item;
    const std::string text = without_brackets(meaning) + ",";
    for (const char c : text) {
        if (c != ',' && c != ';') {
            item += c;
            continue;
        }
        std::string key = lower_case(trim(item));
        item.clear();
        while (!key.empty() && (key.back() == '.' || key.back() == ':' || key.back() == '!' || key.back() == '?')) key.pop_back();
        if (key.empty() || key.size() > kMaxKeyBytes || word_count(key) > kMaxKeyWords) continue;
        keys.push_back(key);
        for (const std::string_view lead : {"to ", "a ", "an ", "the "}) {
            if (key.starts_with(lead) && key.size() > lead.size()) keys.push_back(key.substr(lead.size()));
        }
    }
    std::ranges::sort(keys);
    const auto [first, last] = std::ranges::unique(keys);
    keys.erase(first, last);
    return keys;
}

Result<EnglishFiles> build_english_side(const Entries& entries, const std::set<std::string, std::less<>>& generated,
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
                const std::string whole = lower_case(without_brackets(meaning));
                for (auto& key : english_keys(meaning)) {
                    const bool exact = whole == key || whole == "to " + key;
                    index[key].push_back({exact, ranked == rank.end() ? std::numeric_limits<std::size_t>::max() : ranked->second,
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

    EnglishFiles files;
    std::vector<std::uint8_t> body;
    if (auto empty = format::append_english_postings(body, {}); !empty) return forward(empty);
    word_map::WordMapBuilder words;
    std::vector<format::EnglishPosting> postings;
    for (auto& [key, candidates] : index) {
        std::uint64_t offset = 0;
        if (!candidates.empty()) {
            std::ranges::sort(candidates, better);
            postings.clear();
            for (const auto& candidate : candidates) {
                const bool seen = std::ranges::any_of(postings, [&](const auto& p) { return p.base_id == candidate.id; });
                if (seen || postings.size() == kMaxPostings) continue;
                postings.push_back({candidate.id, candidate.meaning});
            }
            offset = body.size();
            if (auto appended = format::append_english_postings(body, postings); !appended) return forward(appended);
            files.postings += postings.size();
        }
        if (auto inserted = words.insert(key, offset); !inserted) return forward(inserted, "building english.fst");
        ++files.keys;
    }
    auto fst = std::move(words).finish();
    if (!fst) return forward(fst, "building english.fst");
    files.english_fst = std::move(*fst);
    files.english_bin = format::write_english_bin(body);
    return files;
}

}  // namespace lomperi::data_build
