#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <csignal>

#include "term/output.hpp"
#include "term/raw_mode.hpp"
#include "term/terminal.hpp"
#include "term_test_support.hpp"

namespace lomperi::term {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct Pipe {
    int read = -1, write = -1;
    Pipe() {
        int fds[2];
        EXPECT_EQ(::pipe(fds), 0);
        read = fds[0];
        write = fds[1];
    }
    ~Pipe() {
        close_write();
        if (read >= 0) ::close(read);
    }
    void close_write() {
        if (write >= 0) ::close(write);
        write = -1;
    }
    void send(std::string_view bytes) { ASSERT_EQ(::write(write, bytes.data(), bytes.size()), ssize_t(bytes.size())); }
};

struct Pty {
    int master = -1, slave = -1;
    Pty() {
        winsize ws{};
        ws.ws_col = 91;
        ws.ws_row = 27;
        EXPECT_EQ(::openpty(&master, &slave, nullptr, nullptr, &ws), 0);
    }
    ~Pty() {
        ::close(slave);
        ::close(master);
    }
};

std::optional<Event> next_event(Terminal& t, std::chrono::milliseconds wait = 250ms) {
    auto ev = t.wait_event(wait);
    EXPECT_TRUE(ev.has_value()) << (ev ? "" : ev.error().message());
    return ev ? *ev : std::nullopt;
}

TEST(TerminalWait, DeliversDecodedInputOneEventAtATime) {
    Pipe in;
    auto t = Terminal::open(in.read, in.read);
    ASSERT_TRUE(t.has_value());
    in.send("a\x1b[1;5A");
    EXPECT_EQ(next_event(*t), Event{char_key(U'a')});
    EXPECT_EQ(next_event(*t), Event{key(KeyCode::Up, Ctrl)});
}

TEST(TerminalWait, LoneEscapeBecomesEscAfterAShortPause) {
    Pipe in;
    auto t = Terminal::open(in.read, in.read);
    ASSERT_TRUE(t.has_value());
    in.send("\x1b");
    const auto start = Clock::now();
    EXPECT_EQ(next_event(*t), Event{key(KeyCode::Esc)});
    EXPECT_LT(Clock::now() - start, 200ms);
}

TEST(TerminalWait, WaitIsCappedAt250Milliseconds) {
    Pipe in;
    auto t = Terminal::open(in.read, in.read);
    ASSERT_TRUE(t.has_value());
    const auto start = Clock::now();
    EXPECT_EQ(next_event(*t, 10s), std::nullopt);
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, 240ms);
    EXPECT_LT(waited, 1s);
}

TEST(TerminalWait, ClosedInputIsAnErrorNotABusyLoop) {
    Pipe in;
    auto t = Terminal::open(in.read, in.read);
    ASSERT_TRUE(t.has_value());
    in.close_write();
    auto ev = t->wait_event();
    ASSERT_FALSE(ev.has_value());
    EXPECT_EQ(ev.error().message(), "end of input");
}

TEST(TerminalWait, TerminatingSignalsBecomeEvents) {
    for (int signo : {SIGTERM, SIGHUP, SIGQUIT}) {
        Pipe in;
        auto t = Terminal::open(in.read, in.read);
        ASSERT_TRUE(t.has_value());
        in.send("x");
        ASSERT_EQ(::raise(signo), 0);
        // The signal goes before input that is still waiting.
        EXPECT_EQ(next_event(*t), Event{Terminate{signo}});
        EXPECT_EQ(next_event(*t), Event{char_key(U'x')});
    }
}

TEST(TerminalWait, WindowChangeBecomesResizeWithTheNewSize) {
    Pty pty;
    Pipe in;
    auto t = Terminal::open(in.read, pty.slave);
    ASSERT_TRUE(t.has_value());
    ASSERT_EQ(t->size().value(), (Size{91, 27}));
    winsize ws{};
    ws.ws_col = 40;
    ws.ws_row = 12;
    ASSERT_EQ(::ioctl(pty.master, TIOCSWINSZ, &ws), 0);
    ASSERT_EQ(::raise(SIGWINCH), 0);
    ASSERT_EQ(::raise(SIGWINCH), 0);
    EXPECT_EQ(next_event(*t), (Event{Resize{40, 12}}));
    EXPECT_EQ(next_event(*t), std::nullopt);  // two signals, one resize
}

TEST(TerminalWait, OnlyOneSignalPipeAtATime) {
    Pipe in;
    auto first = Terminal::open(in.read, in.read);
    ASSERT_TRUE(first.has_value());
    EXPECT_FALSE(Terminal::open(in.read, in.read).has_value());
}

TEST(RawModeTest, SwitchesOffLineDisciplineAndRestores) {
    Pty pty;
    termios before{};
    ASSERT_EQ(::tcgetattr(pty.slave, &before), 0);
    auto raw = RawMode::enable(pty.slave);
    ASSERT_TRUE(raw.has_value());
    termios now{};
    ASSERT_EQ(::tcgetattr(pty.slave, &now), 0);
    EXPECT_EQ(now.c_lflag & (ECHO | ICANON | ISIG | IEXTEN), 0u);
    EXPECT_EQ(now.c_iflag & (IXON | ICRNL), 0u);
    EXPECT_EQ(now.c_oflag & OPOST, 0u);
    ASSERT_TRUE(raw->restore().has_value());
    ASSERT_EQ(::tcgetattr(pty.slave, &now), 0);
    EXPECT_EQ(now.c_lflag, before.c_lflag);
    EXPECT_EQ(now.c_iflag, before.c_iflag);
    EXPECT_EQ(now.c_oflag, before.c_oflag);
    EXPECT_TRUE(raw->restore().has_value());  // a second restore does nothing
}

TEST(RawModeTest, NotATerminalIsAnError) {
    Pipe p;
    EXPECT_FALSE(RawMode::enable(p.read).has_value());
}

TEST(Output, WritingToAClosedReaderIsAnError) {
    Pipe in;
    auto t = Terminal::open(in.read, in.read);  // ignores SIGPIPE
    ASSERT_TRUE(t.has_value());
    Pipe out;
    ::close(out.read);
    out.read = -1;
    auto written = write_all(out.write, "hello");
    ASSERT_FALSE(written.has_value());
    EXPECT_EQ(written.error().message(), std::strerror(EPIPE));
}

}  // namespace
}  // namespace lomperi::term
