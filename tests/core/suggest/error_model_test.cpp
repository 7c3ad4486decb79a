#include "core/suggest/error_model.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "base/utf8.hpp"
#include "core/word_map/builder.hpp"

namespace lomperi::suggest {
namespace {

// "a → b, c → d" as its pairs.
std::vector<std::pair<std::string, std::string>> example_pairs(std::string_view example) {
    std::vector<std::pair<std::string, std::string>> out;
    while (!example.empty()) {
        const auto comma = example.find(", ");
        const std::string_view pair = example.substr(0, comma);
        const auto arrow = pair.find(" → ");
        out.emplace_back(std::string(pair.substr(0, arrow)), std::string(pair.substr(arrow + std::string_view(" → ").size())));
        example = comma == std::string_view::npos ? std::string_view{} : example.substr(comma + 2);
    }
    return out;
}

// Each example of the table, searched for among all the examples' words,
// is found at its row's cost: the table and the rules that name an edit's
// error agree.
TEST(ErrorModel, EachExampleCostsItsRowsCost) {
    std::vector<std::pair<std::string, std::uint64_t>> meant_words;
    for (const auto& row : kErrorCosts) {
        for (const auto& [typed, meant] : example_pairs(row.example)) meant_words.emplace_back(meant, 0);
    }
    std::ranges::sort(meant_words);
    meant_words.erase(std::unique(meant_words.begin(), meant_words.end()), meant_words.end());
    const auto bytes = word_map::build_word_map(meant_words).value();
    const auto map = word_map::WordMap::open(bytes).value();

    for (const auto& row : kErrorCosts) {
        for (const auto& [typed, meant] : example_pairs(row.example)) {
            const LearnerCosts costs(to_utf32(typed));
            const auto found =
                word_map::approximate_search(map, costs.typed(), costs, {kMaxSuggestionCost, 100, 1'000'000});
            const auto match = std::ranges::find(found.matches, meant, &word_map::ApproximateMatch::key);
            ASSERT_NE(match, found.matches.end()) << typed << " → " << meant;
            EXPECT_EQ(match->cost, row.cost) << typed << " → " << meant;
        }
    }
}

TEST(ErrorModel, CheapErrorsCostLessThanPlainEdits) {
    for (const auto& row : kErrorCosts) {
        EXPECT_LE(row.cost, kPlainEdit) << row.example;
        EXPECT_GT(row.cost, 0) << row.example;
    }
    EXPECT_LT(cost_of(LearnerError::Capital), cost_of(LearnerError::Umlaut));
    EXPECT_LT(cost_of(LearnerError::Umlaut) + cost_of(LearnerError::ConsonantLength), kPlainEdit);
}

TEST(ErrorModel, NamesTheErrorOfAnEdit) {
    struct Row {
        const char* name;
        std::optional<LearnerError> error;
        std::optional<LearnerError> expected;
    };
    const Row rows[] = {
        {"same letter", replacement(U'a', U'a', 0), std::nullopt},
        {"capital", replacement(U'h', U'H', 0), LearnerError::Capital},
        {"capital Ä", replacement(U'ä', U'Ä', 0), LearnerError::Capital},
        {"a for ä", replacement(U'a', U'ä', 0), LearnerError::Umlaut},
        {"ö for o", replacement(U'ö', U'o', 0), LearnerError::Umlaut},
        {"a for Ä", replacement(U'a', U'Ä', 0), LearnerError::Umlaut},
        {"sanoo for sanoi", replacement(U'o', U'i', U'o'), LearnerError::SpokenEnding},
        {"near key s for d", replacement(U's', U'd', 0), LearnerError::NearKey},
        {"near key across rows", replacement(U'q', U'a', 0), LearnerError::NearKey},
        {"far key", replacement(U'q', U'p', 0), LearnerError::Replaced},
        {"e for o", replacement(U'e', U'o', 0), LearnerError::Replaced},
        {"kaupasa: s left out after s", omission(U's', U's', false), LearnerError::ConsonantLength},
        {"kuule: e left out after e", omission(U'e', U'e', true), LearnerError::VowelLength},
        {"kirjotan: i left out after o", omission(U'i', U'o', false), LearnerError::SpokenI},
        {"mennää: final n", omission(U'n', U'ä', true), LearnerError::SpokenEnding},
        {"n inside the word", omission(U'n', U'ä', false), LearnerError::Dropped},
        {"a letter left out", omission(U't', U'a', false), LearnerError::Dropped},
        {"ravintolla: l typed twice", addition(U'l', U'l'), LearnerError::ConsonantLength},
        {"kauniis: i typed twice", addition(U'i', U'i'), LearnerError::VowelLength},
        {"a letter too many", addition(U'x', U'o'), LearnerError::Added},
    };
    for (const auto& row : rows) EXPECT_EQ(row.error, row.expected) << row.name;
}

TEST(ErrorModel, CheapRespellingsUndoOneCheapError) {
    struct Row {
        const char* typed;
        const char* meant;
        EditCost cost;
    };
    const Row rows[] = {
        {"kaupasa", "kaupassa", cost_of(LearnerError::ConsonantLength)},
        {"ravintolla", "ravintola", cost_of(LearnerError::ConsonantLength)},
        {"hyva", "hyvä", cost_of(LearnerError::Umlaut)},
        {"kirjotan", "kirjoitan", cost_of(LearnerError::SpokenI)},
        {"mennää", "mennään", cost_of(LearnerError::SpokenEnding)},
        {"sanoo", "sanoi", cost_of(LearnerError::SpokenEnding)},
        {"kuule", "kuulee", cost_of(LearnerError::VowelLength)},
    };
    for (const auto& row : rows) {
        const auto respellings = cheap_respellings(to_utf32(row.typed), 50);
        EXPECT_TRUE(std::ranges::is_sorted(respellings, {}, &Respelling::cost)) << row.typed;
        EXPECT_TRUE(std::ranges::all_of(respellings, [](const Respelling& r) { return r.cost <= 50; })) << row.typed;
        const auto found = std::ranges::find_if(respellings, [&](const Respelling& r) { return to_utf8(r.letters) == row.meant; });
        ASSERT_NE(found, respellings.end()) << row.typed;
        EXPECT_EQ(found->cost, row.cost) << row.typed;
    }
    EXPECT_TRUE(cheap_respellings(U"", 50).empty());
    EXPECT_TRUE(cheap_respellings(U"kaupasa", 10).empty());
}

TEST(ErrorModel, FoldsTheCaseOfFinnishLetters) {
    const std::pair<char32_t, char32_t> rows[] = {{U'A', U'a'}, {U'Ä', U'ä'}, {U'Ö', U'ö'}, {U'Å', U'å'},
                                                  {U'Š', U'š'}, {U'Ž', U'ž'}, {U'×', U'×'}, {U'-', U'-'}};
    for (const auto& [upper, lower] : rows) {
        EXPECT_EQ(fold_case(upper), lower);
        EXPECT_EQ(fold_case(lower), lower);
        EXPECT_EQ(other_case(lower), upper);
    }
}

}  // namespace
}  // namespace lomperi::suggest
