#include "term/csi.hpp"

#include <algorithm>
#include <cstdint>
#include <vector>


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

namespace {

constexpr std::uint32_t kMaxParam = 0xffff;

// Numeric parameters separated by ";"; a sub-parameter after ":" is ignored.
// Missing values are 0. Nothing when a byte is neither digit nor separator.
std::optional<std::vector<std::uint32_t>> parse_params(std::string_view body) {
    std::vector<std::uint32_t> params;
    if (body.empty()) return params;
    std::uint32_t value = 0;
    bool in_sub = false;
    for (char c : body) {
        if (c == ';') {
            params.push_back(value);
            value = 0;
            in_sub = false;
        } else if (c == ':') {
            in_sub = true;
        } else if (c >= '0' && c <= '9') {
            if (!in_sub) value = std::min<std::uint32_t>(value * 10 + static_cast<std::uint32_t>(c - '0'), kMaxParam);
        } else {
            return std::nullopt;
        }
    }
    params.push_back(value);
    return params;
}

std::uint32_t param(const std::vector<std::uint32_t>& p, std::size_t i, std::uint32_t fallback) {
    return i < p.size() && p[i] != 0 ? p[i] : fallback;
}

// The xterm modifier parameter: 1 + (shift 1, alt 2, ctrl 4, meta 8).
std::uint8_t key_modifiers(std::uint32_t m) {
    if (m == 0) return NoKeyModifier;
    const std::uint32_t bits = m - 1;
    std::uint8_t mods = NoKeyModifier;
    if (bits & 1) mods |= Shift;
    if (bits & 2) mods |= Alt;
    if (bits & 4) mods |= Ctrl;
    return mods;
}

std::optional<KeyEvent> letter_key(char final, std::uint8_t mods) {
    switch (final) {
        case 'A': return key(KeyCode::Up, mods);
        case 'B': return key(KeyCode::Down, mods);
        case 'C': return key(KeyCode::Right, mods);
        case 'D': return key(KeyCode::Left, mods);
        case 'H': return key(KeyCode::Home, mods);
        case 'F': return key(KeyCode::End, mods);
        case 'P': return function_key(1, mods);
        case 'Q': return function_key(2, mods);
        case 'R': return function_key(3, mods);
        case 'S': return function_key(4, mods);
        default: return std::nullopt;
    }
}

std::optional<std::uint8_t> tilde_function(std::uint32_t n) {
    if (n >= 11 && n <= 15) return static_cast<std::uint8_t>(n - 10);
    if (n >= 17 && n <= 21) return static_cast<std::uint8_t>(n - 11);
    if (n >= 23 && n <= 26) return static_cast<std::uint8_t>(n - 12);
    if (n == 28 || n == 29) return static_cast<std::uint8_t>(n - 13);
    if (n >= 31 && n <= 34) return static_cast<std::uint8_t>(n - 14);
    return std::nullopt;
}

// A key given by its code point, as in "CSI code;mod u" and "CSI 27;mod;code ~".
std::optional<KeyEvent> code_key(std::uint32_t code, std::uint8_t mods) {
    switch (code) {
        case 13: return key(KeyCode::Enter, mods);
        case 9: return key((mods & Shift) ? KeyCode::BackTab : KeyCode::Tab, mods);
        case 27: return key(KeyCode::Esc, mods);
        case 8:
        case 127: return key(KeyCode::Backspace, mods);
        default: break;
    }
    const auto ch = static_cast<char32_t>(code);
    if (code < 0x20 || (code >= 0x7f && code < 0xa0) || (code >= 0xd800 && code < 0xe000)) return std::nullopt;
    return char_key(ch, mods);
}

CsiMeaning tilde_key(const std::vector<std::uint32_t>& p) {
    const std::uint32_t n = param(p, 0, 0);
    const std::uint8_t mods = key_modifiers(param(p, 1, 1));
    if (n == 200) return PasteStart{};
    if (n == 27) {
        if (auto k = code_key(param(p, 2, 0), mods)) return Event{*k};
        return {};
    }
    if (auto f = tilde_function(n)) return Event{function_key(*f, mods)};
    switch (n) {
        case 1:
        case 7: return Event{key(KeyCode::Home, mods)};
        case 2: return Event{key(KeyCode::Insert, mods)};
        case 3: return Event{key(KeyCode::Delete, mods)};
        case 4:
        case 8: return Event{key(KeyCode::End, mods)};
        case 5: return Event{key(KeyCode::PageUp, mods)};
        case 6: return Event{key(KeyCode::PageDown, mods)};
        default: return {};
    }
}

CsiMeaning mouse(const std::vector<std::uint32_t>& p, MouseEncoding encoding, bool released) {
    if (p.size() != 3) return {};
    std::uint32_t b = p[0];
    if (encoding == MouseEncoding::Decimal) {
        if (b < 32) return {};
        b -= 32;
    }
    const std::optional<MouseEvent> ev = decode_mouse(b, p[1], p[2], encoding, released);
    if (!ev) return {};
    return CsiMeaning(std::in_place_type<Event>, std::in_place_type<MouseEvent>, *ev);
}

CsiMeaning plain_csi(const std::vector<std::uint32_t>& p, char final) {
    switch (final) {
        case 'M': return mouse(p, MouseEncoding::Decimal, false);
        case 'Z': return Event{key(KeyCode::BackTab, Shift)};
        case 'I': return p.empty() ? CsiMeaning{Event{FocusGained{}}} : CsiMeaning{};
        case 'O': return p.empty() ? CsiMeaning{Event{FocusLost{}}} : CsiMeaning{};
        case '~': return tilde_key(p);
        case 'u': {
            if (auto k = code_key(param(p, 0, 0), key_modifiers(param(p, 1, 1)))) return Event{*k};
            return {};
        }
        default: break;
    }
    // Keys with a letter final: no parameters, or "1;mod".
    if (p.size() > 2 || (!p.empty() && param(p, 0, 1) != 1)) return {};
    if (auto k = letter_key(final, key_modifiers(param(p, 1, 1)))) return Event{*k};
    return {};
}

}  // namespace

CsiMeaning interpret_csi(std::string_view body, char final) {
    char prefix = 0;
    if (!body.empty() && body[0] >= '<' && body[0] <= '?') {
        prefix = body[0];
        body.remove_prefix(1);
    }
    const auto params = parse_params(body);
    if (!params) return {};
    if (prefix == '<') {
        if (final != 'M' && final != 'm') return {};
        return mouse(*params, MouseEncoding::Sgr, final == 'm');
    }
    if (prefix != 0) return {};
    return plain_csi(*params, final);
}

std::optional<KeyEvent> interpret_ss3(std::string_view body, char final) {
    const auto params = parse_params(body);
    if (!params || params->size() > 1) return std::nullopt;
    const std::uint8_t mods = key_modifiers(param(*params, 0, 1));
    return letter_key(final, mods);
}

}  // namespace lomperi::term
