#pragma once
// Widths in characters (code points) and the saturating column arithmetic of
// the entry pane.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

namespace lomperi::expand {

// Code points of UTF-8 text: every byte that is not a continuation byte.
inline std::size_t char_count(std::string_view text) {
    return static_cast<std::size_t>(std::ranges::count_if(
        text, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

inline std::uint16_t saturating_add(std::uint16_t a, std::size_t b) {
    constexpr std::size_t kMax = std::numeric_limits<std::uint16_t>::max();
    return static_cast<std::uint16_t>(b >= kMax - a ? kMax : a + b);
}

inline std::uint16_t saturating_width(std::string_view text) { return saturating_add(0, char_count(text)); }

}  // namespace lomperi::expand
