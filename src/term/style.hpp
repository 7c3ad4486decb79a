#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lomperi::term {

// The standard palette colours the program uses, by palette index.
enum class Color : std::uint8_t { Red = 1, Yellow = 3, Cyan = 6, DarkGray = 8 };

// Text attributes as a bit set.
enum Modifier : std::uint8_t {
    NoModifier = 0,
    Bold = 1 << 0,
    Dim = 1 << 1,
    Underlined = 1 << 2,
    Reversed = 1 << 3,
};

// A style is data: an optional foreground and attributes to add and remove.
// Only the renderer turns it into escape sequences.
struct Style {
    std::optional<Color> fg;
    std::uint8_t add = NoModifier;
    std::uint8_t remove = NoModifier;

    friend bool operator==(const Style&, const Style&) = default;

    Style with_fg(Color color) const {
        Style s = *this;
        s.fg = color;
        return s;
    }
    Style adding(std::uint8_t modifiers) const {
        Style s = *this;
        s.add |= modifiers;
        s.remove &= static_cast<std::uint8_t>(~modifiers);
        return s;
    }
    Style removing(std::uint8_t modifiers) const {
        Style s = *this;
        s.remove |= modifiers;
        s.add &= static_cast<std::uint8_t>(~modifiers);
        return s;
    }
    // This style laid over another: set fields win, attributes accumulate.
    Style patch(const Style& over) const {
        Style s = *this;
        if (over.fg) s.fg = over.fg;
        s.add = static_cast<std::uint8_t>((s.add & ~over.remove) | over.add);
        s.remove = static_cast<std::uint8_t>((s.remove & ~over.add) | over.remove);
        return s;
    }
};

// A run of text in one style.
struct Span {
    std::string text;
    Style style;
    friend bool operator==(const Span&, const Span&) = default;
};

// One display line: spans side by side.
struct Line {
    std::vector<Span> spans;
    friend bool operator==(const Line&, const Line&) = default;
};

}  // namespace lomperi::term
