#include "core/suggest/suggester.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/test_data.hpp"

namespace lomperi::suggest {
namespace {

using testing::TestDictionary;
using testing::TestForm;
using testing::TestHeadword;

TestHeadword noun(std::string headword, std::string meaning) { return {std::move(headword), {{"noun", {std::move(meaning)}}}}; }

const std::vector<TestHeadword> kHeadwords = {
    noun("Helsinki", "Helsinki"), noun("kauppa", "shop"), noun("kissa", "cat"),  noun("ravintola", "restaurant"),
    noun("tuuli", "wind"),        noun("tulli", "customs"), noun("kari", "reef"), noun("Kari", "a man's name"),
    {"kirjoittaa", {{"verb", {"to write"}}}}, {"hyvä", {{"adj", {"good"}}}},
};

const std::vector<TestForm> kForms = {
    {"Helsinki", {"Helsinki"}}, {"Helsingissä", {"Helsinki"}}, {"kauppa", {"kauppa"}}, {"kaupassa", {"kauppa"}},
    {"kissa", {"kissa"}},       {"kissan", {"kissa"}},          {"ravintola", {"ravintola"}}, {"tuuli", {"tuuli"}},
    {"tulli", {"tulli"}},       {"kari", {"kari"}},             {"Kari", {"Kari"}},       {"kirjoittaa", {"kirjoittaa"}},
    {"kirjoitan", {"kirjoittaa"}}, {"hyvä", {"hyvä"}},          {"hyvää", {"hyvä"}},
};

// Headwords are numbered in byte order: Helsinki, Kari, hyvä, kari, kauppa,
// kirjoittaa, kissa, ravintola, tulli, tuuli.
TestDictionary dictionary(std::vector<std::uint16_t> ranks = {}) {
    auto builder = testing::test_builder(kHeadwords, kForms);
    if (!ranks.empty()) builder.set_ranks(std::move(ranks));
    auto data = builder.build();
    if (!data) throw std::runtime_error(data.error().report());
    auto dict = morphology::load_dictionary(data->files());
    if (!dict) throw std::runtime_error(dict.error().report());
    return TestDictionary{std::move(*data), std::move(*dict)};
}

std::vector<std::string> words_of(const Suggestions& found) {
    std::vector<std::string> out;
    for (const auto& s : found.words) out.push_back(s.word);
    return out;
}

TEST(Suggester, FindsTheFormMeantWithItsHeadword) {
    const auto t = dictionary();
    struct Row {
        const char* typed;
        const char* word;
        const char* headword;
    };
    const Row rows[] = {
        {"kaupasa", "kaupassa", "kauppa"},          // a consonant short
        {"ravintolla", "ravintola", "ravintola"},   // a consonant long
        {"kisssa", "kissa", "kissa"},               // a consonant three times
        {"helsingisa", "Helsingissä", "Helsinki"},  // lower case, short s, a for ä
        {"kirjotan", "kirjoitan", "kirjoittaa"},    // the spoken form's i left out
        {"hyva", "hyvä", "hyvä"},                   // a for ä
        {"ksisa", "kissa", "kissa"},                // two letters swapped
        {"ravintla", "ravintola", "ravintola"},     // a letter left out
        {"kaupassa", "kaupassa", "kauppa"},         // a case typed in lower case is not a suggestion of itself
    };
    for (const auto& row : rows) {
        const auto found = suggest(t.dict, row.typed);
        if (std::string_view(row.typed) == row.word) {
            const auto words = words_of(found);
            EXPECT_EQ(std::ranges::find(words, row.word), words.end()) << row.typed;
            continue;
        }
        ASSERT_FALSE(found.words.empty()) << row.typed;
        EXPECT_EQ(found.words[0].word, row.word) << row.typed;
        EXPECT_EQ(found.words[0].headword, row.headword) << row.typed;
    }
}

TEST(Suggester, RanksTheMoreCommonWordFirstAtALikeCost) {
    // "tuli": tulli is a consonant short, tuuli a vowel short (a little dearer).
    EXPECT_EQ(words_of(suggest(dictionary().dict, "tuli")), (std::vector<std::string>{"tulli", "tuuli"}));
    std::vector<std::uint16_t> ranks(10, 5000);
    ranks[9] = 1;  // tuuli
    EXPECT_EQ(words_of(suggest(dictionary(ranks).dict, "tuli")), (std::vector<std::string>{"tuuli", "tulli"}));
}

TEST(Suggester, ClearlyBestOnlyWhenNoOtherWordIsAsNear) {
    const auto t = dictionary();
    EXPECT_TRUE(suggest(t.dict, "kaupasa").clearly_best);   // one word near
    EXPECT_FALSE(suggest(t.dict, "tuli").clearly_best);     // two words a cheap error away
}

TEST(Suggester, FormsOfOneWordDoNotCloudTheBestGuess) {
    // Scores near each other: forms of one headword agree on the entry to
    // show; a near word of another headword leaves the choice open.
    struct Row {
        const char* second_headword;
        EditCost second_cost;
        bool clearly_best;
    };
    const Row rows[] = {
        {"ravintola", 10, true},   // ravintolaa: another form of the same word
        {"ravinto", 10, false},    // another word as near
        {"ravinto", 200, true},    // another word, far
    };
    for (const auto& row : rows) {
        std::vector<Candidate> candidates = {{"ravintola", 5, "ravintola", 100, true},
                                             {"ravintolaa", row.second_cost, "ravintola", 100, true},
                                             {"ravinnolla", row.second_cost, row.second_headword, 100, true}};
        EXPECT_EQ(rank_candidates("ravintolla", candidates).clearly_best, row.clearly_best)
            << row.second_headword << " " << row.second_cost;
    }
}

TEST(Suggester, OneSpellingOfAWordInEitherCase) {
    // "karri": kari and Kari are both one consonant too many; the name costs
    // a capital more.
    EXPECT_EQ(words_of(suggest(dictionary().dict, "karri")), (std::vector<std::string>{"kari"}));
}

TEST(Suggester, NothingForTextItCannotSearch) {
    const auto t = dictionary();
    const char* rows[] = {"", "k", "kis\xFFsa", "kaup\xC3"};
    const std::string too_long = std::string(kMaxTypedLetters + 1, 'k');
    for (const char* typed : rows) EXPECT_TRUE(suggest(t.dict, typed).words.empty()) << typed;
    EXPECT_TRUE(suggest(t.dict, too_long).words.empty());
    EXPECT_TRUE(suggest(t.dict, "qqqqqqqqqqqq").words.empty());  // nothing near
}

TEST(Suggester, AtMostFiveBestFirst) {
    std::vector<TestHeadword> headwords;
    std::vector<TestForm> forms;
    // Each one cheap error from "kala".
    for (const char* word : {"kalla", "kaala", "kalaa", "kalan", "kälä", "käla", "kalä"}) {
        headwords.push_back(noun(word, "word"));
        forms.push_back({word, {word}});
    }
    const auto t = testing::make_test_dictionary(headwords, forms);
    const auto found = suggest(t.dict, "kala");
    ASSERT_EQ(found.words.size(), kMaxSuggestions);
    EXPECT_EQ(found.words[0].word, "kalä");  // an umlaut, the cheapest; on a tie, in byte order
    EXPECT_TRUE(std::ranges::is_sorted(found.words, {}, &Suggestion::score));
}

}  // namespace
}  // namespace lomperi::suggest
