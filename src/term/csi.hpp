#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

#include "term/event.hpp"

namespace lomperi::term {

// The encodings a terminal reports mouse events in. They share the button
// byte; they differ in how a release is told.
enum class MouseEncoding : std::uint8_t { Sgr, Decimal, X10 };

// Decodes a mouse report: the button byte without its +32 offset, 1-based
// column and row. `released` is the SGR final "m". Extra buttons (8 and up)
// and reports that make no sense give nothing.
std::optional<MouseEvent> decode_mouse(std::uint32_t button_byte, std::uint32_t column, std::uint32_t row,
                                       MouseEncoding encoding, bool released);

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
