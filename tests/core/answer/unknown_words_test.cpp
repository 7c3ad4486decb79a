// Words the analyser does not read, told by what they look like: each rule
// with its example words.
#include "core/answer/unknown_words.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/analysis/form_text.hpp"
#include "support/test_data.hpp"

namespace lomperi::answer {
namespace {

const testing::TestDictionary& dictionary() {
    static const testing::TestDictionary t = testing::make_test_dictionary(
        {{"lippu", {{"noun", {"ticket"}}}}, {"tietää", {{"verb", {"know"}}}}}, {},
        {{"ticket", {{"lippu", 0}}}, {"know", {{"tietää", 0}}}, {"gimp", {{"lippu", 0}}}});
    return t;
}

TEST(UnknownWords, EachRuleWithItsExampleWords) {
    struct Row {
        std::string word;
        std::string lemma;  // empty: no guess
        std::string form = {};
    };
    const std::vector<Row> rows = {
        // A word of the English side, whatever its capital.
        {"ticket", "ticket", "basic form"},
        {"Know", "Know", "basic form"},
        // A case ending after a colon.
        {"GIMP:n", "GIMP", "genitive singular"},
        {"H&M:lle", "H&M", "allative singular"},
        {"UPM:ään", "UPM", "illative singular"},
        // After a name in capitals, i and an ending; in capitals a name, not
        // the English word spelt alike.
        {"GIMPin", "GIMP", "genitive singular"},
        {"GIMPissä", "GIMP", "inessive singular"},
        {"GIMPiin", "GIMP", "illative singular"},
        {"GIMPiä", "GIMP", "partitive singular"},
        {"GIMP", "GIMP", "basic form"},
        // A name in -s: its endings after -kse-.
        {"Kalymnoksen", "Kalymnos", "genitive singular"},
        {"Iglesiakselle", "Iglesias", "allative singular"},
        {"Kalymnokseen", "Kalymnos", "illative singular"},
        // Any other capitalised word, as it stands.
        {"Grisay", "Grisay", "basic form"},
        {"Real3D", "Real3D", "basic form"},
        {"eHealth", "eHealth", "basic form"},
        // No guess: lower case and no English, one letter, other marks.
        {"zqxw", ""},
        {"Y", ""},
        {"Ctrl+Z", ""},
        {"100", ""},
    };
    for (const auto& row : rows) {
        const auto guess = guess_unknown(dictionary().dict, row.word);
        ASSERT_EQ(guess.has_value(), !row.lemma.empty()) << row.word;
        if (!guess) continue;
        EXPECT_TRUE(guess->guessed) << row.word;
        EXPECT_EQ(guess->lemma, row.lemma) << row.word;
        EXPECT_EQ(analysis::form_labels(guess->form), row.form) << row.word;
    }
}

// The morphs cut the word where the ending starts, for the interlinear gloss.
TEST(UnknownWords, TheEndingIsAMorphOfItsOwn) {
    const auto guess = guess_unknown(dictionary().dict, "Kalymnoksen");
    ASSERT_TRUE(guess);
    ASSERT_EQ(guess->morphs.size(), 2u);
    EXPECT_EQ(guess->morphs[0].text, "Kalymno");
    EXPECT_EQ(guess->morphs[1].text, "ksen");
    EXPECT_EQ(guess->morphs[1].form.grammatical_case, analysis::Case::Genitive);
}

}  // namespace
}  // namespace lomperi::answer
