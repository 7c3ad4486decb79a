#pragma once
#include <optional>
#include <string_view>
#include <variant>

#include "term/event.hpp"

namespace lomperi::term {

// The start of a bracketed paste; the decoder collects what follows.
struct PasteStart {};

using CsiMeaning = std::variant<std::monostate, Event, PasteStart>;

// What a complete control sequence ESC "[" body final means. `body` holds the
// parameter and intermediate bytes. Unknown or malformed sequences mean
// nothing (monostate).
CsiMeaning interpret_csi(std::string_view body, char final);

// What SS3 (ESC "O") with the final byte means; digits before the final are
// taken as a modifier parameter.
std::optional<KeyEvent> interpret_ss3(std::string_view body, char final);

}  // namespace lomperi::term
