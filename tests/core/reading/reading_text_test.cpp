#include "core/reading/reading_layout.hpp"
#include "core/reading/reading_text.hpp"
#include "core/reading/text_words.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "term/char_width.hpp"

namespace lomperi::reading {
namespace {

std::vector<std::string> words_of(const ReadingText& text) {
    std::vector<std::string> words;
    for (std::size_t k = 0; k < text.word_count(); ++k) words.emplace_back(text.word(k));
    return words;
}

std::vector<std::string> lines_of(const ReadingText& text, const ReadingLayout& layout) {
    std::vector<std::string> lines;
    for (const auto& line : layout.lines()) lines.push_back(text.text().substr(line.start, line.end - line.start));
    return lines;
}

TEST(ReadingText, IsMadeSafeAndSplitIntoWords) {
    const ReadingText text("t", "Talo\x1b[2Jssa\r\non (kissa),\tja\xff koira.");
    EXPECT_EQ(text.text(), "Talo [2Jssa\non (kissa), ja\uFFFD koira.");
    EXPECT_EQ(words_of(text), (std::vector<std::string>{"Talo", "2Jssa", "on", "kissa", "ja\uFFFD", "koira"}));
    // A byte-order mark (Windows' editors) is no part of the first word.
    EXPECT_EQ(words_of(ReadingText("t", "\xEF\xBB\xBFTalo on")), (std::vector<std::string>{"Talo", "on"}));
}

// A slash between letters parts words (a menu's path, "ja/tai"); one beside a
// digit or another mark does not.
TEST(ReadingText, ASlashBetweenLettersPartsWords) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> rows = {
        {"Näytä/Peitä", {"Näytä", "Peitä"}},
        {"Sivellin/Kuvio/Liukuväri", {"Sivellin", "Kuvio", "Liukuväri"}},
        {"ja/tai", {"ja", "tai"}},
        {"1/2 3/x x/3", {"1/2", "3/x", "x/3"}},
        {"a//b /c d/", {"a//b", "/c", "d/"}},
    };
    for (const auto& [line, words] : rows) EXPECT_EQ(words_of(ReadingText("t", line)), words) << line;
}

// What lies between two words ends a sentence only with a mark before a
// space or a line's end: "esim.ja" and "3.5" do not.
TEST(ReadingText, ASentenceEndsBetweenTwoWords) {
    const std::vector<std::pair<std::string, bool>> rows = {
        {". ", true},  {"! ", true}, {"?\n", true}, {"… ", true}, {".\" ", false}, {"). ", true},
        {".", false},  {"…", false}, {", ", false},  {": ", false}, {" ", false},    {"", false},
    };
    for (const auto& [between, ends] : rows) EXPECT_EQ(ends_sentence_between(between), ends) << between;
}

TEST(ReadingText, LineEndsOfEverySystem) {
    const struct {
        std::string_view raw, text;
        std::size_t words;
    } cases[] = {
        {"kissa\rkoira\rja", "kissa\nkoira\nja", 3},  // old Macs
        {"kissa\r\nkoira\r\n", "kissa\nkoira\n", 2},  // Windows
        {"kissa\r\rkoira\r", "kissa\n\nkoira\n", 2},
        {"kissa\r\r\nkoira", "kissa\n\nkoira", 2},
        {"\r", "\n", 0},
    };
    for (const auto& c : cases) {
        const ReadingText text("t", c.raw);
        EXPECT_EQ(text.text(), c.text) << c.raw;
        EXPECT_EQ(text.word_count(), c.words) << c.raw;
    }
    const ReadingText lines("t", "Talo on iso.\rKissa ja koira.");
    EXPECT_EQ(lines.sentence_of(0), "Talo on iso.");
    EXPECT_EQ(ReadingLayout::wrap(lines, 40).line_count(), 2u);
}

// Letters with combining marks (from PDFs, macOS) are read as the letters typed.
TEST(ReadingText, DecomposedLettersAreComposed) {
    const ReadingText text("t", "Ka\u0308vin to\u0308issa\u0308\r\nja\xff\u0308 pa\u0308a\u0308");
    EXPECT_EQ(text.text(), "Kävin töissä\nja\uFFFD\u0308 pää");
    EXPECT_EQ(words_of(text), (std::vector<std::string>{"Kävin", "töissä", "ja\uFFFD\u0308", "pää"}));
    // Composed a piece at a time: a letter and its mark are not parted anywhere in a long text.
    std::string raw;
    std::string expected;
    for (int k = 0; k < 60'000; ++k) {
        raw += k % 3 == 0 ? "o\u0308ljy\t" : k % 3 == 1 ? "pa\u0308a\u0308\n" : "ho\u0308yry\r\n";
        expected += k % 3 == 0 ? "öljy " : k % 3 == 1 ? "pää\n" : "höyry\n";
    }
    const ReadingText long_text("t", raw);
    EXPECT_TRUE(long_text.text() == expected);
    EXPECT_EQ(long_text.word_count(), 60'000u);
}

TEST(ReadingText, SentenceOfAWord) {
    const ReadingText text("t", "Eka lause. Toinen on tässä! Kolmas\nrivillä jatkuu…\n\nUusi kappale ilman loppua");
    const struct {
        std::size_t word;
        std::string sentence;
    } cases[] = {
        {0, "Eka lause."},
        {3, "Toinen on tässä!"},
        {6, "Kolmas rivillä jatkuu…"},
        {9, "Uusi kappale ilman loppua"},
    };
    for (const auto& c : cases) EXPECT_EQ(text.sentence_of(c.word), c.sentence) << c.word;
    // A sentence without an end is cut around the word, never longer than the bound.
    for (const std::string& word : {std::string("sana"), std::string("kolmekymmentäkaksi"), std::string(200, 'x')}) {
        const ReadingText long_text("t", std::string(5000, 'a') + " " + word + " " + std::string(5000, 'b'));
        EXPECT_LE(long_text.sentence_of(1).size(), kMaxSentenceBytes + 8) << word;
        EXPECT_NE(long_text.sentence_of(1).find(word), std::string::npos) << word;
    }
}

TEST(ReadingLayout, WrapsAtSpacesKeepsEmptyLinesAndCutsLongWords) {
    const ReadingText text("t", "yksi kaksi kolme\n\nneljäviisikuusi seitsemän");
    const auto layout = ReadingLayout::wrap(text, 10);
    EXPECT_EQ(lines_of(text, layout),
              (std::vector<std::string>{"yksi kaksi", "kolme", "", "neljäviisi", "kuusi", "seitsemän"}));
    EXPECT_EQ(layout.line_of_word(text, 2), 1u);
    EXPECT_EQ(layout.line_of_word(text, 3), 3u);  // the cut word starts on its first line
    EXPECT_EQ(layout.line_of_word(text, 4), 5u);
    EXPECT_EQ(layout.column_of_word(text, 1), 5u);
}

// A character wider than the line has a line of its own, and no empty line
// follows it.
TEST(ReadingLayout, AWideCharacterOnANarrowLineTakesOneLine) {
    const ReadingText text("t", "\u6f22 a \u6f22\u5b57b");
    EXPECT_EQ(lines_of(text, ReadingLayout::wrap(text, 1)),
              (std::vector<std::string>{"\u6f22", "a", "\u6f22", "\u5b57", "b"}));
}

// A word list: lines without spaces, each its own display line; and a text
// without a space cut at the width all through.
TEST(ReadingLayout, LongTextsWithoutSpaces) {
    std::string list;
    for (int k = 0; k < 200'000; ++k) list += "sana" + std::to_string(k) + "\n";
    const ReadingText words("t", list);
    const auto by_line = ReadingLayout::wrap(words, 30);
    ASSERT_EQ(by_line.line_count(), 200'001u);
    const auto lines = lines_of(words, by_line);
    EXPECT_EQ(lines[0], "sana0");
    EXPECT_EQ(lines[199'999], "sana199999");
    EXPECT_EQ(lines[200'000], "");
    EXPECT_EQ(by_line.line_of_word(words, 150'000), 150'000u);
    EXPECT_EQ(by_line.word_lines_away(words, 150'000, 7), 150'007u);

    const ReadingText one_word("t", std::string(1'000'003, 'a') + "ä" + std::string(500'000, 'b'));
    const auto cut = ReadingLayout::wrap(one_word, 80);
    ASSERT_EQ(cut.line_count(), (1'000'004 + 500'000 + 79) / 80);
    const auto cut_lines = lines_of(one_word, cut);
    for (std::size_t k = 0; k + 1 < cut_lines.size(); ++k) ASSERT_EQ(term::display_width(cut_lines[k]), 80u) << k;
    EXPECT_EQ(cut_lines[12'500], "aaaä" + std::string(76, 'b'));
}

// A resize need not wrap again when every line fits either width whole.
TEST(ReadingLayout, WrapsAlikeWhenEveryLineFitsBothWidths) {
    const struct {
        std::string_view text;
        std::uint16_t from, to;
        bool alike;
    } cases[] = {
        {"sana\ntoinen\n\nkolmas", 30, 6, true},
        {"sana\ntoinen\n\nkolmas", 30, 5, false},
        {"sana  toinen", 40, 12, true},
        {"sana  toinen", 40, 11, false},
        {"\u0308 ab", 40, 3, true},  // a chunk without width still has a space after it
        {"\u0308 ab", 40, 2, false},
        {"talo\u4E00\u4E00", 8, 20, true},
        {"talo\u4E00\u4E00", 7, 20, false},
        {"talo\u4E00\u4E00", 7, 7, true},
        {"", 0, 10, true},
    };
    for (const auto& c : cases) {
        const ReadingText text("t", c.text);
        const auto layout = ReadingLayout::wrap(text, c.from);
        EXPECT_EQ(layout.wraps_alike(c.to), c.alike) << c.text << " " << c.to;
        EXPECT_EQ(lines_of(text, layout) == lines_of(text, ReadingLayout::wrap(text, c.to)), c.alike) << c.text;
    }
}

// Spaces are drawn as they are: a line never holds more than fits, and each
// of its words is drawn.
TEST(ReadingLayout, RunsOfSpacesCountAsTheyAreDrawn) {
    const ReadingText text("t", "Talo on iso.  Kissa ja koira.   Ne   ovat  hyviä.");
    const auto layout = ReadingLayout::wrap(text, 16);
    EXPECT_EQ(lines_of(text, layout),
              (std::vector<std::string>{"Talo on iso.", "Kissa ja koira.", "Ne   ovat", "hyviä."}));
    for (const auto& line : lines_of(text, layout)) EXPECT_LE(term::display_width(line), 16u) << line;
}

TEST(ReadingLayout, UpAndDownKeepTheColumnAndPassEmptyLines) {
    const ReadingText text("t", "aa bb cc\ndd\n\nee ff gg hh");
    const auto layout = ReadingLayout::wrap(text, 20);
    const struct {
        std::size_t from;
        std::int64_t lines;
        std::optional<std::size_t> to;
    } cases[] = {
        {1, 1, 3},            // bb, down: dd, the only word
        {3, 1, 4},            // dd, down past the empty line: ee (column 0)
        {6, -1, 3},           // gg, up past the empty line: dd
        {2, -1, std::nullopt},  // the first line: nowhere to go
        {1, 100, 5},          // far down: the last line, nearest the column (ff)
        {7, -100, 2},         // far up: the first line, nearest the column (cc)
    };
    for (const auto& c : cases) EXPECT_EQ(layout.word_lines_away(text, c.from, c.lines), c.to) << c.from;

    // A million empty lines between two words are passed in one move, either way.
    const ReadingText far("t", "yksi kaksi" + std::string(1'000'000, '\n') + "kolme neljä\n\n");
    const auto far_layout = ReadingLayout::wrap(far, 20);
    EXPECT_EQ(far_layout.word_lines_away(far, 1, 1), 2u);
    EXPECT_EQ(far_layout.word_lines_away(far, 3, -1), 1u);
    EXPECT_EQ(far_layout.word_lines_away(far, 2, 5), std::nullopt);  // nothing below the last word
    EXPECT_EQ(far_layout.word_lines_away(far, 0, -3), std::nullopt);
}

}  // namespace
}  // namespace lomperi::reading
