#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/expand/wrap_with_links.hpp"

namespace lomperi::expand {
namespace {

using Region = std::tuple<std::uint16_t, std::uint16_t, std::string>;

// A line as text with its underlined runs in <angle brackets>; every other
// run must be in the paragraph's own style.
std::string picture(const EntryLine& line, term::Style style) {
    std::string out;
    for (const term::Span& span : line.line.spans) {
        if (span.style == style.adding(term::Underlined)) {
            out += "<" + span.text + ">";
            continue;
        }
        EXPECT_EQ(span.style, style) << span.text;
        out += span.text;
    }
    return out;
}

struct WrapCase {
    const char* name;
    std::string prefix;
    std::string text;
    std::vector<LinkSpan> links;
    std::uint16_t width;
    std::vector<std::string> lines;
    std::vector<std::vector<Region>> regions;  // per line; missing lines have none
};

void check(const WrapCase& c, term::Style style) {
    const std::vector<EntryLine> got = wrap_with_links(c.prefix, c.text, c.links, style, c.width);
    std::vector<std::string> lines;
    for (const EntryLine& line : got) lines.push_back(picture(line, style));
    EXPECT_EQ(lines, c.lines) << c.name;
    for (std::size_t k = 0; k < got.size(); ++k) {
        std::vector<Region> regions;
        for (const LinkRegion& r : got[k].links) regions.emplace_back(r.start, r.end, r.target);
        const std::vector<Region> expected = k < c.regions.size() ? c.regions[k] : std::vector<Region>{};
        EXPECT_EQ(regions, expected) << c.name << ", line " << k;
    }
}

TEST(WrapWithLinks, WrapsAndMarksLinks) {
    const std::vector<WrapCase> cases = {
        {"text without tokens", "- ", " \t ", {}, 40, {"- "}, {}},
        {"continuation lines indented by the prefix width", "- ", "aa bb cc", {}, 7, {"- aa bb", "  cc"}, {}},
        {"expansion gloss wraps with eight spaces", "      - ", "aa bb", {}, 11, {"      - aa", "        bb"}, {}},
        {"whitespace runs collapse to one space", "- ", "aa \t\n bb", {}, 40, {"- aa bb"}, {}},
        {"a long token is not broken", "- ", "abcdefghij x", {}, 5, {"- abcdefghij", "  x"}, {}},
        {"a long first token stays after the prefix", "- ", "abcdefghij", {}, 3, {"- abcdefghij"}, {}},
        {"widths count cells", "- ", "ää ää öö", {}, 7, {"- ää ää", "  öö"}, {}},
        {"a wide character takes two cells", "- ", "漢字 ab", {}, 7, {"- 漢字", "  ab"}, {}},
        {"one-word link", "- ", "plural of kissa", {{"kissa", 10, 15}}, 40, {"- plural of <kissa>"},
         {{{12, 17, "kissa"}}}},
        {"two-word link is underlined with its space", "- ", "see iso kissa now", {{"iso kissa", 4, 13}}, 40,
         {"- see <iso kissa> now"}, {{{6, 15, "iso kissa"}}}},
        {"two-word link across a line break", "- ", "see iso kissa", {{"iso kissa", 4, 13}}, 9,
         {"- see <iso>", "  <kissa>"}, {{{6, 9, "iso kissa"}}, {{2, 7, "iso kissa"}}}},
        {"neighbouring links with different targets", "- ", "iso kissa", {{"iso", 0, 3}, {"kissa", 4, 9}}, 40,
         {"- <iso> <kissa>"}, {{{2, 5, "iso"}, {6, 11, "kissa"}}}},
        {"neighbouring links with one target join", "- ", "kissa kissa", {{"kissa", 0, 5}, {"kissa", 6, 11}}, 40,
         {"- <kissa kissa>"}, {{{2, 13, "kissa"}}}},
        {"a trailing full stop stays outside the link", "- ", "plural of kissa.", {{"kissa", 10, 15}}, 40,
         {"- plural of <kissa>."}, {{{12, 17, "kissa"}}}},
        {"brackets stay outside the link", "- ", "cat (kissa).", {{"kissa", 5, 10}}, 40, {"- cat (<kissa>)."},
         {{{7, 12, "kissa"}}}},
        {"a bracket opening a two-word link", "- ", "(iso kissa)", {{"iso kissa", 1, 10}}, 40, {"- (<iso kissa>)"},
         {{{3, 12, "iso kissa"}}}},
        {"a bracket between links of one target breaks them", "- ", "kissa (kissa)",
         {{"kissa", 0, 5}, {"kissa", 7, 12}}, 40, {"- <kissa> (<kissa>)"}, {{{2, 7, "kissa"}, {9, 14, "kissa"}}}},
        {"a comma between links of one target breaks them", "- ", "kissa, kissa",
         {{"kissa", 0, 5}, {"kissa", 7, 12}}, 40, {"- <kissa>, <kissa>"}, {{{2, 7, "kissa"}, {9, 14, "kissa"}}}},
        {"punctuation inside a multi-word link is part of it", "- ", "iso, kissa", {{"iso, kissa", 0, 10}}, 40,
         {"- <iso, kissa>"}, {{{2, 12, "iso, kissa"}}}},
        {"a span ending inside a word links nothing", "- ", "kissanpentu", {{"kissa", 0, 5}}, 40, {"- kissanpentu"},
         {}},
        {"a hyphen is no punctuation to leave out", "- ", "kissa-", {{"kissa", 0, 5}}, 40, {"- kissa-"}, {}},
        {"a token of punctuation only needs the whole span", "- ", "a ... b", {{"x", 3, 4}}, 40, {"- a ... b"}, {}},
        {"link columns count cells", "- ", "äiti on", {{"äiti", 0, 5}}, 40, {"- <äiti> on"},
         {{{2, 6, "äiti"}}}},
        {"a link after wide characters starts where the screen shows it", "- ", "漢字 kissa", {{"kissa", 7, 12}}, 40,
         {"- 漢字 <kissa>"}, {{{7, 12, "kissa"}}}},
        {"first covering span wins", "- ", "kissa", {{"eka", 0, 5}, {"toka", 0, 5}}, 40, {"- <kissa>"},
         {{{2, 7, "eka"}}}},
    };
    for (const auto& c : cases) check(c, term::Style{});
    for (const auto& c : cases) check(c, term::Style{}.with_fg(term::Color::DarkGray).adding(term::Dim));
}

TEST(WrapWithLinks, LinkStyleAddsUnderlineEvenWhenTheStyleRemovesIt) {
    const term::Style style = term::Style{}.removing(term::Underlined);
    const std::vector<LinkSpan> links = {{"kissa", 0, 5}};
    const auto lines = wrap_with_links("- ", "kissa", links, style, 40);
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].line.spans.size(), 2u);
    EXPECT_EQ(lines[0].line.spans[1].style.add, term::Underlined);
    EXPECT_EQ(lines[0].line.spans[1].style.remove, term::NoModifier);
}

TEST(WrapWithLinks, ColumnsSaturate) {
    const std::string prefix(65533, 'p');
    const std::vector<LinkSpan> links = {{"bcdef", 2, 7}};
    const auto lines = wrap_with_links(prefix, "a bcdef", links, term::Style{}, 65535);
    ASSERT_EQ(lines.size(), 1u);  // 65533 + 1 + 1 + 5 saturates at the width and still fits
    ASSERT_EQ(lines[0].links.size(), 1u);
    EXPECT_EQ(lines[0].links[0], (LinkRegion{65535, 65535, "bcdef"}));
}

}  // namespace
}  // namespace lomperi::expand
