#include "term/signal_pipe.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

namespace lomperi::term {
namespace {

// Every signal whose default would end the program without a word, so that
// each of them restores the terminal first; the resize; stop and continue.
constexpr std::array<int, 16> kFixedSignals = {SIGWINCH, SIGTSTP,   SIGCONT, SIGTERM, SIGHUP, SIGQUIT,
                                               SIGINT,   SIGALRM,   SIGUSR1, SIGUSR2, SIGXCPU, SIGVTALRM,
                                               SIGPROF,  SIGIO,     SIGPWR,  SIGSTKFLT};
constexpr std::size_t kMaxSignals = kFixedSignals.size() + 64;  // and SIGRTMIN..SIGRTMAX

volatile sig_atomic_t g_write_fd = -1;
volatile sig_atomic_t g_termination = 0;
std::array<int, kMaxSignals> g_signals{};
std::size_t g_signal_count = 0;
std::array<struct sigaction, kMaxSignals> g_previous{};

void list_signals() {
    g_signal_count = 0;
    for (const int signo : kFixedSignals) g_signals[g_signal_count++] = signo;
    for (int signo = SIGRTMIN; signo <= SIGRTMAX && g_signal_count < kMaxSignals; ++signo) g_signals[g_signal_count++] = signo;
}

extern "C" void on_signal(int signo) {
    const int saved_errno = errno;
    if (ends_program(signo) && g_termination == 0) g_termination = signo;
    const auto byte = static_cast<unsigned char>(signo);
    // A full pipe already holds a wake-up; losing this byte loses nothing.
    [[maybe_unused]] const ssize_t n = ::write(g_write_fd, &byte, 1);
    errno = saved_errno;
}

Result<void> set_flags(int fd) {
    const int fl = ::fcntl(fd, F_GETFL);
    if (fl < 0 || ::fcntl(fd, F_SETFL, fl | O_NONBLOCK) < 0) return fail(std::strerror(errno));
    if (::fcntl(fd, F_SETFD, FD_CLOEXEC) < 0) return fail(std::strerror(errno));
    return {};
}

void uninstall(int read_fd) {
    for (std::size_t i = 0; i < g_signal_count; ++i) ::sigaction(g_signals[i], &g_previous[i], nullptr);
    const int write_fd = g_write_fd;
    g_write_fd = -1;
    ::close(write_fd);
    ::close(read_fd);
}

}  // namespace

Result<SignalPipe> SignalPipe::install() {
    if (g_write_fd != -1) return fail("signal pipe already installed");
    int fds[2];
    if (::pipe(fds) != 0) return fail(std::strerror(errno));
    for (int fd : fds) {
        if (auto ok = set_flags(fd); !ok) {
            ::close(fds[0]);
            ::close(fds[1]);
            return forward(ok);
        }
    }
    g_write_fd = fds[1];
    g_termination = 0;
    struct sigaction action {};
    action.sa_handler = on_signal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a signal must end a write that blocks on a terminal that
    // stopped reading, and the writer then sees pending_termination().
    action.sa_flags = 0;
    list_signals();
    for (std::size_t i = 0; i < g_signal_count; ++i) ::sigaction(g_signals[i], &action, &g_previous[i]);
    // Stays ignored after the pipe is gone: the last teardown writes may
    // come after it, and they must fail as values too.
    ::signal(SIGPIPE, SIG_IGN);
    // Writing the layout file past a file-size limit must fail with EFBIG.
    ::signal(SIGXFSZ, SIG_IGN);
    SignalPipe pipe;
    pipe.read_fd_ = fds[0];
    pipe.owner_ = true;
    return pipe;
}

int pending_termination() { return g_termination; }

bool ends_program(int signo) { return signo != SIGWINCH && signo != SIGTSTP && signo != SIGCONT; }

SignalPipe::SignalPipe(SignalPipe&& other) noexcept
    : read_fd_(std::exchange(other.read_fd_, -1)), owner_(std::exchange(other.owner_, false)) {}

SignalPipe::~SignalPipe() {
    if (owner_) uninstall(read_fd_);
}

std::vector<int> SignalPipe::drain() {
    std::vector<int> signals;
    unsigned char bytes[64];
    for (;;) {
        const ssize_t n = ::read(read_fd_, bytes, sizeof bytes);
        if (n > 0) {
            signals.insert(signals.end(), bytes, bytes + n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        return signals;
    }
}

}  // namespace lomperi::term
