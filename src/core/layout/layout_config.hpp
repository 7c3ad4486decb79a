#pragma once
#include <algorithm>
#include <cstdint>

namespace lomperi::layout {

inline constexpr std::uint16_t kMinPct = 10;
inline constexpr std::uint16_t kMaxPct = 90;

// The user's pane sizes as percentages; kept within 10..90 wherever they are stored.
struct LayoutConfig {
    std::uint16_t left_pct = 40;
    std::uint16_t matches_pct = 60;

    friend bool operator==(const LayoutConfig&, const LayoutConfig&) = default;
};

// Wide enough for percentages computed in 32 bits before they are stored.
constexpr std::uint16_t clamp_pct(std::uint64_t value) {
    return static_cast<std::uint16_t>(std::clamp<std::uint64_t>(value, kMinPct, kMaxPct));
}

constexpr LayoutConfig clamped(LayoutConfig config) {
    return {clamp_pct(config.left_pct), clamp_pct(config.matches_pct)};
}

}  // namespace lomperi::layout
