#pragma once
#include <cstdint>

namespace lomperi::term {

// A screen rectangle in cells, origin at the top left.
struct Rect {
    std::uint16_t x = 0;
    std::uint16_t y = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;

    friend bool operator==(const Rect&, const Rect&) = default;
    bool empty() const { return width == 0 || height == 0; }
    bool contains(std::uint16_t column, std::uint16_t row) const {
        return column >= x && row >= y && column - x < width && row - y < height;
    }
};

}  // namespace lomperi::term
