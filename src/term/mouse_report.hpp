#pragma once
#include <cstdint>
#include <optional>

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

}  // namespace lomperi::term
