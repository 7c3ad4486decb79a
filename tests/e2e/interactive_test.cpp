// The real program in a pseudo-terminal: start-up and teardown bytes, signals,
// resizing, and a few journeys a user takes.
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include <gtest/gtest.h>

#include "program.hpp"

namespace lomperi::testing {
namespace {

TEST(Interactive, StartsWithTheScreenModesInOrderAndEscQuits) {
    Program program;
    auto session = program.start();
    ASSERT_TRUE(session.wait_for(kStartup, kPatience));
    EXPECT_TRUE(session.output().starts_with(kStartup));
    ASSERT_TRUE(session.wait_for("lomperi", kPatience));
    session.write("\x1b");
    expect_clean_exit(session, 0);
}

// Raw mode starts without throwing away what was typed while the program loaded.
TEST(Interactive, KeysTypedDuringStartUpAreKept) {
    Program program;
    auto session = program.start();
    session.write("kissa");
    ASSERT_TRUE(session.wait_for("cat", kPatience));
    session.write("\x1b");
    expect_clean_exit(session, 0);
}

TEST(Interactive, CtrlCQuitsLikeEsc) {
    Program program;
    auto session = program.start();
    ASSERT_TRUE(session.wait_for("lomperi", kPatience));
    session.write("\x03");
    expect_clean_exit(session, 0);
}

TEST(Interactive, TerminationSignalsRestoreTheTerminal) {
    for (int signo : {SIGTERM, SIGHUP, SIGQUIT}) {
        Program program;
        auto session = program.start();
        ASSERT_TRUE(session.wait_for("lomperi", kPatience));
        session.signal(signo);
        expect_clean_exit(session, 128 + signo);
    }
}

TEST(Interactive, PointerMotionWritesNothing) {
    Program program;
    auto session = program.start();
    ASSERT_TRUE(session.wait_for("lomperi", kPatience));
    session.drain(400ms);
    const auto before = session.mark();
    for (int i = 0; i < 10; ++i) session.write(sgr_mouse(35, 10 + i, 10));
    session.drain(700ms);
    EXPECT_EQ(session.output().size(), before) << "motion must not redraw";
    session.write("\x1b");
    expect_clean_exit(session, 0);
}

TEST(Interactive, AResizeRedrawsInFull) {
    Program program;
    auto session = program.start();
    ASSERT_TRUE(session.wait_for("lomperi", kPatience));
    session.drain(300ms);
    const auto before = session.mark();
    session.resize(80, 24);
    EXPECT_TRUE(session.wait_for("\x1b[2J", kPatience, before));
    session.write("\x1b");
    expect_clean_exit(session, 0);
}

// A near miss: the pane says what it may stand for once the frame is drawn.
TEST(Interactive, ANearMissSaysWhatItMayStandFor) {
    Program program;
    auto session = program.start(100, 30);
    ScreenModel screen(100, 30);
    std::size_t seen = 0;
    ASSERT_TRUE(shows(session, screen, seen, "(type to search, Tab to switch)"));
    session.write("kisssa");
    ASSERT_TRUE(shows(session, screen, seen, "did you mean: kissa")) << screen.picture();
    // Ctrl+P: the last suggestion's entry; Ctrl+N from there: round to the first.
    session.write("\x10");
    ASSERT_TRUE(shows(session, screen, seen, "- plural of kissa")) << screen.picture();
    session.write("\x0e");
    ASSERT_TRUE(wait_for_screen(session, screen, seen, [](const ScreenModel& s) {
        return !s.contains("- plural of kissa") && s.contains("- cat");
    })) << screen.picture();
}

// Ctrl+T shows the word's inflection table full-screen; a click on a form
// looks it up, and the screen is as it was before the table.
TEST(Interactive, TheInflectionTableOpensByKeyAndEachFormLooksItUp) {
    Program program(LOMPERI_DEFAULT_PROGRAM);
    auto session = program.start(100, 40);
    ScreenModel screen(100, 40);
    std::size_t seen = 0;
    ASSERT_TRUE(shows(session, screen, seen, "(type to search, Tab to switch)"));
    session.write("kissa");
    ASSERT_TRUE(shows(session, screen, seen, "inflection table: Ctrl+T")) << screen.picture();
    session.write("\x14");
    ASSERT_TRUE(shows(session, screen, seen, "inflection table (")) << screen.picture();
    ASSERT_TRUE(shows(session, screen, seen, "kissa (noun)")) << screen.picture();
    std::size_t row = 0;
    std::size_t column = std::string::npos;
    for (; row < 40 && column == std::string::npos; ++row) {
        const std::string line = screen.row(row);
        if (line.find("inessive") != std::string::npos) column = line.find("kissoissa");
    }
    ASSERT_NE(column, std::string::npos) << screen.picture();
    // The row's text is UTF-8: count the columns of the box's border before it.
    const std::string before = screen.row(row - 1).substr(0, column);
    const auto cells = static_cast<int>(std::count_if(before.begin(), before.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
    session.write(sgr_mouse(0, cells + 1, static_cast<int>(row - 1)) + sgr_mouse(0, cells + 1, static_cast<int>(row - 1), true));
    ASSERT_TRUE(shows(session, screen, seen, "> kissoissa")) << screen.picture();
    EXPECT_TRUE(wait_for_screen(session, screen, seen, [](const ScreenModel& s) {
        return !s.contains("inflection table (") && s.contains("entry (ctrl+f");
    })) << screen.picture();
    session.write("\x1b");
    expect_clean_exit(session, 0);
}

TEST(Interactive, TypeClickFollowAndDrag) {
    Program program;
    auto session = program.start(100, 30);
    ScreenModel screen(100, 30);
    std::size_t seen = 0;
    ASSERT_TRUE(shows(session, screen, seen, "(type to search, Tab to switch)"));

    session.write("kissat");
    ASSERT_TRUE(shows(session, screen, seen, "- plural of kissa")) << screen.picture();
    EXPECT_TRUE(screen.contains("> kissat"));

    // The entry's inner area starts at column 41, row 1; "kissa" is on its
    // fourth line after "- plural of ".
    session.write(sgr_mouse(0, 41 + 12, 1 + 3) + sgr_mouse(0, 41 + 12, 1 + 3, true));
    ASSERT_TRUE(wait_for_screen(session, screen, seen,
                                [](const ScreenModel& s) { return s.row(1).find("> kissa ") != std::string::npos; }))
        << screen.picture();
    EXPECT_TRUE(shows(session, screen, seen, "- cat"));

    session.write("\x7f\x7f\x7f\x7f\x7ftalo");
    ASSERT_TRUE(shows(session, screen, seen, "talossa")) << screen.picture();
    // A click on the second row of the matches list selects "talot".
    session.write(sgr_mouse(0, 5, 5) + sgr_mouse(0, 5, 5, true));
    ASSERT_TRUE(shows(session, screen, seen, "- plural of talo")) << screen.picture();

    // Drag the column border from column 39 to column 59: 60 % of 100.
    session.write(sgr_mouse(0, 39, 10) + sgr_mouse(32, 50, 10) + sgr_mouse(32, 59, 10) + sgr_mouse(0, 59, 10, true));
    session.drain(500ms);
    std::ifstream file(program.dir() / "lomperi.toml");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "# lomperi layout, written automatically. Safe to delete.\nleft_pct = 60\nmatches_pct = 60\n");

    session.write("\x1b");
    expect_clean_exit(session, 0);
}

TEST(Interactive, DocumentsOpenCycleAndClose) {
    Program program;
    auto session = program.start(100, 30);
    ScreenModel screen(100, 30);
    std::size_t seen = 0;
    ASSERT_TRUE(shows(session, screen, seen, "(type to search, Tab to switch)"));
    session.write("talo");
    ASSERT_TRUE(shows(session, screen, seen, "- building"));

    session.write("\x0c");
    ASSERT_TRUE(shows(session, screen, seen, "Lomperi License Agreement  ·  Tab: next document")) << screen.picture();
    for (std::string_view title : {"Privacy Policy  ·", "Attribution and Data Sources  ·", "Verifying Your Download  ·",
                                   "Lomperi License Agreement  ·"}) {
        session.write("\t");
        EXPECT_TRUE(shows(session, screen, seen, title)) << screen.picture();
    }
    session.write("\x1b");
    ASSERT_TRUE(shows(session, screen, seen, "- building")) << "closing shows the search as it was";
    EXPECT_TRUE(screen.contains("> talo"));
    session.drain(200ms);
    session.write("\x1b");
    expect_clean_exit(session, 0);
}

}  // namespace
}  // namespace lomperi::testing
