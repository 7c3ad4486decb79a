#include "base/text.hpp"

#include <gtest/gtest.h>

#include <unicode/ustring.h>

#include <string>

#include "base/utf8.hpp"

namespace lomperi {
namespace {

TEST(LetterCase, OneRuleForEveryScript) {
    struct Row {
        std::string_view text, lower, first, capital;
        bool all_capitals;
    };
    const Row rows[] = {
        {"Talo", "talo", "talo", "Talo", false},
        {"TALON", "talon", "tALON", "Talon", true},
        {"ÄITI", "äiti", "äITI", "Äiti", true},
        {"Ćevapi", "ćevapi", "ćevapi", "Ćevapi", false},
        {"ŠAKKI", "šakki", "šAKKI", "Šakki", true},
        {"ΟΔΟΣ", "οδος", "οΔΟΣ", "Οδος", true},
        {"EU", "eu", "eU", "Eu", true},
        {"A", "a", "a", "A", false},
        {"3D", "3d", "3D", "3d", false},
        {"", "", "", "", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(lower_case(row.text), row.lower) << row.text;
        EXPECT_EQ(lower_case_first(row.text), row.first) << row.text;
        EXPECT_EQ(capitalized(row.text), row.capital) << row.text;
        EXPECT_EQ(is_all_capitals(row.text), row.all_capitals) << row.text;
    }
}

// The ASCII and Latin-1 shortcuts must agree with ICU for every such character.
TEST(LetterCase, ShortcutsAgreeWithIcu) {
    std::string all;
    for (int c = 1; c < 0x80; ++c) all += static_cast<char>(c);
    for (char32_t c = 0xC0; c < 0x100; ++c) append_utf8(all, c);
    std::u16string units;
    for (char32_t c = 1; c < 0x80; ++c) units += static_cast<char16_t>(c);
    for (char32_t c = 0xC0; c < 0x100; ++c) units += static_cast<char16_t>(c);
    std::u16string lower(units.size() + 8, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = u_strToLower(lower.data(), static_cast<int32_t>(lower.size()), units.data(),
                                        static_cast<int32_t>(units.size()), "", &status);
    ASSERT_TRUE(U_SUCCESS(status));
    lower.resize(static_cast<std::size_t>(length));
    std::string expected;
    for (const char16_t unit : lower) append_utf8(expected, unit);
    EXPECT_EQ(lower_case(all), expected);
}

TEST(OuterMarks, StrippedAtTheEndsOnly) {
    const std::pair<std::string_view, std::string_view> rows[] = {
        {"(kissa).", "kissa"},       {"\u201cKehun\u201d", "Kehun"}, {"zzz\u2026", "zzz"},
        {"vaa'an", "vaa'an"},        {"\u2013", ""},                  {"-kin", "-kin"},
        {"talo\xff.", "talo\xff"},   {"...", ""},                      {"\u00abloppu\u00bb!", "loppu"},
    };
    for (const auto& [word, stripped] : rows) EXPECT_EQ(strip_outer_marks(word), stripped) << word;
}

// Only the twelve ASCII marks, at the ends of a word of a meaning.
TEST(PhraseMarks, OnlyTheTwelveAsciiMarks) {
    struct Row {
        std::string_view word;
        std::size_t leading;
        std::size_t trailing;
    };
    const Row rows[] = {
        {".,;:!?\"'()[]kala.,;:!?\"'()[]", 12, 12},
        {"\u201ckala\u201d", 0, 0},
        {"\u201ekala\u201c", 0, 0},
        {"\u2018kala\u2019", 0, 0},
        {"\u00abkala\u00bb", 0, 0},
        {"\u2013kala\u2014", 0, 0},
        {"-kin", 0, 0},
        {"kala\u2026", 0, 0},
        {"(\u201ckala\u201d).", 1, 2},
        {"vaa'an", 0, 0},
        {"\"\xff\"", 1, 1},
        {"...", 3, 3},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(leading_phrase_marks(row.word), row.leading) << row.word;
        EXPECT_EQ(trailing_phrase_marks(row.word), row.trailing) << row.word;
    }
}

}  // namespace
}  // namespace lomperi
