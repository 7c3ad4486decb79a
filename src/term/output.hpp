#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "base/error.hpp"

namespace lomperi::term {

// Where terminal output goes. A sink writes all bytes it is given before it
// returns (there is no separate flush) or reports why it could not.
using Sink = std::function<Result<void>(std::string_view)>;

// Writes everything to the file descriptor, retrying on EINTR and partial
// writes. EIO, EPIPE (with SIGPIPE ignored) and the like come back as errors
// carrying the system's text for them; a signal asking the program to end
// (pending_termination) ends the write with "interrupted by signal {}".
Result<void> write_all(int fd, std::string_view bytes);

// Writes what the descriptor takes at once, never waiting: the last words to
// a terminal that may have stopped reading.
void write_without_waiting(int fd, std::string_view bytes);

// A sink writing to the file descriptor.
Sink fd_sink(int fd);

// A sink appending to the string, for tests; the string must outlive it.
inline Sink string_sink(std::string& out) {
    return [&out](std::string_view bytes) -> Result<void> {
        out.append(bytes);
        return {};
    };
}

// What start-up switches on, and the one sequence that puts it all back
// (the normal teardown, the crash guard and a request to end all write it).
// Mouse reporting: press and release, motion with a button held, all
// motion, decimal extended coordinates, SGR coordinates. Bracketed paste, so
// that a pasted text arrives as one and is not taken for keys.
inline constexpr std::string_view kEnterSequence =
    "\x1b[?1049h"                                              // the alternate screen
    "\x1b[?1000h\x1b[?1002h\x1b[?1003h\x1b[?1015h\x1b[?1006h"   // mouse reporting
    "\x1b[?2004h";                                             // bracketed paste
inline constexpr std::string_view kLeaveSequence =
    "\x1b[?2004l"                                              // bracketed paste off
    "\x1b[?1006l\x1b[?1015l\x1b[?1003l\x1b[?1002l\x1b[?1000l"  // mouse reporting off, in reverse
    "\x1b[?1049l"                                              // the normal screen
    "\x1b[?25h";                                               // the cursor shown
inline constexpr std::string_view kHideCursor = "\x1b[?25l";
inline constexpr std::string_view kShowCursor = "\x1b[?25h";
inline constexpr std::string_view kClearScreen = "\x1b[2J";

Result<void> enter_interactive_screen(const Sink& out);
Result<void> leave_interactive_screen(const Sink& out);
// ESC "[?25h".
Result<void> show_cursor(const Sink& out);

}  // namespace lomperi::term
