// Words the analyser does not read, told by what they look like: each rule
// with its example words.
#include "core/answer/unknown_words.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
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
        // A name in a vowel, or in a consonant joined to its ending by i:
        // the endings seldom a name's own end.
        {"Arduinolla", "Arduino", "adessive singular"},
        {"Hypatialle", "Hypatia", "allative singular"},
        {"Hypatiasta", "Hypatiasta", "basic form"},
        {"Pythonissa", "Python", "inessive singular"},
        {"Centeristä", "Center", "elative singular"},
        {"Nautilusta", "Nautilusta", "basic form"},
        {"Jordan", "Jordan", "basic form"},
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

TEST(WordsToldByShape, EachShapeWithItsExampleWords) {
    using analysis::WordClass;
    const std::vector<std::pair<std::string, std::optional<WordClass>>> rows = {
        {"Y", WordClass::Letter},
        {"a", WordClass::Letter},
        {"ä", WordClass::Letter},
        {"F", WordClass::Letter},
        {"F1", WordClass::Key},
        {"F12", WordClass::Key},
        {"Ctrl+Z", WordClass::Key},
        {"Ctrl+Shift+Q", WordClass::Key},
        {"Alt+F4", WordClass::Key},
        {"shift+tab", WordClass::Key},
        {"3x3", WordClass::Size},
        {"1920\u00d71080", WordClass::Size},
        {"2x2x2", WordClass::Size},
        // Not these: two letters, no key, an unknown
        // modifier, a function key no keyboard has, one side, a number.
        {"ab", std::nullopt},
        {"F0", std::nullopt},
        {"F25", std::nullopt},
        {"Ctrl+", std::nullopt},
        {"+Z", std::nullopt},
        {"Ctrl++", std::nullopt},
        {"Ctrl+Shift+", std::nullopt},
        {"Talo+Z", std::nullopt},
        {"3x", std::nullopt},
        {"x3", std::nullopt},
        {"3xx3", std::nullopt},
        {"100", std::nullopt},
        {"256:lla", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [word, word_class] : rows) {
        const auto told = told_by_shape(word);
        ASSERT_EQ(told.has_value(), word_class.has_value()) << word;
        if (!told) continue;
        EXPECT_EQ(told->form.word_class, *word_class) << word;
        EXPECT_EQ(told->lemma, word) << word;
        EXPECT_FALSE(told->guessed) << word;
    }
}

// Which reading a word without an entry is told by, after what the analyser read.
TEST(UnknownWords, AWordWithoutEntryIsToldByWhatSaysMost) {
    using analysis::WordClass;
    const auto read_as = [](std::string lemma, WordClass word_class) {
        analysis::Reading reading;
        reading.lemma = std::move(lemma);
        reading.form.word_class = word_class;
        return std::vector<analysis::Reading>{reading};
    };
    struct Row {
        std::string word;
        std::vector<analysis::Reading> read;
        std::vector<WordClass> told;
    };
    const std::vector<Row> rows = {
        // Its shape, over the analyser's abbreviation.
        {"Y", read_as("y", WordClass::Abbreviation), {WordClass::Letter}},
        // Unread: the guess.
        {"ticket", {}, {WordClass::English}},
        {"zqxw", {}, {}},
        // Read as a word the dictionary lacks: an English word first,
        {"Ticket", read_as("ticket", WordClass::Noun), {WordClass::English, WordClass::Noun}},
        // but not over a name or an abbreviation, nor when no English word.
        {"Know", read_as("Know", WordClass::Surname), {WordClass::Surname}},
        {"know", read_as("know", WordClass::Abbreviation), {WordClass::Abbreviation}},
        {"verran", read_as("verran", WordClass::Adverb), {WordClass::Adverb}},
    };
    for (auto row : rows) {
        tell_without_entry(dictionary().dict, row.word, row.read);
        std::vector<WordClass> told;
        for (const auto& reading : row.read) told.push_back(reading.form.word_class);
        EXPECT_EQ(told, row.told) << row.word;
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
