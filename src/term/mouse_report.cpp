#include "term/mouse_report.hpp"

#include <algorithm>

namespace lomperi::term {
namespace {

std::uint16_t zero_based(std::uint32_t one_based) {
    if (one_based == 0) return 0;
    return static_cast<std::uint16_t>(std::min<std::uint32_t>(one_based - 1, 0xffff));
}

std::uint8_t mouse_modifiers(std::uint32_t b) {
    std::uint8_t mods = NoKeyModifier;
    if (b & 4) mods |= Shift;
    if (b & 8) mods |= Alt;
    if (b & 16) mods |= Ctrl;
    return mods;
}

MouseButton button_of(std::uint32_t low) {
    if (low == 1) return MouseButton::Middle;
    if (low == 2) return MouseButton::Right;
    return MouseButton::Left;
}

MouseKind wheel_kind(std::uint32_t low) {
    static constexpr MouseKind kinds[] = {MouseKind::ScrollUp, MouseKind::ScrollDown, MouseKind::ScrollLeft,
                                          MouseKind::ScrollRight};
    return kinds[low & 3];
}

}  // namespace

std::optional<MouseEvent> decode_mouse(std::uint32_t b, std::uint32_t column, std::uint32_t row,
                                       MouseEncoding encoding, bool released) {
    if (b > 0xff) return std::nullopt;
    MouseEvent ev{.column = zero_based(column), .row = zero_based(row), .modifiers = mouse_modifiers(b)};
    const std::uint32_t low = b & 3;
    const std::uint32_t high = b & 0xc0;
    const bool motion = (b & 32) != 0;
    if (high == 0x40) {
        if (released) return std::nullopt;
        ev.kind = wheel_kind(low);
        return ev;
    }
    if (high != 0) return std::nullopt;
    if (motion) {
        ev.kind = low == 3 ? MouseKind::Moved : MouseKind::Drag;
        ev.button = low == 3 ? MouseButton::Left : button_of(low);
        return ev;
    }
    if (encoding == MouseEncoding::Sgr) {
        if (low == 3) return std::nullopt;
        ev.kind = released ? MouseKind::Up : MouseKind::Down;
        ev.button = button_of(low);
        return ev;
    }
    // The older encodings report every release as button 3, without saying
    // which button went up.
    ev.kind = low == 3 ? MouseKind::Up : MouseKind::Down;
    ev.button = low == 3 ? MouseButton::Left : button_of(low);
    return ev;
}

}  // namespace lomperi::term
