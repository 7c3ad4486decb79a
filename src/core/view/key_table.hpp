#pragma once
// The keys of each screen, one table apiece: which key, what it asks for, and
// the words that name it in the on-screen hint, in --help and in the man page.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/view/action.hpp"
#include "core/view/app_state.hpp"
#include "term/event.hpp"

namespace lomperi::view {

// What a key asks for that is no change of the state alone.
enum class Request : std::uint8_t { Quit, Suspend, SaveWord };
using KeyCommand = std::variant<Action, Request>;

// Whether Ctrl is held; the other modifiers never tell keys apart.
enum class WithCtrl : std::uint8_t { No, Yes, Either };

struct Key {
    term::KeyCode code;
    char32_t ch = 0;  // of a Char key; 0 for any character
    WithCtrl ctrl = WithCtrl::Either;
};

struct KeyRow {
    std::vector<Key> keys;
    std::string_view name;  // the keys as --help and the man page name them
    std::string_view does;  // what --help says they do
    std::string_view hint;  // their part of the screen's hint line; most have none
    // None when the key does nothing in that state (Ctrl+E without an English side).
    std::optional<KeyCommand> (*command)(const AppState& state, const term::KeyEvent& key);
};

struct KeyTable {
    std::string_view screen;  // "the dictionary"
    std::span<const KeyRow> rows;
};

// The dictionary's, the reading pane's and the document viewer's.
std::span<const KeyTable> key_tables();

// The table of the screen shown: the document viewer's while it is open.
const KeyTable& keys_of(const AppState& state);

// What the key asks for on the screen shown; none for keys that do nothing there.
std::optional<KeyCommand> key_command(const AppState& state, const term::KeyEvent& key);

// The rows' hints, in the table's order.
std::string key_hint(const KeyTable& table);

}  // namespace lomperi::view
