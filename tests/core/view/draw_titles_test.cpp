#include <gtest/gtest.h>

#include <string>

#include "support/kehu_data.hpp"
#include "support/scene.hpp"
#include "base/utf8.hpp"

namespace lomperi::view {
namespace {

using testing::Scene;

enum class Pane { TitleBox, Matches, Inflections, Entry };

struct TitleCase {
    const char* name;
    std::uint16_t screen_width;
    std::uint16_t left_pct;
    bool fullscreen;
    const char* query;
    Pane pane;
    std::string top_row;  // the pane's top border, title included
};

// A top border whose title fits.
std::string top(const std::string& title, std::size_t width) {
    std::string row = "┌" + title;
    for (std::size_t k = code_point_count(title) + 2; k < width; ++k) row += "─";
    return row + "┐";
}

term::Rect pane_area(const ViewCache& cache, Pane pane, bool fullscreen) {
    switch (pane) {
        case Pane::TitleBox: return fullscreen ? cache.screen_area : term::Rect{0, 0, cache.matches_area.width, 3};
        case Pane::Matches: return cache.matches_area;
        case Pane::Inflections: return cache.inflections_area;
        case Pane::Entry: return cache.entry_area;
    }
    return {};
}

// The kehu data set has 10 headwords and 5 inflected forms.
const std::string kFull = " lomperi 10 · 5 · ctrl+l: legal ";
const std::string kCounts = " lomperi 10 · 5 ";
const std::string kShort = " lmp 10 ";
const std::string kMatchesHint = " matches (type to search, Tab to switch) ";
const std::string kInflectionsHint = " inflections (type to search, Tab to switch) ";

const TitleCase kTitleCases[] = {
    // Full-screen mode gives the title box the whole screen width.
    {"title box, full title fits exactly", 34, 40, true, "", Pane::TitleBox, top(kFull, 34)},
    {"title box, one column short: counts", 33, 40, true, "", Pane::TitleBox, top(kCounts, 33)},
    {"title box, counts fit exactly", 18, 40, true, "", Pane::TitleBox, top(kCounts, 18)},
    {"title box, short name and headwords", 17, 40, true, "", Pane::TitleBox, top(kShort, 17)},
    {"title box, short name fits exactly", 10, 40, true, "", Pane::TitleBox, top(kShort, 10)},
    {"title box, bare name", 9, 40, true, "", Pane::TitleBox, top(" lmp ", 9)},
    {"title box, bare name cut off", 4, 40, true, "", Pane::TitleBox, "┌ l┐"},
    {"title box in the left column", 100, 20, false, "", Pane::TitleBox, top(kCounts, 20)},
    {"matches 43 wide, empty query", 100, 43, false, "", Pane::Matches, top(kMatchesHint, 43)},
    {"matches 42 wide, empty query", 100, 42, false, "", Pane::Matches, top(" matches ", 42)},
    {"matches 60 wide, one letter typed", 100, 60, false, "k", Pane::Matches, top(" matches ", 60)},
    {"inflections 47 wide, empty query", 100, 47, false, "", Pane::Inflections, top(kInflectionsHint, 47)},
    {"inflections 46 wide, empty query", 100, 46, false, "", Pane::Inflections, top(" inflections ", 46)},
    {"inflections 20 wide", 100, 20, false, "", Pane::Inflections, top(" inflections ", 20)},
    {"inflections 14 wide", 28, 40, false, "", Pane::Inflections, top(" infl ", 14)},
    {"inflections 5 wide, cut off", 10, 40, false, "", Pane::Inflections, "┌ in┐"},
    {"inflections 47 wide, typed", 100, 47, false, "kehu", Pane::Inflections, top(" inflections ", 47)},
    {"inflections 14 wide, typed", 28, 40, false, "kehu", Pane::Inflections, top(" infl ", 14)},
    {"entry 46 wide", 100, 54, false, "", Pane::Entry, top(" entry (ctrl+f or click here to fullscreen) ", 46)},
    {"entry 45 wide", 100, 55, false, "", Pane::Entry, top(" entry (click here to fullscreen) ", 45)},
    {"entry 35 wide", 100, 65, false, "", Pane::Entry, top(" entry ", 35)},
    {"full-screen entry 56 wide", 56, 40, true, "", Pane::Entry,
     top(" entry (ctrl+f, click here, enter, or type to return) ", 56)},
    {"full-screen entry 55 wide", 55, 40, true, "", Pane::Entry, top(" entry (click here to return) ", 55)},
    {"full-screen entry 31 wide", 31, 40, true, "", Pane::Entry, top(" entry ", 31)},
    {"full-screen entry 3 wide", 3, 40, true, "", Pane::Entry, "┌ ┐"},
};

TEST(DrawTitles, ChosenByTheBoxWidth) {
    for (const auto& c : kTitleCases) {
        SCOPED_TRACE(c.name);
        Scene scene(testing::make_kehu_dictionary());
        scene.type(c.query);
        scene.state.left_pct = c.left_pct;
        scene.state.fullscreen = c.fullscreen;
        const term::Buffer frame = scene.frame(c.screen_width, 20);
        term::Rect area = pane_area(scene.cache, c.pane, c.fullscreen);
        area.height = 1;
        ASSERT_EQ(area.width, code_point_count(c.top_row));
        EXPECT_EQ(testing::picture(frame, area), std::vector<std::string>{c.top_row});
    }
}

// Titles are drawn in the default style whatever colour the border has.
TEST(DrawTitles, DefaultStyleOnColouredBorders) {
    Scene scene(testing::make_kehu_dictionary());
    scene.type("xyz");  // nothing found: red title box
    const term::Buffer frame = scene.frame(100, 20);
    EXPECT_EQ(testing::styles_at(frame, 0, 0, 40), "r" + std::string(32, '.') + std::string(7, 'r'));
    const term::Rect matches = scene.cache.matches_area;
    EXPECT_EQ(testing::styles_at(frame, matches.x, matches.y, 12), "c" + std::string(9, '.') + "cc");
    const term::Rect inflections = scene.cache.inflections_area;
    EXPECT_EQ(testing::styles_at(frame, inflections.x, inflections.y, 16), "g" + std::string(13, '.') + "gg");
}

}  // namespace
}  // namespace lomperi::view
