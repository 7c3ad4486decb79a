#pragma once
#include <cstdint>

#include "term/buffer.hpp"

namespace lomperi::legal {

// Draws document `doc` over the whole buffer area: a box titled to fit, and
// the wrapped body from line `doc_scroll`. Lowers `doc_scroll` to the last
// useful value. Draws nothing for an index outside the table.
void draw_documents(term::Buffer& buffer, std::uint8_t doc, std::uint16_t& doc_scroll);

}  // namespace lomperi::legal
