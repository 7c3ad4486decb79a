#include "core/word_map/word_map.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/word_map/builder.hpp"
#include "test_support.hpp"

namespace lomperi::word_map {
namespace {

using testing_support::drain;
using testing_support::Pairs;
using testing_support::RawMap;

std::vector<std::uint8_t> built(const Pairs& pairs) {
    auto bytes = build_word_map(pairs);
    EXPECT_TRUE(bytes.has_value());
    return bytes.value_or(std::vector<std::uint8_t>{});
}

std::vector<std::uint8_t> header_and_footer(std::uint64_t version, std::size_t size, std::uint64_t root) {
    std::vector<std::uint8_t> bytes(size, 0);
    for (int i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(version >> (8 * i));
    std::size_t footer = size - (version >= 3 ? 20 : 16);
    if (size >= 36) {
        for (int i = 0; i < 8; ++i) bytes[footer + 8 + i] = static_cast<std::uint8_t>(root >> (8 * i));
    }
    return bytes;
}

struct OpenCase {
    const char* name;
    std::function<std::vector<std::uint8_t>()> bytes;
    bool opens;
};

const OpenCase kOpenCases[] = {
    {"empty_input", [] { return std::vector<std::uint8_t>{}; }, false},
    {"35_bytes", [] { return header_and_footer(3, 35, 0); }, false},
    {"36_bytes_root_0", [] { return header_and_footer(3, 36, 0); }, true},
    {"version_0", [] { return header_and_footer(0, 36, 0); }, false},
    {"version_4", [] { return header_and_footer(4, 36, 0); }, false},
    {"version_3_longer_root_0", [] { return header_and_footer(3, 37, 0); }, false},
    {"version_2_root_0", [] { return header_and_footer(2, 36, 0); }, false},
    {"version_1_root_set", [] { return header_and_footer(1, 40, 17); }, true},
    {"root_in_footer", [] { return header_and_footer(3, 36, 30); }, true},
    {"bad_checksum",
     [] {
         auto bytes = built({{"a", 1}, {"b", 2}});
         bytes.back() ^= 0xff;
         return bytes;
     },
     true},
};

class Open : public testing::TestWithParam<OpenCase> {};

TEST_P(Open, ChecksOnlyHeaderAndFooter) {
    auto bytes = GetParam().bytes();
    auto map = WordMap::open(bytes);
    ASSERT_EQ(map.has_value(), GetParam().opens);
    if (!map) {
        EXPECT_EQ(map.error().message(), "FST error");
        return;
    }
    // Whatever the nodes hold, reading them stays within the bytes.
    drain(map->stream());
    map->get("a");
}

INSTANTIATE_TEST_SUITE_P(Files, Open, testing::ValuesIn(kOpenCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WordMap, HeaderAndFooterOnlyHoldsTheEmptyKey) {
    auto bytes = header_and_footer(3, 36, 0);
    bytes[16] = 5;  // key count
    auto map = WordMap::open(bytes);
    ASSERT_TRUE(map.has_value());
    EXPECT_EQ(map->len(), 5u);
    EXPECT_EQ(map->get(""), 0u);
    EXPECT_EQ(map->get("a"), std::nullopt);
    EXPECT_EQ(drain(map->stream()), (Pairs{{"", 0}}));
    EXPECT_EQ(drain(map->prefix_stream("")), (Pairs{{"", 0}}));
    EXPECT_EQ(drain(map->prefix_stream("a")), Pairs{});
}

TEST(WordMap, DefaultMapIsEmpty) {
    WordMap map;
    EXPECT_EQ(map.len(), 0u);
    EXPECT_EQ(map.get(""), std::nullopt);
    EXPECT_EQ(drain(map.stream()), Pairs{});
}

TEST(WordMap, FooterFields) {
    auto bytes = built({{"a", 1}, {"b", 2}});
    auto map = WordMap::open(bytes);
    ASSERT_TRUE(map.has_value());
    EXPECT_EQ(map->version(), 3u);
    EXPECT_EQ(map->map_type(), 0u);
    EXPECT_EQ(map->len(), 2u);
    EXPECT_EQ(map->root_address(), bytes.size() - 21);
    ASSERT_TRUE(map->checksum().has_value());
}

struct PrefixCase {
    const char* prefix;
    Pairs expected;
};

TEST(WordMap, PrefixStreamYieldsKeyAndItsExtensionsInOrder) {
    const Pairs keys = {{"ab", 10}, {"abc", 3}, {"abd", 7}, {"ac", 1}};
    auto bytes = built(keys);
    auto map = WordMap::open(bytes);
    ASSERT_TRUE(map.has_value());
    const PrefixCase cases[] = {
        {"", keys},
        {"a", keys},
        {"ab", {{"ab", 10}, {"abc", 3}, {"abd", 7}}},
        {"abc", {{"abc", 3}}},
        {"ac", {{"ac", 1}}},
        {"abe", {}},
        {"b", {}},
        {"abcd", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(drain(map->prefix_stream(c.prefix)), c.expected) << c.prefix;
    EXPECT_EQ(drain(map->prefix_stream(as_bytes("ab"))), cases[2].expected);
}

// Files assembled by hand for node forms the builder does not write.
struct RawCase {
    const char* name;
    std::function<std::vector<std::uint8_t>()> bytes;
    Pairs expected;
    std::vector<std::string> absent;
};

std::vector<testing_support::RawTransition> letters(int count, std::uint64_t step) {
    std::vector<testing_support::RawTransition> ts;
    for (int i = 0; i < count; ++i) ts.push_back({static_cast<std::uint8_t>('0' + i), step * i, 0});
    return ts;
}

Pairs letter_pairs(int count, std::uint64_t step, std::uint64_t base = 0) {
    Pairs pairs;
    for (int i = 0; i < count; ++i) pairs.emplace_back(std::string(1, static_cast<char>('0' + i)), base + step * i);
    return pairs;
}

std::vector<std::uint8_t> general_map(std::uint64_t version, int count, bool count_byte) {
    RawMap raw(version);
    std::uint64_t root = raw.general(letters(count, 300), false, 0, 1, 2, count_byte);
    return raw.finish(count, root);
}

std::vector<std::uint8_t> all_bytes_map() {
    RawMap raw(3);
    std::vector<testing_support::RawTransition> ts;
    for (int b = 0; b < 256; ++b) ts.push_back({static_cast<std::uint8_t>(b), 0, 0});
    std::uint64_t root = raw.general(ts, true, 0, 1, 0);
    return raw.finish(257, root);
}

Pairs all_bytes_pairs() {
    Pairs pairs{{"", 0}};
    for (int b = 0; b < 256; ++b) pairs.emplace_back(std::string(1, static_cast<char>(b)), 0);
    return pairs;
}

// "eetQ": a common-input one-transition root, a node pointing at the node
// written just before, an explicit-input one-transition node with wide
// fields, and a final node with an output but no transitions.
std::vector<std::uint8_t> chain_map(std::uint64_t version) {
    RawMap raw(version);
    std::uint64_t leaf = raw.general({}, true, 7, 0, 1);
    std::uint64_t q = raw.one({'Q', 5, leaf}, 0, 3, 8);
    std::uint64_t t = raw.next('t', 1);
    std::uint64_t e = raw.one({'e', 1000, t}, 2, 1, 2);
    std::uint64_t root = raw.general({{'e', 0, e}, {'x', 4, q}}, true, 9, 2, 1);
    return raw.finish(3, root);
}

// A next-kind node whose input needs its own byte, below a final node whose
// output width is 0.
std::vector<std::uint8_t> explicit_next_map() {
    RawMap raw(3);
    std::uint64_t leaf = raw.general({{'z', 0, 0}}, true, 0, 1, 0);
    raw.next('Z', 0);
    std::uint64_t root = raw.general({{'A', 0, leaf + 2}}, false, 0, 1, 0);
    return raw.finish(3, root);
}

const RawCase kRawCases[] = {
    {"v1_40_transitions_scanned", [] { return general_map(1, 40, false); }, letter_pairs(40, 300), {"", "/", "X"}},
    {"v2_40_transitions_indexed", [] { return general_map(2, 40, false); }, letter_pairs(40, 300), {"", "/", "X"}},
    {"v3_40_transitions_indexed", [] { return general_map(3, 40, false); }, letter_pairs(40, 300), {"", "/", "X"}},
    {"v2_32_transitions_no_index", [] { return general_map(2, 32, false); }, letter_pairs(32, 300), {"P"}},
    {"count_in_count_byte", [] { return general_map(3, 5, true); }, letter_pairs(5, 300), {"5"}},
    {"v1_count_byte_100", [] { return general_map(1, 100, false); }, letter_pairs(100, 300), {"", "00"}},
    {"count_byte_1_means_256", all_bytes_map, all_bytes_pairs(), {"aa"}},
    {"v1_chain", [] { return chain_map(1); }, {{"", 9}, {"eetQ", 1012}, {"xQ", 16}}, {"e", "eet", "eetQQ", "x"}},
    {"v3_chain", [] { return chain_map(3); }, {{"", 9}, {"eetQ", 1012}, {"xQ", 16}}, {"ee", "etQ", "xQQ"}},
    {"explicit_next_input", explicit_next_map, {{"AZ", 0}, {"AZz", 0}}, {"A", "AZZ", "Z"}},
};

class HandAssembled : public testing::TestWithParam<RawCase> {};

TEST_P(HandAssembled, ReadsEveryForm) {
    auto bytes = GetParam().bytes();
    auto map = WordMap::open(bytes);
    ASSERT_TRUE(map.has_value());
    const Pairs& expected = GetParam().expected;
    EXPECT_EQ(drain(map->stream()), expected);
    for (const auto& [key, value] : expected) {
        EXPECT_EQ(map->get(key), value) << key;
        EXPECT_EQ(drain(map->prefix_stream(key)).front(), std::pair(key, value));
    }
    for (const auto& key : GetParam().absent) EXPECT_EQ(map->get(key), std::nullopt) << key;
}

INSTANTIATE_TEST_SUITE_P(Forms, HandAssembled, testing::ValuesIn(kRawCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Damaged node bytes: lookups find nothing and streams end, never reading
// outside the bytes or looping.
struct DamageCase {
    const char* name;
    std::function<std::vector<std::uint8_t>()> bytes;
    Pairs streamed;  // what the stream still yields before it ends
    std::vector<std::string> absent;
};

std::vector<std::uint8_t> root_one_delta(std::uint64_t delta) {
    RawMap raw(3);
    raw.general({}, true, 3, 0, 1);
    std::uint64_t root = raw.one({'a', 0, 0}, 1, 1, 0);
    auto bytes = raw.finish(1, root);
    bytes[root - 2] = static_cast<std::uint8_t>(delta);
    return bytes;
}

std::vector<std::uint8_t> with_byte(std::vector<std::uint8_t> bytes, std::size_t at, std::uint8_t value) {
    bytes[at] = value;
    return bytes;
}

const DamageCase kDamageCases[] = {
    {"target_above_node", [] { return root_one_delta(200); }, {}, {"t"}},
    {"output_width_9",
     [] {
         RawMap raw(3);
         std::uint64_t root = raw.one({'t', 0, 0}, 1, 1, 0);
         auto bytes = raw.finish(1, root);
         bytes[root - 2] = 0;  // delta 0 is the empty final node, which is fine
         bytes[root - 1] = 0x19;  // width 1, output width 9
         return bytes;
     },
     {},
     {"t"}},
    {"target_in_header", [] { return root_one_delta(10); }, {}, {"t"}},
    {"count_beyond_bytes",
     [] {
         RawMap raw(3);
         std::uint64_t root = raw.general({{'a', 0, 0}}, false, 0, 1, 0, true);
         return with_byte(raw.finish(1, root), root - 1, 200);
     },
     {},
     {"a"}},
    {"root_in_footer",
     [] {
         auto bytes = built({{"a", 1}});
         return with_byte(bytes, bytes.size() - 12, static_cast<std::uint8_t>(bytes.size() - 5));
     },
     {},
     {"a"}},
    {"root_in_header",
     [] {
         auto bytes = built({{"a", 1}});
         bytes[bytes.size() - 12] = 4;
         return bytes;
     },
     {},
     {"a"}},
    {"inputs_not_ascending",
     [] {
         RawMap raw(3);
         std::uint64_t root = raw.general({{'b', 1, 0}, {'a', 2, 0}, {'c', 3, 0}}, false, 0, 1, 1);
         return raw.finish(3, root);
     },
     {{"b", 1}},
     {}},
    {"dead_end_below_root",
     [] {
         RawMap raw(3);
         std::uint64_t dead = raw.general({}, false, 0, 0, 0);
         std::uint64_t root = raw.general({{'a', 0, dead}, {'b', 0, 0}}, false, 0, 1, 0);
         return raw.finish(2, root);
     },
     {},
     {"a"}},
};

class Damaged : public testing::TestWithParam<DamageCase> {};

TEST_P(Damaged, GivesAbsentOrEndsStream) {
    auto bytes = GetParam().bytes();
    auto map = WordMap::open(bytes);
    ASSERT_TRUE(map.has_value());
    EXPECT_EQ(drain(map->stream()), GetParam().streamed);
    for (const auto& key : GetParam().absent) EXPECT_EQ(map->get(key), std::nullopt) << key;
}

INSTANTIATE_TEST_SUITE_P(Nodes, Damaged, testing::ValuesIn(kDamageCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WordMap, DamagedSubtreeEndsStreamAfterEarlierKeys) {
    Pairs keys;
    for (char c = 'a'; c <= 'y'; ++c) keys.emplace_back(std::string{'m', c, 'q'}, static_cast<std::uint64_t>(c));
    keys.emplace_back("zzzz", 1);
    auto bytes = built(keys);
    auto map = WordMap::open(bytes);
    ASSERT_TRUE(map.has_value());
    // Make the node below "z" unreadable: a general node claiming 63 transitions.
    NodeArea area{bytes, 16, bytes.size() - 20, 3, {}};
    Node root;
    ASSERT_TRUE(root.read(area, map->root_address()));
    Transition z;
    ASSERT_TRUE(root.transition(area, root.size() - 1, z));
    ASSERT_EQ(z.input, 'z');
    bytes[z.target] = 0x3f;
    auto streamed = drain(map->stream());
    EXPECT_EQ(streamed, Pairs(keys.begin(), keys.end() - 1));
    EXPECT_EQ(map->get("mbq"), 'b');
    EXPECT_EQ(map->get("zzzz"), std::nullopt);

    // A key behind the damaged node is not read; one that is no key is absent.
    const struct {
        const char* key;
        std::optional<std::uint64_t> value;
        bool damaged;
    } cases[] = {{"mbq", 'b', false}, {"mzq", std::nullopt, false}, {"a", std::nullopt, false},
                 {"zzzz", std::nullopt, true}, {"z", std::nullopt, true}};
    for (const auto& c : cases) {
        const DamageWatch watch;
        EXPECT_EQ(map->get(c.key), c.value) << c.key;
        EXPECT_EQ(watch.met(), c.damaged) << c.key;
    }
    for (const auto& [prefix, damaged] : {std::pair{"m", false}, {"", true}, {"z", true}}) {
        const DamageWatch watch;
        drain(map->prefix_stream(prefix));
        EXPECT_EQ(watch.met(), damaged) << "keys beginning with " << prefix;
    }
    // Got again, each key answers alike, and each damaged one meets the damage again.
    for (const auto& c : cases) {
        const DamageWatch watch;
        EXPECT_EQ(map->get(c.key), c.value) << c.key;
        EXPECT_EQ(watch.met(), c.damaged) << c.key;
    }
    const DamageWatch watch;
    EXPECT_EQ(WordMap().get("a"), std::nullopt);
    EXPECT_FALSE(watch.met()) << "the default map has no keys, and no damage";
}

// What is kept of a map's answers is its own: another map, opened later
// over other bytes (or the same place in memory), answers from its own.
TEST(WordMap, EachMapAnswersItsOwnKeys) {
    const std::vector<Pairs> sets = {{{"kissa", 1}, {"talo", 2}}, {{"talo", 3}}, {{"kissa", 4}, {"talo", 5}}};
    std::vector<std::vector<std::uint8_t>> bytes;
    std::vector<WordMap> maps;
    for (const auto& pairs : sets) {
        bytes.push_back(built(pairs));
        maps.push_back(WordMap::open(bytes.back()).value());
    }
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(maps[0].get("talo"), 2u);
        EXPECT_EQ(maps[1].get("talo"), 3u);
        EXPECT_EQ(maps[2].get("talo"), 5u);
        EXPECT_EQ(maps[1].get("kissa"), std::nullopt);
        EXPECT_EQ(maps[2].get("kissa"), 4u);
    }
    for (int round = 0; round < 2; ++round) {
        auto reopened = built({{"talo", static_cast<std::uint64_t>(6 + round)}});
        EXPECT_EQ(WordMap::open(reopened).value().get("talo"), 6u + round);
    }
}

}  // namespace
}  // namespace lomperi::word_map
