#include "term/output.hpp"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include <fmt/format.h>

#include "base/file_descriptor.hpp"
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
    // A signal that asks the program to end cuts a blocked write short.
    const StopWriting ending = [] { return pending_termination() != 0; };
    for (;;) {
        const Written written = lomperi::write_all(fd, bytes, ending);
        if (written.whole()) return {};
        bytes.remove_prefix(written.bytes);
        if (written.error == EINTR) return interrupted();
        if (written.error != EAGAIN && written.error != EWOULDBLOCK) return fail(std::strerror(written.error));
        if (auto ready = wait_writable(fd); !ready) return ready;
    }
}

void write_without_waiting(int fd, std::string_view bytes) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    (void)lomperi::write_all(fd, bytes);
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
