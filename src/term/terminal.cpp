#include "term/terminal.hpp"

#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>

namespace lomperi::term {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::size_t kReadChunk = 4096;

int poll_ms(milliseconds wait) { return static_cast<int>(std::clamp<milliseconds::rep>(wait.count(), 0, 250)); }

}  // namespace

Result<Size> terminal_size(int fd) {
    winsize ws{};
    if (::ioctl(fd, TIOCGWINSZ, &ws) != 0) return fail(std::strerror(errno));
    return Size{std::min(ws.ws_col, kMaxSide), std::min(ws.ws_row, kMaxSide)};
}

Result<Terminal> Terminal::open(int in_fd, int out_fd) {
    auto signals = SignalPipe::install();
    if (!signals) return forward(signals);
    return Terminal(in_fd, out_fd, std::move(*signals));
}

Result<std::optional<Event>> Terminal::wait_event(milliseconds timeout) {
    const auto deadline = Clock::now() + std::min(timeout, kMaxWait);
    for (;;) {
        if (!queue_.empty()) {
            Event ev = std::move(queue_.front());
            queue_.pop_front();
            return ev;
        }
        const auto now = Clock::now();
        // Rounded up: a wait cut to 0 ms would spin until the deadline.
        auto wait = std::chrono::ceil<milliseconds>(deadline - now);
        if (auto pending = decoder_.pending_wait()) {
            wait = std::min(wait, std::chrono::ceil<milliseconds>(last_input_ + *pending - now));
        }
        pollfd fds[2] = {{in_fd_, POLLIN, 0}, {signals_.fd(), POLLIN, 0}};
        const int n = ::poll(fds, 2, poll_ms(wait));
        if (n < 0 && errno != EINTR) return fail(std::strerror(errno));
        if (n > 0 && fds[1].revents != 0) {
            take_signals();
        }
        if (n > 0 && (fds[0].revents & POLLNVAL)) return fail("standard input is not open");
        if (n > 0 && fds[0].revents != 0) {
            if (auto ok = read_input(); !ok) return forward(ok);
        }
        flush_if_due();
        if (queue_.empty() && Clock::now() >= deadline) return std::optional<Event>{};
    }
}

Result<void> Terminal::read_input() {
    char bytes[kReadChunk];
    const ssize_t n = ::read(in_fd_, bytes, sizeof bytes);
    if (n == 0) return fail("end of input");
    if (n < 0) {
        if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) return {};
        return fail(std::strerror(errno));
    }
    last_input_ = Clock::now();
    for (Event& ev : decoder_.feed(std::string_view(bytes, static_cast<std::size_t>(n)))) {
        queue_.push_back(std::move(ev));
    }
    return {};
}

void Terminal::take_signals() {
    bool resized = false;
    for (int signo : signals_.drain()) {
        if (signo == SIGWINCH) {
            resized = true;
        } else if (signo == SIGTSTP) {
            queue_.emplace_back(std::in_place_type<Suspend>);
        } else if (signo == SIGCONT) {
            queue_.emplace_back(std::in_place_type<Resume>);
        } else {
            // Ending the program comes before anything still queued.
            queue_.emplace_front(std::in_place_type<Terminate>, signo);
            return;
        }
    }
    if (!resized) return;
    if (auto size = terminal_size(out_fd_)) queue_.emplace_back(std::in_place_type<Resize>, size->cols, size->rows);
}

void Terminal::flush_if_due() {
    const auto pending = decoder_.pending_wait();
    if (!pending || Clock::now() < last_input_ + *pending) return;
    for (Event& ev : decoder_.flush_pending()) queue_.push_back(std::move(ev));
}

}  // namespace lomperi::term
