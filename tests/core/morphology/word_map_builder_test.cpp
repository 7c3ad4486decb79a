#include "core/morphology/word_map_builder.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/morphology/word_map.hpp"

namespace lomperi::morphology {
namespace {

using Pairs = std::vector<std::pair<std::string, std::uint64_t>>;

std::vector<std::pair<std::string, std::uint64_t>> drain(WordMapStream stream) {
    std::vector<std::pair<std::string, std::uint64_t>> out;
    while (auto entry = stream.next()) out.emplace_back(std::string(as_text(entry->key)), entry->value);
    return out;
}

WordMap open_built(const std::vector<std::uint8_t>& bytes) {
    auto map = WordMap::open(bytes);
    EXPECT_TRUE(map.has_value());
    return map.value_or(WordMap{});
}

// Keys over a small alphabet share many prefixes and suffixes; the wide one
// reaches every byte value and nodes with more than 32 and 63 transitions.
struct KeySetCase {
    const char* name;
    unsigned seed;
    int count;
    int max_length;
    int alphabet;            // bytes 'a'.. or, when 256, every byte value
    std::uint64_t max_value;  // values drawn from [0, max_value]
};

const KeySetCase kKeySets[] = {
    {"tiny_alphabet", 1, 400, 6, 3, 10},
    {"letters_small_values", 2, 3000, 12, 26, 1000},
    {"letters_wide_values", 3, 3000, 10, 26, UINT64_MAX},
    {"all_bytes", 4, 5000, 5, 256, 1u << 20},
    {"zero_values", 5, 2000, 8, 8, 0},
    {"long_keys", 6, 300, 90, 4, 1u << 16},
};

std::map<std::string, std::uint64_t> random_keys(const KeySetCase& c) {
    std::mt19937_64 rng(c.seed);
    std::map<std::string, std::uint64_t> keys;
    std::uniform_int_distribution<int> length(1, c.max_length);
    std::uniform_int_distribution<int> byte(0, c.alphabet - 1);
    std::uniform_int_distribution<std::uint64_t> value(0, c.max_value);
    while (static_cast<int>(keys.size()) < c.count) {
        std::string key(static_cast<std::size_t>(length(rng)), '\0');
        for (char& ch : key) ch = static_cast<char>(c.alphabet == 256 ? byte(rng) : 'a' + byte(rng));
        keys[key] = value(rng);
    }
    return keys;
}

Pairs prefix_range(const std::map<std::string, std::uint64_t>& keys, const std::string& prefix) {
    Pairs out;
    for (auto it = keys.lower_bound(prefix); it != keys.end() && it->first.starts_with(prefix); ++it) {
        out.emplace_back(it->first, it->second);
    }
    return out;
}

class RoundTrip : public testing::TestWithParam<KeySetCase> {};

TEST_P(RoundTrip, MatchesSortedMap) {
    auto keys = random_keys(GetParam());
    Pairs sorted(keys.begin(), keys.end());
    auto bytes = build_word_map(sorted);
    ASSERT_TRUE(bytes.has_value()) << bytes.error().message();
    WordMap map = open_built(*bytes);

    EXPECT_EQ(map.len(), keys.size());
    EXPECT_EQ(drain(map.stream()), sorted);
    std::set<std::string> prefixes;
    for (const auto& [key, value] : keys) {
        ASSERT_EQ(map.get(key), value) << key;
        for (std::size_t n = 0; n <= key.size(); ++n) prefixes.insert(key.substr(0, n));
        prefixes.insert(key + '\x01');
        prefixes.insert(key.substr(0, key.size() - 1) + '\xff');
    }
    for (const std::string& prefix : prefixes) {
        auto found = keys.find(prefix);
        ASSERT_EQ(map.get(prefix), found == keys.end() ? std::nullopt : std::optional(found->second)) << prefix;
        ASSERT_EQ(drain(map.prefix_stream(prefix)), prefix_range(keys, prefix)) << prefix;
    }
}

INSTANTIATE_TEST_SUITE_P(KeySets, RoundTrip, testing::ValuesIn(kKeySets),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lomperi::morphology
