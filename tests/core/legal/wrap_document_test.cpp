#include "core/legal/wrap_document.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace lomperi::legal {
namespace {

using Lines = std::vector<std::string>;

struct WrapCase {
    const char* name;
    std::string body;
    std::uint16_t width;
    Lines expected;
};

TEST(WrapDocument, Cases) {
    const WrapCase cases[] = {
        {"empty body", "", 10, {}},
        {"final line feed adds no line", "one two\n", 10, {"one two"}},
        {"no final line feed", "one two", 10, {"one two"}},
        {"carriage return before line feed", "one\r\ntwo\r\n", 10, {"one", "two"}},
        {"empty and blank lines", "a\n\n   \n\t\nb\n", 10, {"a", "", "", "", "b"}},
        {"lone line feed", "\n", 10, {""}},
        {"fits exactly", "aaaa bbbbb\n", 10, {"aaaa bbbbb"}},
        {"wraps at word", "aaaa bbbbbb\n", 10, {"aaaa", "bbbbbb"}},
        {"runs of spaces collapse", "a   b \t c  \n", 10, {"a b c"}},
        {"indent kept on continuation", "  - one two three\n", 10, {"  - one", "  two", "  three"}},
        {"indent kept while I + 1 < W", "    ab cd\n", 6, {"    ab", "    cd"}},
        {"indent dropped when I + 1 = W", "    ab cd\n", 5, {"ab cd"}},
        {"indent dropped when wider", "      ab cd\n", 5, {"ab cd"}},
        {"long word cut in W - I pieces", "  abcdefghij\n", 6, {"  abcd", "  efgh", "  ij"}},
        {"last piece shares its line", "abcdefg xy z\n", 5, {"abcde", "fg xy", "z"}},
        {"long word after a word", "ab cdefghijk\n", 5, {"ab", "cdefg", "hijk"}},
        {"word exactly W", "abcde fg\n", 5, {"abcde", "fg"}},
        {"underline is one word", "=========\n", 4, {"====", "====", "="}},
        {"width 1", "ab c\n", 1, {"a", "b", "c"}},
        {"width 0 counts as 1", "ab\n", 0, {"a", "b"}},
        {"multi-byte counted as characters", "äää öö\n", 6, {"äää öö"}},
        {"multi-byte cut between characters", "ääääå\n", 2, {"ää", "ää", "å"}},
        {"wide characters take two cells", "😀😀😀 x\n", 2, {"😀", "😀", "😀", "x"}},
        {"a wide character where one cell is left", "a漢字\n", 2, {"a", "漢", "字"}},
        {"a wide character on a line of one cell", "x 漢 y 漢\n", 1, {"x", "漢", "y", "漢"}},
        {"url", "    https://example.org/a/very/long/path here\n", 16,
         {"    https://exam", "    ple.org/a/ve", "    ry/long/path", "    here"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(wrap_document(c.body, c.width), c.expected);
    }
}

TEST(WrapDocument, InvalidUtf8StillMakesProgress) {
    const Lines lines = wrap_document("\x80\x80" "abc\xff\xfe\n", 1);
    EXPECT_FALSE(lines.empty());
    std::string joined;
    for (const auto& line : lines) joined += line;
    EXPECT_EQ(joined, "\x80\x80" "abc\xff\xfe");
}

}  // namespace
}  // namespace lomperi::legal
