#pragma once
#include <string>

#include "term/style.hpp"

namespace lomperi::term {

// The SGR sequence that sets exactly this cell style, starting from a reset:
// "ESC [ 0 ; attributes ; colour m". Without colour when colors is false.
std::string sgr_sequence(const Style& style, bool colors);

}  // namespace lomperi::term
