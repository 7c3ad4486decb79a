#pragma once
#include <termios.h>

#include <cstdint>

#include "base/error.hpp"

namespace lomperi::term {

// The terminal switched to raw mode: no echo, no line editing, no signals
// from keys (Ctrl+C, Ctrl+Z and Ctrl+\ arrive as keys), no flow control, no
// CR translation and no output processing. The settings found when it was
// entered are put back by restore, or by the destructor if restore was not
// called. Entering it keeps the keys already typed.
class RawMode {
public:
    static Result<RawMode> enable(int fd);

    RawMode(RawMode&& other) noexcept;
    RawMode& operator=(RawMode&& other) noexcept;
    RawMode(const RawMode&) = delete;
    RawMode& operator=(const RawMode&) = delete;
    ~RawMode();

    // AfterOutput waits until what was written has reached the terminal, as
    // a normal exit does; Now does not, for a terminal that stopped reading.
    enum class When : std::uint8_t { AfterOutput, Now };
    Result<void> restore(When when = When::AfterOutput);
    // Puts the saved settings back for a while (the program stops) and
    // applies raw mode again, from the same saved settings.
    Result<void> pause();
    Result<void> resume();
    bool active() const { return fd_ >= 0; }
    const termios& saved() const { return saved_; }

private:
    RawMode(int fd, const termios& saved) : fd_(fd), saved_(saved) {}

    int fd_ = -1;
    termios saved_{};
};

// The settings raw mode applies to the given ones.
termios raw_settings(termios settings);

}  // namespace lomperi::term
