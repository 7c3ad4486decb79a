// The real program in a pseudo-terminal: start-up and teardown bytes, signals,
// resizing, and a few journeys a user takes.
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include <gtest/gtest.h>

#include "support/pty_session.hpp"
#include "support/screen_model.hpp"

namespace lomperi::testing {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr std::string_view kStartup = "\x1b[?1049h\x1b[?1000h\x1b[?1002h\x1b[?1003h\x1b[?1015h\x1b[?1006h";
constexpr std::string_view kTeardown = "\x1b[?1006l\x1b[?1015l\x1b[?1003l\x1b[?1002l\x1b[?1000l\x1b[?1049l\x1b[?25h";
constexpr auto kPatience = 10s;

// A private copy of the program in a temporary directory, so that the layout
// file it writes beside itself lands there, with HOME inside it as well.
class Program {
public:
    Program() {
        char pattern[] = "/tmp/lomperi-e2e-XXXXXX";
        dir_ = mkdtemp(pattern);
        fs::copy_file(LOMPERI_E2E_PROGRAM, dir_ / "lomperi");
        fs::create_directories(dir_ / "home");
    }
    ~Program() {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    fs::path dir() const { return dir_; }
    PtySession start(unsigned short columns = 100, unsigned short rows = 30) const {
        PtySession::Options options;
        options.columns = columns;
        options.rows = rows;
        options.environment = {"HOME=" + (dir_ / "home").string(), "NO_COLOR="};
        return PtySession((dir_ / "lomperi").string(), options);
    }

private:
    fs::path dir_;
};

// Reads the program's output into a screen model until the screen satisfies
// the condition.
bool wait_for_screen(PtySession& session, ScreenModel& screen, std::size_t& seen,
                     const std::function<bool(const ScreenModel&)>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < deadline) {
        session.drain(50ms);
        screen.apply(std::string_view(session.output()).substr(seen));
        seen = session.output().size();
        if (condition(screen)) return true;
    }
    return false;
}

bool shows(PtySession& session, ScreenModel& screen, std::size_t& seen, std::string_view text) {
    return wait_for_screen(session, screen, seen, [&](const ScreenModel& s) { return s.contains(text); });
}

std::string sgr_mouse(int button, int column, int row, bool release = false) {
    return "\x1b[<" + std::to_string(button) + ";" + std::to_string(column + 1) + ";" + std::to_string(row + 1) +
           (release ? "m" : "M");
}

void expect_clean_exit(PtySession& session, int expected_status) {
    auto status = session.wait_exit(kPatience);
    ASSERT_TRUE(status.has_value()) << "the program did not end";
    EXPECT_EQ(exit_code(*status), expected_status);
    EXPECT_TRUE(session.output().ends_with(kTeardown)) << "the terminal must be restored last";
}

TEST(Interactive, StartsWithTheScreenModesInOrderAndEscQuits) {
    Program program;
    auto session = program.start();
    ASSERT_TRUE(session.wait_for(kStartup, kPatience));
    EXPECT_TRUE(session.output().starts_with(kStartup));
    ASSERT_TRUE(session.wait_for("lomperi", kPatience));
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
