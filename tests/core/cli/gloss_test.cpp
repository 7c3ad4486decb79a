// --gloss and its JSON over a small analysed dictionary: each way a word
// finds its entry gives one line with that entry's headword and first meaning.
#include "core/cli/gloss.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/analysed_data.hpp"

namespace lomperi::cli {
namespace {

using testing::analysed_dictionary;

TEST(Gloss, EachWordALineWithItsEntrysHeadwordAndFirstMeaning) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"Talossa", "Talossa\ttalo\thouse\tinessive singular\n"},
        {"tiedot", "tiedot\ttieto\tknowledge\tnominative plural\n"},
        {"esimerkiksi", "esimerkiksi\tesimerkiksi\tfor example\tbasic form\n"},
        {"sumennus", "sumennus\tsumennus\tblur\tbasic form\n"},
        {"yläpalkki", "yläpalkki\tyläpalkki\ttop + bar\tbasic form\n"},
        {"hyva", "hyva\thyvä\tgood\tbasic form\n"},
        {"zorrossa", "zorrossa\t\t\t\n"},
        {"qqq", "qqq\t\t\t\n"},
        // A word it clearly stands for, marked as a guess: the word is still not found.
        {"kisssa", "kisssa\t?kissa\tcat\t\n"},
    };
    for (const auto& [word, line] : rows) {
        std::string out;
        Glosser glosser(analysed_dictionary().dict);
        glosser.gloss_line(word, out);
        EXPECT_EQ(out, line) << word;
        const bool found = !line.ends_with("\t\t\t\n") && line.find("\t?") == std::string::npos;
        EXPECT_EQ(glosser.all_found(), found) << word;
    }
}

// A word whose reading the word before it changes shows that reading's
// entry, not the one it shows alone, which a word seen before keeps.
TEST(Gloss, TheEntryIsTheReadingTheWordsBeforeItPutFirst) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"tilaa", "tilaa\ttila\tspace\tpartitive singular\n"},
        {"se tilaa", "se\tse\tit\tbasic form\ntilaa\ttilata\torder\tpresent, 3sg\n"},
        {"tilaa se tilaa tilaa",
         "tilaa\ttila\tspace\tpartitive singular\nse\tse\tit\tbasic form\n"
         "tilaa\ttilata\torder\tpresent, 3sg\ntilaa\ttila\tspace\tpartitive singular\n"},
        // No rule reaches over a sentence's end.
        {"se. tilaa", "se\tse\tit\tbasic form\ntilaa\ttila\tspace\tpartitive singular\n"},
        // A spoken word the word before tells, seen alone before: "et" after a verb is "että";
        // koko is "whole" unless a genitive takes its size.
        {"et. piilottaa et",
         "et\tei\tnot\t2sg\npiilottaa\tpiilottaa\thide\tpresent, 3sg\net\tettä\tthat\tbasic form\n"},
        {"koko talon koko",
         "koko\tkoko\twhole, entire\tbasic form\ntalon\ttalo\thouse\tgenitive singular\nkoko\tkoko\tsize\tbasic form\n"},
        // A form the word before reads is no entry of the word's own, seen alone before.
        {"päivää seitsemän päivää",
         "päivää\tpäivää\tg'day\tpartitive singular\nseitsemän\tseitsemän\tseven\tbasic form\n"
         "päivää\tpäivä\tday\tpartitive singular\n"},
    };
    for (const auto& [text, lines] : rows) {
        std::string out;
        Glosser glosser(analysed_dictionary().dict);
        glosser.gloss_line(text, out);
        EXPECT_EQ(out, lines) << text;
    }
}

// A word the analyser does not read is told by what it looks like, marked
// as a guess, and counts as not found.
TEST(Gloss, AnUnreadNameIsToldAsAGuess) {
    std::string out;
    Glosser glosser(analysed_dictionary().dict);
    glosser.gloss_line("Kalymnoksen", out);
    EXPECT_EQ(out, "Kalymnoksen\t\tKalymnos (name)\tgenitive singular\n");
    EXPECT_FALSE(glosser.all_found());
    std::string json;
    Glosser(analysed_dictionary().dict, true).gloss_line("Kalymnoksen", json);
    EXPECT_NE(json.find("\"lemma\":\"Kalymnos\",\"class\":\"name\",\"case\":\"genitive\",\"number\":\"singular\",\"guessed\":true"),
              std::string::npos) << json;
}

// A line of text shows a word's guess before any spelling it may stand for,
// so it asks for spellings only when nothing tells what the word is; JSON
// lists them always.
TEST(Gloss, SpellingsAreSoughtOnlyWhereTheyAreShown) {
    const auto& dict = analysed_dictionary().dict;
    const auto spellings = [&](std::string_view word, Suggesting suggesting) {
        return gloss_word(dict, word, suggesting).suggestions;
    };
    EXPECT_FALSE(spellings("kisa", Suggesting::WithoutGuess).empty());
    EXPECT_TRUE(spellings("Kisa", Suggesting::WithoutGuess).empty());
    EXPECT_FALSE(spellings("Kisa", Suggesting::Always).empty());
    EXPECT_TRUE(spellings("kisa", Suggesting::None).empty());
}

TEST(Gloss, JsonSaysWhichSpellingWasReadAndWhatIsMissing) {
    std::string out;
    Glosser glosser(analysed_dictionary().dict, true);
    glosser.gloss_line("hyva qqq", out);
    EXPECT_EQ(out,
              "{\"word\":\"hyva\",\"headword\":\"hyvä\",\"meaning\":\"good\",\"read_as\":\"hyvä\",\"readings\":"
              "[{\"lemma\":\"hyvä\",\"class\":\"adjective\",\"case\":\"nominative\",\"number\":\"singular\"}]}\n"
              "{\"word\":\"qqq\",\"headword\":null,\"meaning\":null,\"readings\":[],\"suggestions\":[]}\n");
    EXPECT_FALSE(glosser.all_found());
}

}  // namespace
}  // namespace lomperi::cli
