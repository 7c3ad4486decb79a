#pragma once
#include <algorithm>
#include <cstdint>

namespace lomperi::view {

// Scroll offsets move by signed steps and stop at 0 and 65535.
inline std::uint16_t saturating_step(std::uint16_t value, std::int64_t step) {
    const std::int64_t moved = std::clamp<std::int64_t>(step, -65536, 65536) + value;
    return static_cast<std::uint16_t>(std::clamp<std::int64_t>(moved, 0, 65535));
}

}  // namespace lomperi::view
