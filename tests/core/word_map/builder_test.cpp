#include "core/word_map/builder.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "base/crc32c.hpp"
#include "core/word_map/word_map.hpp"
#include "test_support.hpp"

namespace lomperi::word_map {
namespace {

using testing_support::drain;
using testing_support::Pairs;

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


struct OrderCase {
    const char* name;
    Pairs keys;
    const char* offending;  // how the error names the two keys
};

const OrderCase kOrderCases[] = {
    {"duplicate", {{"ab", 1}, {"ab", 2}}, R"("ab" after "ab")"},
    {"descending", {{"b", 1}, {"a", 2}}, R"("a" after "b")"},
    {"prefix_after_extension", {{"abc", 1}, {"ab", 2}}, R"("ab" after "abc")"},
    {"empty_key_not_first", {{"a", 1}, {"", 2}}, R"("" after "a")"},
    {"high_byte_before_low", {{"\xff", 1}, {"\x01", 2}}, R"("\x01" after "\xff")"},
};

class Order : public testing::TestWithParam<OrderCase> {};

TEST_P(Order, RejectsKeysNotStrictlyAscending) {
    WordMapBuilder builder;
    const Pairs& keys = GetParam().keys;
    ASSERT_TRUE(builder.insert(keys[0].first, keys[0].second).has_value());
    auto second = builder.insert(keys[1].first, keys[1].second);
    ASSERT_FALSE(second.has_value());
    EXPECT_EQ(second.error().message(),
              std::string("word map keys not in strictly ascending order: ") + GetParam().offending);
    // The rejected key leaves the builder as it was.
    auto bytes = std::move(builder).finish();
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(drain(open_built(*bytes).stream()), Pairs{keys[0]});
}

INSTANTIATE_TEST_SUITE_P(Keys, Order, testing::ValuesIn(kOrderCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WordMapBuilder, RejectsOverlongKey) {
    WordMapBuilder builder;
    std::string key((1 << 16) + 1, 'a');
    EXPECT_FALSE(builder.insert(key, 1).has_value());
    EXPECT_TRUE(builder.insert(key.substr(1), 1).has_value());
}

TEST(WordMapBuilder, EmptyMapHasNoKeys) {
    auto bytes = build_word_map({});
    ASSERT_TRUE(bytes.has_value());
    WordMap map = open_built(*bytes);
    EXPECT_EQ(map.len(), 0u);
    EXPECT_NE(map.root_address(), 0u);
    EXPECT_EQ(map.get(""), std::nullopt);
    EXPECT_EQ(drain(map.stream()), Pairs{});
}

TEST(WordMapBuilder, EmptyKeyWithValueZeroIsHeaderAndFooterOnly) {
    auto bytes = build_word_map({{"", 0}});
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->size(), 36u);
    EXPECT_EQ(drain(open_built(*bytes).stream()), (Pairs{{"", 0}}));
}

TEST(WordMapBuilder, EmptyKeyAndOthers) {
    const Pairs keys = {{"", 42}, {"a", 1}, {"ab", 0}, {"b", 7}};
    auto bytes = build_word_map(keys);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(drain(open_built(*bytes).stream()), keys);
}

TEST(WordMapBuilder, FooterAndChecksum) {
    auto bytes = build_word_map({{"kala", 3}, {"kalat", 4}, {"koira", 5}});
    ASSERT_TRUE(bytes.has_value());
    const std::vector<std::uint8_t>& b = *bytes;
    std::size_t n = b.size();
    auto u64 = [&](std::size_t at) {
        std::uint64_t v = 0;
        for (int i = 0; i < 8; ++i) v |= std::uint64_t{b[at + i]} << (8 * i);
        return v;
    };
    EXPECT_EQ(u64(0), 3u);
    EXPECT_EQ(u64(8), 0u);
    EXPECT_EQ(u64(n - 20), 3u);
    EXPECT_EQ(u64(n - 12), n - 21);
    std::uint32_t stored = b[n - 4] | b[n - 3] << 8 | b[n - 2] << 16 | std::uint32_t{b[n - 1]} << 24;
    EXPECT_EQ(stored, masked_crc32c(Bytes(b).first(n - 4)));
}

TEST(Crc32c, KnownValues) {
    EXPECT_EQ(crc32c(as_bytes("")), 0u);
    EXPECT_EQ(crc32c(as_bytes("a")), 0xc1d04330u);
    EXPECT_EQ(crc32c(as_bytes("123456789")), 0xe3069283u);
    EXPECT_EQ(crc32c(as_bytes("56789"), crc32c(as_bytes("1234"))), 0xe3069283u);
}

// Equal suffixes with equal outputs are stored once: 676 two-letter stems
// sharing one ending take two general nodes and one short chain.
TEST(WordMapBuilder, SharesEqualSuffixes) {
    Pairs keys;
    for (char a = 'a'; a <= 'z'; ++a) {
        for (char b = 'a'; b <= 'z'; ++b) keys.emplace_back(std::string{a, b} + "ssa", 0);
    }
    auto bytes = build_word_map(keys);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_LT(bytes->size(), 200u);
    EXPECT_EQ(drain(open_built(*bytes).stream()), keys);
}

// Values that differ only at the leaves: outputs are pushed towards the root
// and the rest kept below, so every key still sums to its own value.
TEST(WordMapBuilder, SplitsOutputsAlongSharedPaths) {
    const Pairs keys = {{"a", 100}, {"ab", 40}, {"abc", 40}, {"abd", 1000}, {"b", 0}, {"ba", UINT64_MAX}};
    auto bytes = build_word_map(keys);
    ASSERT_TRUE(bytes.has_value());
    WordMap map = open_built(*bytes);
    EXPECT_EQ(drain(map.stream()), keys);
    for (const auto& [key, value] : keys) EXPECT_EQ(map.get(key), value) << key;
}

// The builder writes the compact forms wherever they fit.
TEST(WordMapBuilder, WritesEveryNodeForm) {
    auto keys = random_keys(kKeySets[3]);
    keys["tt/a"] = 0;  // common inputs on both one-transition kinds
    keys["tt/b"] = 0;
    keys["q\x01" "t"] = 5;
    auto bytes = build_word_map(Pairs(keys.begin(), keys.end()));
    ASSERT_TRUE(bytes.has_value());
    WordMap map = open_built(*bytes);
    NodeArea area{*bytes, 16, bytes->size() - 20, 3, {}};
    std::set<std::string> forms;
    std::set<std::uint64_t> seen;
    std::vector<std::uint64_t> todo{map.root_address()};
    while (!todo.empty()) {
        std::uint64_t address = todo.back();
        todo.pop_back();
        if (address == 0 || !seen.insert(address).second) continue;
        std::uint8_t state = (*bytes)[address];
        std::string common = (state & 0x3f) != 0 ? "_common" : "_explicit";
        if ((state & 0xc0) == 0xc0) forms.insert("next" + common);
        if ((state & 0xc0) == 0x80) forms.insert("one" + common);
        if ((state & 0x80) == 0 && (state & 0x3f) == 0) forms.insert("count_byte");
        Node node;
        ASSERT_TRUE(node.read(area, address));
        if ((state & 0x80) == 0 && node.size() > 32) forms.insert("indexed");
        Transition t;
        for (std::uint32_t i = 0; i < node.size(); ++i) {
            ASSERT_TRUE(node.transition(area, i, t));
            todo.push_back(t.target);
        }
    }
    EXPECT_EQ(forms, (std::set<std::string>{"count_byte", "indexed", "next_common", "next_explicit", "one_common",
                                            "one_explicit"}));
}

}  // namespace
}  // namespace lomperi::word_map
