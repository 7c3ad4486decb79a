#pragma once
// The saturating column arithmetic of the entry pane; widths are counted in
// code points, as everywhere on the screen.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "base/utf8.hpp"

namespace lomperi::expand {

inline std::uint16_t saturating_add(std::uint16_t a, std::size_t b) {
    constexpr std::size_t kMax = std::numeric_limits<std::uint16_t>::max();
    return static_cast<std::uint16_t>(b >= kMax - a ? kMax : a + b);
}

inline std::uint16_t saturating_width(std::string_view text) {
    return saturating_add(0, code_point_count(text));
}

}  // namespace lomperi::expand
