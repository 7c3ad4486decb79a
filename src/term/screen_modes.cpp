#include "term/screen_modes.hpp"

#include <string>

namespace lomperi::term {

Result<void> enter_interactive_screen(const Sink& out) {
    std::string bytes{kEnterAlternateScreen};
    bytes += kMouseOn;
    return out(bytes);
}

Result<void> leave_interactive_screen(const Sink& out) {
    std::string bytes{kMouseOff};
    bytes += kLeaveAlternateScreen;
    return out(bytes);
}

Result<void> show_cursor(const Sink& out) { return out(kShowCursor); }

}  // namespace lomperi::term
