#pragma once
#include <csignal>
#include <vector>

#include "base/error.hpp"

namespace lomperi::term {

// Turns SIGWINCH, SIGTERM, SIGHUP and SIGQUIT into bytes on a pipe that the
// event wait polls; the handler does nothing else. SIGPIPE is ignored so that
// writing to a closed terminal is an error value, not a death. Only one may
// exist at a time; the previous dispositions of the four come back when it is
// destroyed, SIGPIPE stays ignored.
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
