#include "core/layout/pane_layout.hpp"

#include <algorithm>
#include <cstdint>

namespace lomperi::layout {
namespace {

std::uint16_t left_width(std::uint16_t w, std::uint16_t left_pct) {
    if (w < kNarrowScreen) return w / 2;
    std::uint32_t lw = std::uint32_t{w} * clamp_pct(left_pct) / 100;
    lw = std::clamp<std::uint32_t>(lw, kMinLeftWidth, w - kMinEntryWidth);
    return static_cast<std::uint16_t>(lw);
}

std::uint16_t matches_height(std::uint16_t q, std::uint16_t matches_pct) {
    if (q < 2 * kMinListHeight) return q / 2;
    std::uint32_t m = std::uint32_t{q} * clamp_pct(matches_pct) / 100;
    m = std::clamp<std::uint32_t>(m, kMinListHeight, q - kMinListHeight);
    return static_cast<std::uint16_t>(m);
}

}  // namespace

PaneLayout compute_layout(term::Rect area, const LayoutConfig& config, bool inflections_available) {
    const auto [x, y, w, h] = area;
    const std::uint16_t lw = left_width(w, config.left_pct);
    const std::uint16_t t = std::min(h, kTitleBoxHeight);
    const std::uint16_t q = h - t;
    const auto list_y = static_cast<std::uint16_t>(y + t);

    PaneLayout layout;
    layout.left_column = {x, y, lw, h};
    layout.entry = {static_cast<std::uint16_t>(x + lw), y, static_cast<std::uint16_t>(w - lw), h};
    layout.title_box = {x, y, lw, t};
    if (!inflections_available) {
        layout.matches = {x, list_y, lw, q};
        return layout;
    }
    const std::uint16_t m = matches_height(q, config.matches_pct);
    layout.matches = {x, list_y, lw, m};
    layout.inflections = term::Rect{x, static_cast<std::uint16_t>(list_y + m), lw, static_cast<std::uint16_t>(q - m)};
    return layout;
}

}  // namespace lomperi::layout
