#pragma once
#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>

#include "base/error.hpp"
#include "term/decoder.hpp"
#include "term/event.hpp"
#include "term/geometry.hpp"
#include "term/output.hpp"
#include "term/signal_pipe.hpp"

namespace lomperi::term {

struct Size {
    std::uint16_t cols = 0;
    std::uint16_t rows = 0;
    friend bool operator==(const Size&, const Size&) = default;
    Rect area() const { return Rect{0, 0, cols, rows}; }
};

// Larger windows are drawn on their top-left 1,000 x 1,000 cells: a frame of
// 65,535 x 65,535 cells would take 64 GiB.
inline constexpr std::uint16_t kMaxSide = 1000;

// The window size of the terminal on fd (TIOCGWINSZ), each side at most kMaxSide.
Result<Size> terminal_size(int fd);

// Waits on the terminal for events. Raw mode and the screen modes are the
// caller's (see raw_mode.hpp and output.hpp), so that it can order them.
class Terminal {
public:
    static constexpr std::chrono::milliseconds kMaxWait{250};

    // Installs the signal pipe; changes nothing on the terminal itself.
    static Result<Terminal> open(int in_fd = 0, int out_fd = 1);

    Result<Size> size() const { return terminal_size(out_fd_); }

    // The next event, waiting at most `timeout` (and never more than 250 ms);
    // none when nothing arrived in that time. A resize arrives as Resize with
    // the new size, SIGTERM/SIGHUP/SIGQUIT as Terminate. Closed input or a
    // failed read or wait is an error.
    Result<std::optional<Event>> wait_event(std::chrono::milliseconds timeout = kMaxWait);

private:
    Terminal(int in_fd, int out_fd, SignalPipe signals) : in_fd_(in_fd), out_fd_(out_fd), signals_(std::move(signals)) {}

    Result<void> read_input();
    void take_signals();
    void flush_if_due();

    int in_fd_;
    int out_fd_;
    SignalPipe signals_;
    Decoder decoder_;
    std::deque<Event> queue_;
    std::chrono::steady_clock::time_point last_input_{};
};

}  // namespace lomperi::term
