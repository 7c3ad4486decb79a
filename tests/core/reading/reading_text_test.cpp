#include "core/reading/reading_layout.hpp"
#include "core/reading/reading_text.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    const ReadingText long_text("t", std::string(5000, 'a') + " sana " + std::string(5000, 'b'));
    EXPECT_LE(long_text.sentence_of(1).size(), kMaxSentenceBytes + 8);
    EXPECT_NE(long_text.sentence_of(1).find("sana"), std::string::npos);
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
}

}  // namespace
}  // namespace lomperi::reading
