#pragma once
#include <csignal>
#include <vector>

#include "base/error.hpp"

namespace lomperi::term {

// Turns SIGWINCH, SIGTSTP, SIGCONT and every signal whose default action
// ends the program without a core dump of a fault (SIGTERM, SIGHUP, SIGQUIT,
// SIGINT, SIGALRM, SIGUSR1, SIGUSR2, SIGXCPU, SIGVTALRM, SIGPROF, SIGIO,
// SIGPWR, SIGSTKFLT and the real-time signals) into bytes on a pipe that the
// event wait polls, and remembers the first ending one for
// pending_termination(); the faults are the crash guard's. Handlers do not restart system calls, so a write
// blocked on the terminal returns. SIGPIPE and SIGXFSZ are ignored so that
// writing to a closed terminal or past a file-size limit is an error value,
// not a death. Only one may exist at a time; the previous dispositions come
// back when it is destroyed, SIGPIPE and SIGXFSZ stay ignored.
// The first signal that asked the program to end, or 0.
int pending_termination();

// Whether the signal asks the program to end (not a resize, stop or continue).
bool ends_program(int signo);

class SignalPipe {
public:
    static Result<SignalPipe> install();

    SignalPipe(SignalPipe&& other) noexcept;
    SignalPipe& operator=(SignalPipe&&) = delete;
    SignalPipe(const SignalPipe&) = delete;
    SignalPipe& operator=(const SignalPipe&) = delete;
    ~SignalPipe();

    // The read end, to poll for input.
    int fd() const { return read_fd_; }

    // The signals that arrived since the last call, in order, without waiting.
    std::vector<int> drain();

private:
    SignalPipe() = default;

    int read_fd_ = -1;
    bool owner_ = false;
};

}  // namespace lomperi::term
