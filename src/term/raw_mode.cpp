#include "term/raw_mode.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "term/signal_pipe.hpp"

namespace lomperi::term {
namespace {

Result<void> apply(int fd, const termios& settings, int when = TCSAFLUSH) {
    while (::tcsetattr(fd, when, &settings) != 0) {
        if (errno != EINTR) return fail(std::strerror(errno));
        // Waiting for the output to drain gives way to a request to end.
        if (pending_termination() != 0) when = TCSANOW;
    }
    return {};
}

}  // namespace

termios raw_settings(termios t) {
    t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB);
    t.c_cflag |= CS8;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    return t;
}

Result<RawMode> RawMode::enable(int fd) {
    termios saved{};
    if (::tcgetattr(fd, &saved) != 0) return fail(std::strerror(errno));
    if (auto applied = apply(fd, raw_settings(saved), TCSADRAIN); !applied) return forward(applied);
    return RawMode(fd, saved);
}

RawMode::RawMode(RawMode&& other) noexcept : fd_(std::exchange(other.fd_, -1)), saved_(other.saved_) {}

RawMode& RawMode::operator=(RawMode&& other) noexcept {
    if (this != &other) {
        (void)restore();
        fd_ = std::exchange(other.fd_, -1);
        saved_ = other.saved_;
    }
    return *this;
}

RawMode::~RawMode() { (void)restore(); }

Result<void> RawMode::pause() {
    if (fd_ < 0) return {};
    return apply(fd_, saved_, TCSADRAIN);
}

Result<void> RawMode::resume() {
    if (fd_ < 0) return {};
    return apply(fd_, raw_settings(saved_), TCSADRAIN);
}

Result<void> RawMode::restore(When when) {
    if (fd_ < 0) return {};
    const int fd = std::exchange(fd_, -1);
    return apply(fd, saved_, when == When::Now ? TCSANOW : TCSAFLUSH);
}

}  // namespace lomperi::term
