#include "core/dict_server/command_lines.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lomperi::dict_server {
namespace {

using Line = CommandLines::Line;

// The lines of the bytes given in pieces, each piece taken in before the
// next, and whether a line is under way at the end.
std::pair<std::vector<Line>, bool> cut(const std::vector<std::string>& pieces) {
    CommandLines lines;
    std::vector<Line> out;
    for (const auto& piece : pieces) {
        lines.add(piece);
        while (auto line = lines.next()) out.push_back(std::move(*line));
    }
    return {out, lines.in_line()};
}

TEST(CommandLines, OneLinePerLineEndWhateverThePieces) {
    const std::string longest(kMaxCommandLine - 2, 'a');
    const std::string one_more(kMaxCommandLine - 1, 'a');
    const struct {
        std::vector<std::string> pieces;
        std::vector<Line> lines;
        bool in_line;
    } cases[] = {
        {{"STATUS\r\n"}, {{"STATUS", false}}, false},
        {{"STA", "TUS\r", "\n"}, {{"STATUS", false}}, false},
        {{"HELP\nQUIT\r\nDEF"}, {{"HELP", false}, {"QUIT", false}}, true},
        {{"\r\n", "\n"}, {{"", false}, {"", false}}, false},
        {{longest + "\r\n"}, {{longest, false}}, false},
        {{one_more + "\r\n"}, {{"", true}}, false},
        // Too long before its end arrives, and after: one line all the same.
        {{std::string(5000, 'x'), std::string(3000, 'y'), "z\r\nHELP\r\n"}, {{"", true}, {"HELP", false}}, false},
        {{std::string(kMaxCommandLine, 'x'), "\r\n", "STATUS\r\n"}, {{"", true}, {"STATUS", false}}, false},
        {{std::string(kMaxCommandLine, 'x')}, {}, true},
    };
    for (const auto& c : cases) {
        const auto [lines, in_line] = cut(c.pieces);
        EXPECT_EQ(lines, c.lines) << c.pieces.front().substr(0, 20);
        EXPECT_EQ(in_line, c.in_line) << c.pieces.front().substr(0, 20);
    }
}

TEST(CommandLines, AByteAtATimeIsTheSameLine) {
    const std::string text = "DEFINE fi-en talo\r\n" + std::string(1500, 'q') + "\r\nSTATUS\r\n";
    std::vector<std::string> bytes;
    for (const char c : text) bytes.emplace_back(1, c);
    const auto [lines, in_line] = cut(bytes);
    EXPECT_EQ(lines, (std::vector<Line>{{"DEFINE fi-en talo", false}, {"", true}, {"STATUS", false}}));
    EXPECT_FALSE(in_line);
}

}  // namespace
}  // namespace lomperi::dict_server
