#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/kehu_data.hpp"
#include "support/scene.hpp"
#include "base/utf8.hpp"

namespace lomperi::view {
namespace {

using expand::LinkRegion;
using testing::Scene;
using testing::same_picture;

const term::Style kDefault{};
const term::Style kGrey = term::Style{}.with_fg(term::Color::DarkGray);
const term::Style kGreyDim = kGrey.adding(term::Dim);
const term::Style kCyanBold = term::Style{}.with_fg(term::Color::Cyan).adding(term::Bold);
const term::Style kYellow = term::Style{}.with_fg(term::Color::Yellow);

struct EntryRow {
    std::string text;
    term::Style style;
};

// The kehui entry as a pane too wide for anything to wrap shows it.
const std::vector<EntryRow> kKehui = {
    {"kehui", kCyanBold},
    {"", kDefault},
    {"(verb)", kYellow},
    {"- third-person singular past indicative of kehua", kDefault},
    {"  ~> kehua (verb)", kGrey},
    {"      - to praise, tout, acclaim, commend", kGrey},
    {"      - to tell, say", kGrey},
    {"      ~> to (noun)", kGreyDim},
    {"          - Thu (abbreviation of Thursday)", kGreyDim},
    {"   ~> kehua -> kehu (noun)", kGrey},
    {"      - praise, commendation (favorable representation in words)", kGrey},
    {"      ~> in (adj)", kGreyDim},
    {"          - in, popular (in fashion)", kGreyDim},
    {"      - inflection of kehua:", kGrey},
    {"      - present active indicative connegative", kGrey},
    {"      - second-person singular present active imperative connegative", kGrey},
    {"      - second-person singular present imperative", kGrey},
};

std::vector<std::string> texts(const std::vector<EntryRow>& rows) {
    std::vector<std::string> out;
    for (const auto& row : rows) out.push_back(row.text);
    return out;
}

// The entry pane's inner area of a 120-column screen with a 30 % left column.
term::Rect wide_inner(std::uint16_t rows) { return term::Rect{37, 1, 82, rows}; }

void show_kehui(Scene& scene) {
    scene.type("kehui");
    scene.state.left_pct = 30;
}

TEST(DrawEntry, KehuiInAWidePane) {
    Scene scene(testing::make_kehu_dictionary());
    show_kehui(scene);
    const auto frame = scene.frame(120, 20);
    ASSERT_EQ(scene.cache.entry_area, (term::Rect{36, 0, 84, 20}));
    EXPECT_TRUE(same_picture(testing::picture(frame, wide_inner(18)), [] {
        auto rows = texts(kKehui);
        rows.push_back("");
        return rows;
    }()));

    const LinkRegion kehua{43, 48, "kehua"};
    for (std::size_t k = 0; k < kKehui.size(); ++k) {
        SCOPED_TRACE(kKehui[k].text);
        const auto y = static_cast<std::uint16_t>(1 + k);
        const auto length = code_point_count(kKehui[k].text);
        for (std::uint16_t column = 0; column < length; ++column) {
            const bool link = k == 3 && column >= kehua.start && column < kehua.end;
            const term::Style expected = link ? kKehui[k].style.adding(term::Underlined) : kKehui[k].style;
            EXPECT_EQ(frame.get(static_cast<std::uint16_t>(37 + column), y).style, expected) << "column " << column;
        }
        const auto expected_links = k == 3 ? std::vector<LinkRegion>{kehua} : std::vector<LinkRegion>{};
        EXPECT_EQ(scene.cache.link_rows.at(k), expected_links);
    }
    EXPECT_EQ(scene.cache.wrapped_lines.size(), kKehui.size());
}

TEST(DrawEntry, KeptEntryIsGreyThroughoutWithoutLinks) {
    Scene scene(testing::make_kehu_dictionary());
    show_kehui(scene);
    scene.apply(view::action::Confirm{});
    const auto frame = scene.frame(120, 20);
    EXPECT_EQ(testing::picture(frame, term::Rect{0, 1, 36, 1})[0], "│> " + std::string(32, ' ') + "│");
    EXPECT_EQ(testing::picture(frame, wide_inner(17)), texts(kKehui));
    for (std::size_t k = 0; k < kKehui.size(); ++k) {
        const auto length = code_point_count(kKehui[k].text);
        for (std::uint16_t column = 0; column < length; ++column) {
            EXPECT_EQ(frame.get(static_cast<std::uint16_t>(37 + column), static_cast<std::uint16_t>(1 + k)).style,
                      kGrey)
                << kKehui[k].text << ", column " << column;
        }
        EXPECT_TRUE(scene.cache.link_rows.at(k).empty()) << kKehui[k].text;
    }
}

// A two-word headword in a meaning, on a full-screen pane 16 columns inside:
// the link breaks after "vanha" and goes on with "talo" on the next line.
TEST(DrawEntry, NarrowPaneWrapsAndSplitsATwoWordLink) {
    Scene scene(testing::make_test_dictionary({
        {"testi", {{"noun", {"compare vanha talo and more words here"}}}},
        {"vanha talo", {{"noun", {"old house"}}}},
    }));
    scene.type("testi");
    scene.apply(view::action::ToggleFullscreen{});
    const auto frame = scene.frame(18, 16);
    EXPECT_TRUE(same_picture(frame, {
                                        "┌ lomperi 2 · 0 ─┐",
                                        "│> testi         │",
                                        "└────────────────┘",
                                        "┌ entry ─────────┐",
                                        "│testi           │",
                                        "│                │",
                                        "│(noun)          │",
                                        "│- compare vanha │",
                                        "│  talo and more │",
                                        "│  words here    │",
                                        "│  ~> vanha talo │",
                                        "│     (noun)     │",
                                        "│      - old     │",
                                        "│        house   │",
                                        "│                │",
                                        "└────────────────┘",
                                    }));
    EXPECT_EQ(scene.cache.entry_area, (term::Rect{0, 3, 18, 13}));
    EXPECT_EQ(scene.cache.link_rows.at(3), (std::vector<LinkRegion>{{10, 15, "vanha talo"}}));
    EXPECT_EQ(scene.cache.link_rows.at(4), (std::vector<LinkRegion>{{2, 6, "vanha talo"}}));
    EXPECT_EQ(testing::styles_at(frame, 1, 7, 16), std::string(10, '.') + "UUUUU" + ".");
    EXPECT_EQ(testing::styles_at(frame, 1, 8, 16), ".." + std::string(4, 'U') + std::string(10, '.'));
    EXPECT_EQ(testing::styles_at(frame, 1, 11, 16), std::string(11, 'g') + std::string(5, '.'));
}

struct PlaceholderCase {
    const char* query;
    std::string text;
    bool damaged = false;  // said in red in the row above
};

// The kehu dictionary with the record of kehune undecodable: a match without an entry.
testing::TestDictionary kehu_without_kehune_record() {
    return testing::with_undecodable_records(testing::make_kehu_dictionary(), {"kehune"});
}

// A record that does not decode is damaged data, which the pane says above the placeholder.
TEST(DrawEntry, PlaceholdersInGrey) {
    const std::string damage = "damaged data: what is damaged reads as absent; reinstall lomperi";
    const PlaceholderCase cases[] = {
        {"", "(type to search, Tab to switch)"},
        {"xyz", "(no matches)"},
        {"kehune", "(no entry)", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Scene scene(kehu_without_kehune_record());
        scene.type(c.query);
        scene.state.left_pct = 30;
        const auto frame = scene.frame(120, 20);
        const std::uint16_t row = c.damaged ? 2 : 1;
        const std::vector<std::string> rows = c.damaged ? std::vector<std::string>{damage, c.text} : std::vector<std::string>{c.text, ""};
        EXPECT_EQ(testing::picture(frame, wide_inner(2)), rows);
        EXPECT_EQ(testing::styles_at(frame, 37, row, 40),
                  std::string(code_point_count(c.text), 'g') + std::string(40 - c.text.size(), '.'));
        if (c.damaged) {
            EXPECT_EQ(testing::styles_at(frame, 37, 1, 40), std::string(40, 'r'));
        }
        EXPECT_EQ(scene.cache.link_rows.size(), c.damaged ? 2u : 1u);
    }
}

struct ScrollCase {
    std::uint16_t screen_height;
    std::uint16_t scroll;
    std::uint16_t clamped;
};

// kehui has 17 lines; the entry pane is 2 rows higher than its inside.
TEST(DrawEntry, ScrollIsLoweredToTheLastUsefulLine) {
    const ScrollCase cases[] = {
        {22, 50, 0},   // 20 rows show everything
        {19, 1, 0},    // 17 rows: exactly fits
        {12, 100, 7},  // 10 rows: 7 lines may go off the top
        {12, 3, 3},
        {12, 7, 7},
        {1, 100, 17},  // nothing inside the pane
        {0, 65535, 17},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.screen_height << " rows, scroll " << c.scroll);
        Scene scene(testing::make_kehu_dictionary());
        show_kehui(scene);
        scene.state.entry_scroll = c.scroll;
        const auto frame = scene.frame(120, c.screen_height);
        EXPECT_EQ(scene.state.entry_scroll, c.clamped);
        if (c.screen_height > 2) {
            EXPECT_EQ(testing::picture(frame, wide_inner(1))[0], kKehui[c.clamped].text);
        }
    }
}

TEST(DrawEntry, LinesAreRebuiltOnlyForANewRevisionOrWidth) {
    Scene scene(testing::make_kehu_dictionary());
    show_kehui(scene);
    scene.frame(120, 20);
    EXPECT_EQ(scene.cache.wrap_width, 82);
    EXPECT_EQ(scene.cache.wrap_revision, scene.state.revision);

    // Changed behind the cache's back: a redraw of the same width keeps the old lines.
    scene.state.shown->headword = "muu";
    EXPECT_EQ(testing::picture(scene.frame(120, 20), wide_inner(1))[0], "kehui");
    EXPECT_EQ(testing::picture(scene.frame(120, 30), wide_inner(1))[0], "kehui") << "taller, same width";

    EXPECT_EQ(testing::picture(scene.frame(110, 30), term::Rect{34, 1, 10, 1})[0], "muu") << "narrower";
    EXPECT_EQ(scene.cache.wrap_width, 75);

    scene.state.shown->headword = "toinen";
    ++scene.state.revision;
    EXPECT_EQ(testing::picture(scene.frame(110, 30), term::Rect{34, 1, 10, 1})[0], "toinen") << "new revision";

    scene.state.fullscreen = true;
    EXPECT_EQ(testing::picture(scene.frame(110, 30), term::Rect{1, 4, 10, 1})[0], "toinen");
    EXPECT_EQ(scene.cache.wrap_width, 108);
}

}  // namespace
}  // namespace lomperi::view
