#include "core/word_map/approximate_search.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "base/utf8.hpp"
#include "core/word_map/builder.hpp"
#include "test_support.hpp"

namespace lomperi::word_map {
namespace {

using testing_support::Pairs;

constexpr EditCost kUnit = 10;

// Every edit costs the same; a letter is alike only to itself.
class UnitCosts : public EditCosts {
public:
    explicit UnitCosts(std::u32string query) : query_(std::move(query)) {
        for (const char32_t letter : query_) alike_.emplace_back(1, letter);
    }
    void key_letter(char32_t letter, char32_t, std::span<EditCost> substitute, std::span<EditCost> dropped) const override {
        for (std::size_t j = 0; j < query_.size(); ++j) substitute[j] = query_[j] == letter ? 0 : kUnit;
        std::ranges::fill(dropped, kUnit);
    }
    EditCost added(std::size_t) const override { return kUnit; }
    EditCost swapped(std::size_t) const override { return kUnit; }
    std::span<const char32_t> alike(std::size_t j) const override { return alike_[j]; }
    EditCost least_edit() const override { return kUnit; }

private:
    std::u32string query_;
    std::vector<std::u32string> alike_;
};

std::u32string letters_of(std::string_view text) {
    std::u32string out;
    for (const CodePoint& c : code_points(text)) out.push_back(c.value);
    return out;
}

// Optimal string alignment distance: the edits the search counts, each a unit.
EditCost distance(std::u32string_view a, std::u32string_view b) {
    std::vector<std::vector<EditCost>> d(a.size() + 1, std::vector<EditCost>(b.size() + 1, 0));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = static_cast<EditCost>(i * kUnit);
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = static_cast<EditCost>(j * kUnit);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            EditCost best = std::min(d[i - 1][j], d[i][j - 1]) + kUnit;
            best = std::min<EditCost>(best, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : kUnit));
            if (i >= 2 && j >= 2 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                best = std::min<EditCost>(best, d[i - 2][j - 2] + kUnit);
            }
            d[i][j] = best;
        }
    }
    return d[a.size()][b.size()];
}

struct Map {
    std::vector<std::uint8_t> bytes;
    WordMap map;
};

