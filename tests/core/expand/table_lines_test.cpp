#include "core/expand/table_lines.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "term/char_width.hpp"

namespace lomperi::expand {
namespace {

using analysis::Case;
using analysis::Number;
using paradigm::InflectionTable;
using paradigm::TableCell;
using paradigm::TableRow;
using paradigm::TableSection;
using Kind = TableLine::Kind;

TableCell cell(std::vector<std::string> forms) { return {std::move(forms), {}}; }

InflectionTable omena() {
    TableSection cases{"cases", {"singular", "plural"}, {}};
    cases.rows.push_back({"nominative", {cell({"omena"}), cell({"omenat"})}});
    cases.rows.push_back({"genitive", {cell({"omenan"}), cell({"omenoiden", "omenien", "omenain"})}});
    cases.rows.push_back({"comitative", {cell({}), cell({"omenoine"})}});
    return {"omena", analysis::WordClass::Noun, "noun", {cases}, {"with clitics: omenakin, omenakaan, omenako"}};
}

InflectionTable puhua() {
    TableSection present{"indicative present", {"affirmative", "negative"}, {}};
    present.rows.push_back({"1st person singular", {cell({"puhun"}), cell({"en puhu"})}});
    return {"puhua", analysis::WordClass::Verb, "verb", {present}, {}};
}

std::vector<std::string> texts(const std::vector<TableLine>& lines) {
    std::vector<std::string> out;
    for (const auto& line : lines) out.push_back(line.text);
    return out;
}

TEST(TableLines, ColumnsStandSideBySideWhenTheyFit) {
    const std::vector<InflectionTable> tables = {omena()};
    EXPECT_EQ(texts(table_lines(tables, 80)), (std::vector<std::string>{
                                                  "omena (noun)",
                                                  "",
                                                  "cases       singular  plural",
                                                  "nominative  omena     omenat",
                                                  "genitive    omenan    omenoiden, omenien, omenain",
                                                  "comitative            omenoine",
                                                  "",
                                                  "with clitics: omenakin, omenakaan, omenako",
                                              }));
}

// Too narrow: one column after the other, a cell's variants wrapped under
// its first, and no line wider than the width.
TEST(TableLines, ANarrowWidthSetsTheColumnsOneAfterTheOther) {
    const std::vector<InflectionTable> tables = {omena()};
    const auto lines = table_lines(tables, 30);
    EXPECT_EQ(texts(lines), (std::vector<std::string>{
                                "omena (noun)",
                                "",
                                "cases: singular",
                                "nominative  omena",
                                "genitive    omenan",
                                "comitative",
                                "cases: plural",
                                "nominative  omenat",
                                "genitive    omenoiden,",
                                "            omenien, omenain",
                                "comitative  omenoine",
                                "",
                                "with clitics: omenakin,",
                                "  omenakaan, omenako",
                            }));
    for (const auto& line : lines) EXPECT_LE(term::display_width(line.text), 30U) << line.text;
}

// Each form is a link to the word it looks up: a negative form to the verb's
// form after "en".
TEST(TableLines, EachFormLinksToTheWordItLooksUp) {
    const std::vector<InflectionTable> tables = {omena(), puhua()};
    const auto lines = table_lines(tables, 80);
    std::vector<std::string> targets;
    for (const auto& line : lines) {
        for (const auto& link : line.links) {
            targets.push_back(link.target);
            const std::string shown = line.text.substr(link.start, link.end - link.start);
            EXPECT_TRUE(shown == link.target || shown.ends_with(" " + link.target)) << shown;
        }
    }
    EXPECT_EQ(targets, (std::vector<std::string>{"omena", "omenat", "omenan", "omenoiden", "omenien", "omenain",
                                                 "omenoine", "puhun", "puhu"}));
    EXPECT_EQ(std::ranges::count(texts(lines), "puhua (verb)"), 1) << "the second table after the first";
}

TEST(TableLines, TheDrawnLinesCarryTheLinksAsColumns) {
    const std::vector<InflectionTable> tables = {puhua()};
    const auto lines = table_pane_lines(tables, 80);
    ASSERT_EQ(lines.size(), 4U);
    ASSERT_EQ(lines[3].links.size(), 2U);
    const auto& negative = lines[3].links[1];
    EXPECT_EQ(negative.target, "puhu");
    EXPECT_EQ(negative.end - negative.start, std::string_view("en puhu").size());
}

// Where the width holds two sections, they stand side by side, headings
// level, the links of the right one where its forms are; where the next is
// too wide, the one after it takes its place.
TEST(TableLines, TwoSectionsStandSideBySideWhereTheyFit) {
    InflectionTable verb = puhua();
    TableSection past{"indicative past", {"affirmative", "negative"}, {}};
    past.rows.push_back({"1st person singular", {cell({"puhuin"}), cell({"en puhunut"})}});
    TableSection wide{"imperative", {"affirmative", "negative"}, {}};
    wide.rows.push_back({"2nd person plural", {cell({"puhukaa, puhukaatte, puhukaattekaan"}), cell({"älkää puhuko"})}});
    verb.sections = {verb.sections.front(), wide, past};
    const std::vector<InflectionTable> tables = {verb};
    const auto lines = table_lines(tables, 90);
    EXPECT_EQ(texts(lines), (std::vector<std::string>{
                                "puhua (verb)",
                                "",
                                "indicative present   affirmative  negative    indicative past      affirmative  negative",
                                "1st person singular  puhun        en puhu     1st person singular  puhuin       en puhunut",
                                "",
                                "imperative         affirmative                          negative",
                                "2nd person plural  puhukaa, puhukaatte, puhukaattekaan  älkää puhuko",
                            }));
    const auto& row = lines[3];
    ASSERT_EQ(row.links.size(), 4U);
    EXPECT_EQ(row.text.substr(row.links[2].start, row.links[2].end - row.links[2].start), "puhuin");
    EXPECT_EQ(row.labels.size(), 2U);
    EXPECT_EQ(row.text.substr(row.labels[1].start, row.labels[1].end - row.labels[1].start), "1st person singular");
    EXPECT_EQ(texts(table_lines(tables, 60))[2], "indicative present   affirmative  negative") << "too narrow for two";
}

TEST(TableLines, AWordThatDoesNotInflectSaysSo) {
    const std::vector<InflectionTable> tables = {{"ja", analysis::WordClass::Conjunction, "conjunction", {}, {}}};
    EXPECT_EQ(texts(table_lines(tables, 80)), (std::vector<std::string>{"ja (conjunction)", "(does not inflect)"}));
}

}  // namespace
}  // namespace lomperi::expand
