#include "term/crash_guard.hpp"

#include <signal.h>
#include <unistd.h>

#include <array>

#include "term/output.hpp"

namespace lomperi::term {
namespace {

constexpr std::array<int, 7> kCrashSignals = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT, SIGSYS, SIGTRAP};

// What the handler needs, set before it is installed and only read in it.
int g_in_fd = -1;
int g_out_fd = -1;
termios g_saved{};
volatile sig_atomic_t g_armed = 0;
std::array<struct sigaction, kCrashSignals.size()> g_previous{};

std::size_t index_of(int signo) {
    for (std::size_t i = 0; i < kCrashSignals.size(); ++i) {
        if (kCrashSignals[i] == signo) return i;
    }
    return 0;
}

extern "C" void on_crash(int signo, siginfo_t* info, void* context) {
    if (g_armed) {
        g_armed = 0;
        ::tcsetattr(g_in_fd, TCSANOW, &g_saved);
        [[maybe_unused]] const ssize_t n = ::write(g_out_fd, kLeaveSequence.data(), kLeaveSequence.size());
    }
    const struct sigaction& previous = g_previous[index_of(signo)];
    ::sigaction(signo, &previous, nullptr);
    if ((previous.sa_flags & SA_SIGINFO) && previous.sa_sigaction != nullptr) {
        previous.sa_sigaction(signo, info, context);
        return;
    }
    if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
        previous.sa_handler(signo);
        return;
    }
    // Returning re-runs a faulting instruction, now under the default action;
    // a signal sent from outside is raised again.
    if (info == nullptr || info->si_code <= 0) ::raise(signo);
}

}  // namespace

CrashGuard::CrashGuard(int in_fd, const termios& saved, int out_fd) {
    g_in_fd = in_fd;
    g_out_fd = out_fd;
    g_saved = saved;
    struct sigaction action {};
    action.sa_sigaction = on_crash;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < kCrashSignals.size(); ++i) ::sigaction(kCrashSignals[i], &action, &g_previous[i]);
    g_armed = 1;
}

CrashGuard::~CrashGuard() {
    g_armed = 0;
    for (std::size_t i = 0; i < kCrashSignals.size(); ++i) ::sigaction(kCrashSignals[i], &g_previous[i], nullptr);
}

}  // namespace lomperi::term
