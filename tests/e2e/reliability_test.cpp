// The real program under signals, blocked output, crashes, huge windows and
// hostile layout files: the terminal always comes back.
#include <signal.h>
#include <termios.h>

#include <fstream>
#include <functional>
#include <thread>

#include <gtest/gtest.h>

#include "program.hpp"

namespace lomperi::testing {
namespace {

bool back_in_line_mode(const PtySession& session) {
    const auto settings = session.settings();
    return settings && (settings->c_lflag & ICANON) && (settings->c_lflag & ECHO);
}

TEST(Reliability, EveryEndingSignalRestoresTheTerminal) {
    for (int signo : {SIGINT, SIGALRM, SIGUSR1, SIGUSR2, SIGXCPU, SIGVTALRM, SIGPROF, SIGIO, SIGPWR, SIGSTKFLT, SIGRTMIN,
                      SIGRTMIN + 7, SIGRTMAX}) {
        SCOPED_TRACE(signo);
        Program program;
        auto session = program.start();
        ASSERT_TRUE(session.wait_for("lomperi", kPatience));
        session.signal(signo);
        expect_clean_exit(session, 128 + signo);
        EXPECT_TRUE(back_in_line_mode(session));
    }
}

// A terminal that stops reading blocks the first frame's write (a 1,000-cell
// square does not fit in the pseudo-terminal's buffer); a SIGTERM must still
// end the program at once, with the terminal settings put back.
TEST(Reliability, SigtermEndsABlockedWrite) {
    Program program;
    auto session = program.start(1000, 1000);
    std::this_thread::sleep_for(500ms);
    ASSERT_FALSE(session.wait_exit_unread(0ms).has_value()) << "the program should be blocked writing";
    const auto sent = std::chrono::steady_clock::now();
    session.signal(SIGTERM);
    const auto status = session.wait_exit_unread(3s);
    ASSERT_TRUE(status.has_value()) << "SIGTERM was not answered while a write blocked";
    EXPECT_LT(std::chrono::steady_clock::now() - sent, 1s);
    EXPECT_EQ(exit_code(*status), 128 + SIGTERM);
    EXPECT_TRUE(back_in_line_mode(session));
}

TEST(Reliability, ACrashPutsTheTerminalBackFirst) {
    for (int signo : {SIGSEGV, SIGSYS, SIGTRAP}) {
        SCOPED_TRACE(signo);
        Program program;
        auto session = program.start();
        ASSERT_TRUE(session.wait_for("lomperi", kPatience));
        session.signal(signo);
        const auto status = session.wait_exit(kPatience);
        ASSERT_TRUE(status.has_value());
        EXPECT_NE(exit_code(*status), 0);
        EXPECT_TRUE(back_in_line_mode(session));
        EXPECT_NE(session.output().find(kTeardown), std::string::npos);
    }
}

// Ctrl+Z and SIGTSTP give the terminal back before stopping; SIGCONT takes
// it again and draws the whole screen. (The pseudo-terminal's session has no
// job control, so the stop itself is skipped by the system and the program
// goes on at once, as after a continue.)
TEST(Reliability, SuspendGivesTheTerminalBackAndResumeRedrawsAll) {
    Program program;
    auto session = program.start();
    ASSERT_TRUE(session.wait_for("lomperi", kPatience));
    for (const auto& stop : {std::function<void()>([&] { session.write("\x1a"); }),
                             std::function<void()>([&] { session.signal(SIGTSTP); }),
                             std::function<void()>([&] { session.signal(SIGCONT); })}) {
        const std::size_t from = session.mark();
        stop();
        ASSERT_TRUE(session.wait_for(kStartup, kPatience, from)) << "the terminal is taken again";
        ASSERT_TRUE(session.wait_for("lomperi", kPatience, from)) << "and the screen drawn whole";
        EXPECT_NE(session.output().find("\x1b[2J", from), std::string::npos);
    }
    const std::size_t from = session.mark();
    session.write("\x1a");
    ASSERT_TRUE(session.wait_for(kTeardown, kPatience, from)) << "Ctrl+Z puts the terminal back first";
    session.write("talo");
    ASSERT_TRUE(session.wait_for("house", kPatience, from));
    session.write("\x1b");
    expect_clean_exit(session, 0);
}

TEST(Reliability, AHugeWindowIsDrawnOnItsTopLeftCorner) {
    Program program;
    auto session = program.start();
    ASSERT_TRUE(session.wait_for("lomperi", kPatience));
    const auto before = session.mark();
    session.resize(65535, 65535);
    ASSERT_TRUE(session.wait_for("\x1b[2J", kPatience, before));
    session.drain(500ms);
    session.write("\x1b");
    expect_clean_exit(session, 0);
}

TEST(Reliability, HostileLayoutFilesGiveTheDefaults) {
    std::string nested = "[t";
    for (int i = 0; i < 34000; ++i) nested += ".t";
    nested += "]\n";
    const std::string files[] = {
        nested,
        "left_pct = 20\n" + std::string(1 << 20, '#'),
        "\xc3\xa4 = 1\nleft_pct = 20\n",
    };
    for (const std::string& text : files) {
        Program program;
        std::ofstream(program.dir() / "lomperi.toml", std::ios::binary) << text;
        auto session = program.start();
        ASSERT_TRUE(session.wait_for("lomperi", kPatience));
        session.write("\x1b");
        expect_clean_exit(session, 0);
    }
}

}  // namespace
}  // namespace lomperi::testing
