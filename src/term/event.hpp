#pragma once
#include <cstdint>
#include <string>
#include <variant>

namespace lomperi::term {

// Modifier keys held with a key or a mouse event, as a bit set.
enum KeyModifier : std::uint8_t {
    NoKeyModifier = 0,
    Shift = 1 << 0,
    Alt = 1 << 1,
    Ctrl = 1 << 2,
};

enum class KeyCode : std::uint8_t {
    Char,  // KeyEvent::ch holds the character
    Enter,
    Tab,
    BackTab,
    Backspace,
    Esc,
    Up,
    Down,
    Left,
    Right,
    Home,
    End,
    PageUp,
    PageDown,
    Insert,
    Delete,
    F,  // KeyEvent::function holds the number, 1 to 20
};

// The decoder only ever reports presses; terminals do not tell repeats or
// releases apart in the encodings we switch on.
enum class KeyKind : std::uint8_t { Press, Repeat, Release };

struct KeyEvent {
    KeyCode code = KeyCode::Char;
    char32_t ch = 0;
    std::uint8_t function = 0;
    std::uint8_t modifiers = NoKeyModifier;
    KeyKind kind = KeyKind::Press;

    friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
    bool has(KeyModifier m) const { return (modifiers & m) != 0; }
};

inline KeyEvent key(KeyCode code, std::uint8_t modifiers = NoKeyModifier) {
    return KeyEvent{.code = code, .modifiers = modifiers};
}
inline KeyEvent char_key(char32_t ch, std::uint8_t modifiers = NoKeyModifier) {
    return KeyEvent{.code = KeyCode::Char, .ch = ch, .modifiers = modifiers};
}
inline KeyEvent function_key(std::uint8_t n, std::uint8_t modifiers = NoKeyModifier) {
    return KeyEvent{.code = KeyCode::F, .function = n, .modifiers = modifiers};
}

enum class MouseKind : std::uint8_t { Down, Up, Drag, Moved, ScrollUp, ScrollDown, ScrollLeft, ScrollRight };
enum class MouseButton : std::uint8_t { Left, Right, Middle };

// Column and row are screen cells counted from 0 at the top left. The button
// is meaningful for Down, Up and Drag only (Left otherwise).
struct MouseEvent {
    MouseKind kind = MouseKind::Moved;
    MouseButton button = MouseButton::Left;
    std::uint16_t column = 0;
    std::uint16_t row = 0;
    std::uint8_t modifiers = NoKeyModifier;

    friend bool operator==(const MouseEvent&, const MouseEvent&) = default;
};

struct Resize {
    std::uint16_t cols = 0;
    std::uint16_t rows = 0;
    friend bool operator==(const Resize&, const Resize&) = default;
};

struct FocusGained {
    friend bool operator==(const FocusGained&, const FocusGained&) = default;
};

struct FocusLost {
    friend bool operator==(const FocusLost&, const FocusLost&) = default;
};

// Bracketed paste, delivered whole. The text is as the terminal sent it.
struct Paste {
    std::string text;
    bool cut = false;  // longer than the decoder keeps: the rest was dropped
    friend bool operator==(const Paste&, const Paste&) = default;
};

// A signal whose default action ends the process arrived (SIGTERM, SIGHUP,
// SIGINT ...); the program should restore the terminal and exit with
// 128 + signo. Never produced by the decoder.
struct Terminate {
    int signo = 0;
    friend bool operator==(const Terminate&, const Terminate&) = default;
};

// SIGTSTP: the program should put the terminal back and stop.
struct Suspend {
    friend bool operator==(const Suspend&, const Suspend&) = default;
};

// SIGCONT: the program was continued; it takes the terminal again and
// draws the whole screen.
struct Resume {
    friend bool operator==(const Resume&, const Resume&) = default;
};

using Event = std::variant<KeyEvent, MouseEvent, Resize, FocusGained, FocusLost, Paste, Terminate, Suspend, Resume>;

}  // namespace lomperi::term
