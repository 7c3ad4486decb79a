#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/expand/meaning_scan.hpp"

namespace lomperi::expand {
namespace {

struct TokenCase {
    const char* name;
    std::string text;
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
};

TEST(TokenizeMeaning, SplitsAtEveryWhiteSpaceCharacterAndNothingElse) {
    const std::vector<TokenCase> cases = {
        {"empty", "", {}},
        {"only spaces", " \t\n ", {}},
        {"runs give no empty tokens", "  a  bc ", {{2, 3}, {5, 7}}},
        {"ascii controls 09-0D", "a\tb\nc\vd\fe\rf", {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {8, 9}, {10, 11}}},
        {"next line U+0085", "a\u0085b", {{0, 1}, {3, 4}}},
        {"no-break space U+00A0", "a\u00A0b", {{0, 1}, {3, 4}}},
        {"ogham U+1680", "a\u1680b", {{0, 1}, {4, 5}}},
        {"en quad U+2000", "a\u2000b", {{0, 1}, {4, 5}}},
        {"hair space U+200A", "a\u200Ab", {{0, 1}, {4, 5}}},
        {"line separator U+2028", "a\u2028b", {{0, 1}, {4, 5}}},
        {"paragraph separator U+2029", "a\u2029b", {{0, 1}, {4, 5}}},
        {"narrow no-break U+202F", "a\u202Fb", {{0, 1}, {4, 5}}},
        {"math space U+205F", "a\u205Fb", {{0, 1}, {4, 5}}},
        {"ideographic space U+3000", "a\u3000b", {{0, 1}, {4, 5}}},
        {"zero width space U+200B is no White_Space", "a\u200Bb", {{0, 5}}},
        {"word joiner U+2060 is no White_Space", "a\u2060b", {{0, 5}}},
        {"U+180E is no White_Space", "a\u180Eb", {{0, 5}}},
        {"U+001C is no White_Space", "a\x1c" "b", {{0, 3}}},
        {"letters sharing lead bytes stay whole", "\u2081\u3001\u1681", {{0, 9}}},
        {"punctuation stays in the token", "(kissa).", {{0, 8}}},
        {"bytes that are not UTF-8 are word characters", "a\xff b", {{0, 2}, {3, 4}}},
        {"a lone C2 at the end", "a \xc2", {{0, 1}, {2, 3}}},
    };
    for (const auto& c : cases) {
        std::vector<std::pair<std::size_t, std::size_t>> got;
        for (const WordToken& token : tokenize_meaning(c.text)) {
            EXPECT_EQ(token.text, std::string_view(c.text).substr(token.start, token.end - token.start)) << c.name;
            got.emplace_back(token.start, token.end);
        }
        EXPECT_EQ(got, c.ranges) << c.name;
    }
}

}  // namespace
}  // namespace lomperi::expand
