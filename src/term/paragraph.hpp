#pragma once
#include <cstdint>
#include <span>

#include "term/buffer.hpp"
#include "term/geometry.hpp"
#include "term/text.hpp"

namespace lomperi::term {

// Styled lines, one per row, starting with line `scroll`; lines are not
// wrapped, whatever passes the right edge is cut off.
void draw_paragraph(Buffer& buffer, Rect area, std::span<const Line> lines, std::uint16_t scroll = 0);

}  // namespace lomperi::term