Map built(Pairs pairs) {
    std::ranges::sort(pairs);
    pairs.erase(std::unique(pairs.begin(), pairs.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
                pairs.end());
    Map out;
    out.bytes = build_word_map(pairs).value();
    out.map = WordMap::open(out.bytes).value();
    return out;
}

ApproximateResult search(const WordMap& map, std::string_view query, ApproximateLimits limits) {
    const std::u32string letters = letters_of(query);
    return approximate_search(map, letters, UnitCosts(letters), limits);
}

std::vector<std::pair<std::string, EditCost>> keys_and_costs(const ApproximateResult& result) {
    std::vector<std::pair<std::string, EditCost>> out;
    for (const auto& m : result.matches) out.emplace_back(m.key, m.cost);
    return out;
}

// Keys over a few letters, two of them two bytes long, so that many keys are
// near each other and letters are gathered from several transitions.
TEST(ApproximateSearch, FindsExactlyTheKeysWithinTheCostInOrder) {
    const std::u32string alphabet = U"aäkst";
    std::mt19937 rng(34);
    const auto random_word = [&](std::size_t max_length) {
        std::string word;
        const std::size_t length = 1 + rng() % max_length;
        for (std::size_t i = 0; i < length; ++i) append_utf8(word, alphabet[rng() % alphabet.size()]);
        return word;
    };
    Pairs pairs;
    for (std::uint64_t i = 0; i < 600; ++i) pairs.emplace_back(random_word(7), i);
    const Map m = built(pairs);
    Pairs keys;
    for (auto stream = m.map.stream(); auto entry = stream.next();) keys.emplace_back(std::string(as_text(entry->key)), entry->value);

    for (int round = 0; round < 60; ++round) {
        const std::string query = random_word(8);
        const EditCost max_cost = static_cast<EditCost>((round % 3) * kUnit);
        const auto found = search(m.map, query, {max_cost, 10'000, 1'000'000});
        ASSERT_TRUE(found.complete);
        std::vector<std::pair<std::string, EditCost>> expected;
        for (const auto& [key, value] : keys) {
            const EditCost cost = distance(letters_of(query), letters_of(key));
            if (cost <= max_cost) expected.emplace_back(key, cost);
        }
        std::ranges::stable_sort(expected, {}, &std::pair<std::string, EditCost>::second);
        EXPECT_EQ(keys_and_costs(found), expected) << query << " within " << max_cost;
        for (const auto& match : found.matches) {
            const auto value = m.map.get(match.key);
            ASSERT_TRUE(value.has_value());
            EXPECT_EQ(match.value, *value) << match.key;
        }
    }
}

struct LimitCase {
    const char* name;
    std::string query;
    ApproximateLimits limits;
    std::vector<std::pair<std::string, EditCost>> expected;
    bool complete;
};

const Pairs kWords = {{"kala", 1}, {"kalat", 2}, {"kassa", 3}, {"kissa", 4}, {"kisssa", 5}, {"talo", 6}, {"tälä", 7}};

const LimitCase kLimitCases[] = {
    {"exact_only", "kissa", {0, 10, 10'000}, {{"kissa", 0}}, true},
    {"one_edit", "kissa", {kUnit, 10, 10'000}, {{"kissa", 0}, {"kassa", kUnit}, {"kisssa", kUnit}}, true},
    {"cheapest_kept_then_key_order", "kissa", {kUnit, 2, 10'000}, {{"kissa", 0}, {"kassa", kUnit}}, true},
    {"swap_is_one_edit", "kalta", {kUnit, 10, 10'000}, {{"kala", kUnit}, {"kalat", kUnit}}, true},
    {"two_byte_letters", "tälo", {kUnit, 10, 10'000}, {{"talo", kUnit}, {"tälä", kUnit}}, true},
    {"no_matches_wanted", "kissa", {kUnit, 0, 10'000}, {}, true},
    {"step_cap_ends_the_walk", "kissa", {2 * kUnit, 10, 3}, {}, false},
    {"query_too_long", std::string(kMaxApproximateQuery + 1, 'a'), {2 * kUnit, 10, 10'000}, {}, true},
};

class Limits : public testing::TestWithParam<LimitCase> {};

TEST_P(Limits, BoundTheMatchesAndTheWork) {
    const LimitCase& c = GetParam();
    const Map m = built(kWords);
    const auto found = search(m.map, c.query, c.limits);
    EXPECT_EQ(keys_and_costs(found), c.expected);
    EXPECT_EQ(found.complete, c.complete);
    EXPECT_LE(found.steps, c.limits.max_steps);
}

INSTANTIATE_TEST_SUITE_P(Cases, Limits, testing::ValuesIn(kLimitCases),
                         [](const testing::TestParamInfo<LimitCase>& info) { return std::string(info.param.name); });

TEST(ApproximateSearch, NeverMatchesKeysThatAreNotUtf8) {
    const Map m = built({{"kis\xC3", 1}, {"kis\xFF", 2}, {"kiss", 3}, {"ki\xC3\xA4s", 4}});
    const auto found = search(m.map, "kiss", {2 * kUnit, 10, 10'000});
    std::vector<std::string> keys;
    for (const auto& match : found.matches) keys.push_back(match.key);
    EXPECT_EQ(keys, (std::vector<std::string>{"kiss", "ki\xC3\xA4s"}));
}

TEST(ApproximateSearch, EmptyMapFindsNothing) {
    const WordMap empty;
    const auto found = search(empty, "kissa", {2 * kUnit, 10, 10'000});
    EXPECT_TRUE(found.matches.empty());
    EXPECT_TRUE(found.complete);
}

}  // namespace
}  // namespace lomperi::word_map
