#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/expand/entry_lines.hpp"
#include "core/expand/entry_view.hpp"
#include "support/kehu_data.hpp"

namespace lomperi::expand {
namespace {

const term::Style kDefault{};
const term::Style kGrey = term::Style{}.with_fg(term::Color::DarkGray);
const term::Style kGreyDim = kGrey.adding(term::Dim);
const term::Style kCyanBold = term::Style{}.with_fg(term::Color::Cyan).adding(term::Bold);
const term::Style kYellow = term::Style{}.with_fg(term::Color::Yellow);

struct Row {
    std::size_t leading;
    std::string text;
    std::optional<term::Style> style;  // none: the line holds no span
    std::string underlined = {};
};

std::string text_of(const EntryLine& line) {
    std::string out;
    for (const auto& span : line.line.spans) out += span.text;
    return out;
}

// Compares lines with rows of (leading spaces, rest of the text, style), the
// underlined runs gathered separately.
void expect_rows(const std::vector<EntryLine>& lines, const std::vector<Row>& rows) {
    ASSERT_EQ(lines.size(), rows.size());
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const std::string text = text_of(lines[k]);
        const std::size_t leading = text.find_first_not_of(' ');
        EXPECT_EQ(leading == std::string::npos ? text.size() : leading, rows[k].leading) << "line " << k;
        EXPECT_EQ(text.substr(rows[k].leading), rows[k].text) << "line " << k;
        if (!rows[k].style) {
            EXPECT_TRUE(lines[k].line.spans.empty()) << "line " << k;
            continue;
        }
        std::string underlined;
        for (const auto& span : lines[k].line.spans) {
            if (span.style == rows[k].style->adding(term::Underlined)) {
                underlined += span.text;
                continue;
            }
            EXPECT_EQ(span.style, *rows[k].style) << "line " << k << ": " << span.text;
        }
        EXPECT_EQ(underlined, rows[k].underlined) << "line " << k;
    }
}

// The rows of kehui's entry on a wide pane; the English word blocks ("to",
// "in") only without an English side, which tells them from Finnish words.
std::vector<Row> kehui_rows(bool with_english) {
    std::vector<Row> rows = {
        {0, "kehui", kCyanBold},
        {0, "", std::nullopt},
        {0, "(verb)", kYellow},
        {0, "- third-person singular past indicative of kehua", kDefault, "kehua"},
        {2, "~> kehua (verb)", kGrey},
        {6, "- to praise, tout, acclaim, commend", kGrey},
        {6, "- to tell, say", kGrey},
        {6, "~> to (noun)", kGreyDim},
        {10, "- Thu (abbreviation of Thursday)", kGreyDim},
        {3, "~> kehua -> kehu (noun)", kGrey},
        {6, "- praise, commendation (favorable representation in words)", kGrey},
        {6, "~> in (adj)", kGreyDim},
        {10, "- in, popular (in fashion)", kGreyDim},
        {6, "- inflection of kehua:", kGrey},
        {6, "- present active indicative connegative", kGrey},
        {6, "- second-person singular present active imperative connegative", kGrey},
        {6, "- second-person singular present imperative", kGrey},
    };
    if (with_english) std::erase_if(rows, [](const Row& row) { return row.style == kGreyDim; });
    return rows;
}

// The entry of kehui as the dictionary shows it, with and without the English
// side: only "of kehua" is a link either way.
TEST(EntryLines, KehuiWorkedExample) {
    for (const bool with_english : {false, true}) {
        SCOPED_TRACE(with_english ? "with the English side" : "without it");
        const testing::TestDictionary t = testing::make_kehu_dictionary(with_english);
        const format::GlossRecord record = t.dict.gloss_record("kehui").value();
        const EntryView view = build_entry_view(t.dict, "kehui", record);
        const auto lines = entry_lines("kehui", record, view.lines, view.links, EntryLook::Shown, 200);
        expect_rows(lines, kehui_rows(with_english));
        EXPECT_EQ(lines[3].links, (std::vector<LinkRegion>{{43, 48, "kehua"}}));
        for (std::size_t k = 0; k < lines.size(); ++k) {
            if (k != 3) {
                EXPECT_TRUE(lines[k].links.empty()) << "line " << k;
            }
        }
    }
    const testing::TestDictionary t = testing::make_kehu_dictionary(true);
    const EntryView kehua = build_entry_view(t.dict, "kehua", t.dict.gloss_record("kehua").value());
    for (const auto& links : kehua.links) EXPECT_TRUE(links.empty()) << "\"to\" is English";
}

TEST(EntryLines, DimEntryIsAllGreyWithoutAttributes) {
    const testing::TestDictionary t = testing::make_kehu_dictionary();
    const format::GlossRecord record = t.dict.gloss_record("kehui").value();
    const EntryView view = build_entry_view(t.dict, "kehui", record);
    const auto lines = entry_lines("kehui", record, view.lines, {}, EntryLook::Kept, 200);
    ASSERT_EQ(lines.size(), 17u);
    for (const auto& line : lines) {
        EXPECT_TRUE(line.links.empty());
        for (const auto& span : line.line.spans) EXPECT_EQ(span.style, kGrey) << span.text;
    }
}

TEST(EntryLines, GroupsPosLinesAndWrapping) {
    const format::GlossRecord cat{{{"", {"a cat"}}, {"noun", {"kitty cat"}}}};
    const Expansion plain{"kisu", format::GlossRecord{{{"", {"pet name of a cat"}}}}, {{}}, std::nullopt};
    const Expansion empty{"tyhjä", format::GlossRecord{}, {}, "tyhjä"};
    const std::vector<std::vector<Expansion>> expansions = {{plain, empty}};  // none for the second meaning
    const std::vector<std::vector<LinkSpan>> links = {{}, {{"kitty", 0, 5}}};
    expect_rows(entry_lines("kissa", cat, expansions, links, EntryLook::Shown, 15),
                {
                    {0, "kissa", kCyanBold},
                    {0, "", std::nullopt},
                    {0, "- a cat", kDefault},
                    {2, "~> kisu", kGrey},
                    {6, "- pet", kGrey},
                    {8, "name of", kGrey},
                    {8, "a cat", kGrey},
                    {3, "~> tyhjä ->", kGrey},
                    {6, "tyhjä", kGrey},
                    {0, "", std::nullopt},
                    {0, "(noun)", kYellow},
                    {0, "- kitty cat", kDefault, "kitty"},
                });
}

TEST(EntryLines, EmptyRecordShowsTheHeadwordOnly) {
    expect_rows(entry_lines("tyhjä", format::GlossRecord{}, {}, {}, EntryLook::Shown, 40),
                {{0, "tyhjä", kCyanBold}, {0, "", std::nullopt}});
}

}  // namespace
}  // namespace lomperi::expand
