#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace lomperi::term {

// The first candidate whose code points plus the two corners fit `width`;
// the last candidate when none does (the box cuts it off). Empty for no candidates.
std::string choose_title(std::span<const std::string> candidates, std::uint16_t width);

}  // namespace lomperi::term
