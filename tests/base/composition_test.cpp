#include "base/composition.hpp"

#include <gtest/gtest.h>

#include <string>

namespace lomperi {
namespace {

TEST(Composition, DecomposedLettersAreComposed) {
    const struct {
        std::string_view text, expected;
    } cases[] = {
        {"ka\u0308vi", "kävi"},
        {"O\u0308ljy\u0308", "Öljÿ"},
        {"A\u030Angstro\u0308m", "Ångström"},
        {"kävi öljy", "kävi öljy"},
        {"e\u0323\u0302", "\u1EC7"},           // marks put in order, then composed
        {"\u0308alku", "\u0308alku"},         // nothing before the mark to compose with
        {"a\xff\u0308", "a\xff\u0308"},       // a byte that is not UTF-8 stays, and parts them
        {"\xe2\x82", "\xe2\x82"},             // a character cut short stays
        {"talo\n\u0308o", "talo\n\u0308o"},  // nor across a line end
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(composed(c.text), c.expected) << c.text;
}

TEST(Composition, AppendsToWhatIsThere) {
    std::string out = "sana: ";
    append_composed(out, "pa\u0308a\u0308");
    EXPECT_EQ(out, "sana: pää");
}

// Megabytes go to ICU in pieces; a letter and its mark are never parted.
TEST(Composition, LongTextsAreComposedWhole) {
    std::string text;
    std::string expected;
    while (text.size() < (std::size_t{3} << 20)) {
        text += "ka\u0308vi\u0308 ";
        expected += "kävï ";
    }
    EXPECT_EQ(composed(text), expected);

    std::string marks = "o";
    for (int k = 0; k < 600'000; ++k) marks += "\u0308";
    const std::string result = composed(marks);
    EXPECT_TRUE(result.starts_with("ö\u0308"));
    EXPECT_EQ(result.size(), marks.size() - 1);
}

}  // namespace
}  // namespace lomperi
