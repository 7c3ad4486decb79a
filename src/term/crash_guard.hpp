#pragma once
#include <termios.h>

namespace lomperi::term {

// While one is alive, a crash (SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT,
// SIGSYS, SIGTRAP, an allocation failure that escapes included) first puts the terminal back
// as far as a signal handler can: the saved settings, the mouse modes off,
// the normal screen and the cursor. Then the crash goes on as it would have:
// the previous handler (a sanitizer's report, say) or the default action.
class CrashGuard {
public:
    CrashGuard(int in_fd, const termios& saved, int out_fd);
    CrashGuard(const CrashGuard&) = delete;
    CrashGuard& operator=(const CrashGuard&) = delete;
    ~CrashGuard();
};

}  // namespace lomperi::term
