#include "term/output.hpp"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include <fmt/format.h>

#include "term/signal_pipe.hpp"

namespace lomperi::term {
namespace {

constexpr int kWritableWaitMs = 5000;

std::unexpected<Error> interrupted() {
    return fail(fmt::format("interrupted by signal {}", pending_termination()));
}

// A non-blocking descriptor that stays full is an error, not a busy loop.
Result<void> wait_writable(int fd) {
    pollfd p{fd, POLLOUT, 0};
    for (;;) {
        const int n = ::poll(&p, 1, kWritableWaitMs);
        if (n > 0) return {};
        if (n == 0) return fail("timed out writing to the terminal");
        if (errno != EINTR) return fail(std::strerror(errno));
        if (pending_termination() != 0) return interrupted();
    }
}

}  // namespace

Result<void> write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        // A signal that asks the program to end cuts a blocked write short.
        if (pending_termination() != 0) return interrupted();
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
            continue;
        }
        if (n == 0) return fail("failed to write whole buffer");
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (auto ready = wait_writable(fd); !ready) return ready;
            continue;
        }
        return fail(std::strerror(errno));
    }
    return {};
}

void write_without_waiting(int fd, std::string_view bytes) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n <= 0) break;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    // The descriptor's flags are shared with whoever started the program.
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags);
}

Sink fd_sink(int fd) {
    return [fd](std::string_view bytes) { return write_all(fd, bytes); };
}

Result<void> enter_interactive_screen(const Sink& out) { return out(kEnterSequence); }

Result<void> leave_interactive_screen(const Sink& out) { return out(kLeaveSequence); }

Result<void> show_cursor(const Sink& out) { return out(kShowCursor); }

}  // namespace lomperi::term
