#include "core/view/key_table.hpp"

#include <algorithm>
#include <array>

namespace lomperi::view {
namespace {

using term::KeyCode;
using Command = std::optional<KeyCommand>;

template <class A>
Command act(const AppState&, const term::KeyEvent&) {
    return Action(A{});
}

template <Request R>
Command ask(const AppState&, const term::KeyEvent&) {
    return R;
}

// The first key of a pair (Up, Left, PageUp, Home) goes back, the other on.
std::int64_t step_of(const term::KeyEvent& key) {
    const bool back = key.code == KeyCode::Up || key.code == KeyCode::Left || key.code == KeyCode::PageUp ||
                      key.code == KeyCode::Home;
    return back ? -1 : 1;
}

// The actions that are a step alone: MoveSelection, ScrollEntry.
template <class A>
Command step(const AppState&, const term::KeyEvent& key) {
    return Action(A{step_of(key)});
}

template <action::ReadingUnit U>
Command move(const AppState&, const term::KeyEvent& key) {
    return Action(action::MoveReading{U, step_of(key)});
}

// Esc leaves the inflection table before anything else.
Command quit(const AppState& state, const term::KeyEvent& key) {
    if (state.table && key.code == KeyCode::Esc) return Action(action::ToggleTable{});
    return Request::Quit;
}

// Ctrl+P goes back, Ctrl+N on.
Command step_suggestion(const AppState&, const term::KeyEvent& key) {
    return Action(action::StepSuggestion{key.ch == U'p' ? -1 : 1});
}

Command type_char(const AppState&, const term::KeyEvent& key) { return Action(action::InsertChar{key.ch}); }

Command switch_direction(const AppState& state, const term::KeyEvent&) {
    if (!state.english_available()) return std::nullopt;
    return Action(action::ToggleDirection{});
}

// A text opened from the dictionary goes back to it; one opened with --read
// has nowhere to go. The inflection table is left first.
Command leave_text(const AppState& state, const term::KeyEvent&) {
    if (state.table) return Action(action::ToggleTable{});
    const ReadingState* reading = state.reading();
    if (reading != nullptr && reading->back_to) return Action(action::LeaveReading{});
    return Request::Quit;
}

// A plain s or S; Alt+S does nothing.
Command save_word(const AppState&, const term::KeyEvent& key) {
    if (key.has(term::Alt)) return std::nullopt;
    return Request::SaveWord;
}

Key plain(KeyCode code) { return {code, 0, WithCtrl::No}; }
Key with_ctrl(KeyCode code) { return {code, 0, WithCtrl::Yes}; }
Key any_ctrl(KeyCode code) { return {code, 0, WithCtrl::Either}; }
Key ctrl_char(char32_t ch) { return {KeyCode::Char, ch, WithCtrl::Yes}; }
Key typed(char32_t ch) { return {KeyCode::Char, ch, WithCtrl::No}; }

constexpr std::string_view kSuspends = "stop and give the terminal back (fg continues)";

const std::vector<KeyRow> kDictionaryRows = {
    {{typed(0)}, "character", "type the search text", "", type_char},
    {{any_ctrl(KeyCode::Backspace)}, "Backspace", "delete the last character", "", act<action::DeleteBack>},
    {{ctrl_char(U'u')}, "Ctrl+U", "clear the search text", "", act<action::ClearQuery>},
    {{ctrl_char(U'w')}, "Ctrl+W", "delete the last word", "", act<action::DeleteWord>},
    {{ctrl_char(U'e')}, "Ctrl+E", "search by English words, and back", "", switch_direction},
    {{plain(KeyCode::Up), plain(KeyCode::Down)}, "Up, Down", "move in the focused list (full-screen: scroll)", "",
     step<action::MoveSelection>},
    {{with_ctrl(KeyCode::Up), with_ctrl(KeyCode::Down)}, "Ctrl+Up, Ctrl+Down", "scroll the entry", "",
     step<action::ScrollEntry>},
    {{any_ctrl(KeyCode::Tab)}, "Tab", "switch between matches and inflections", "", act<action::SwitchFocus>},
    {{any_ctrl(KeyCode::Enter)}, "Enter", "keep the entry and clear the search (a form: its base)", "",
     act<action::Confirm>},
    {{ctrl_char(U'f')}, "Ctrl+F", "entry full-screen, and back", "", act<action::ToggleFullscreen>},
    {{ctrl_char(U't')}, "Ctrl+T", "the inflection table of the word shown, and back", "", act<action::ToggleTable>},
    {{ctrl_char(U'n'), ctrl_char(U'p')}, "Ctrl+N, Ctrl+P", "the next or previous suggestion for a word not found", "",
     step_suggestion},
    {{ctrl_char(U'l')}, "Ctrl+L", "open the document viewer", "", act<action::OpenDocuments>},
    {{any_ctrl(KeyCode::Esc), ctrl_char(U'c')}, "Esc, Ctrl+C", "quit (Esc: leave the inflection table first)", "", quit},
    {{ctrl_char(U'z')}, "Ctrl+Z", kSuspends, "", ask<Request::Suspend>},
};

// The hint line reads in this order.
const std::vector<KeyRow> kReadingRows = {
    {{typed(U's'), typed(U'S')}, "s", "save the word to words.tsv", "s: save word", save_word},
    {{any_ctrl(KeyCode::Esc)}, "Esc", "back to the dictionary (quit a text given by --read)", "Esc: back", leave_text},
    {{any_ctrl(KeyCode::Left), any_ctrl(KeyCode::Right)}, "Left, Right", "move by word", "←→↑↓: move",
     move<action::ReadingUnit::Word>},
    {{typed(U' ')}, "Space", "next word", "", move<action::ReadingUnit::Word>},
    {{plain(KeyCode::Up), plain(KeyCode::Down)}, "Up, Down", "move by line", "", move<action::ReadingUnit::Line>},
    {{with_ctrl(KeyCode::Up), with_ctrl(KeyCode::Down)}, "Ctrl+Up, Ctrl+Down", "scroll the entry", "",
     step<action::ScrollEntry>},
    {{any_ctrl(KeyCode::PageUp), any_ctrl(KeyCode::PageDown)}, "PageUp, PageDown", "move by page", "",
     move<action::ReadingUnit::Page>},
    {{any_ctrl(KeyCode::Home), any_ctrl(KeyCode::End)}, "Home, End", "first or last word", "",
     move<action::ReadingUnit::Text>},
    {{ctrl_char(U'f')}, "Ctrl+F", "entry full-screen, and back", "", act<action::ToggleFullscreen>},
    {{ctrl_char(U't')}, "Ctrl+T", "the inflection table of the word shown, and back", "", act<action::ToggleTable>},
    {{ctrl_char(U'n'), ctrl_char(U'p')}, "Ctrl+N, Ctrl+P", "the next or previous suggestion for a word not found", "",
     step_suggestion},
    {{ctrl_char(U'l')}, "Ctrl+L", "open the document viewer", "", act<action::OpenDocuments>},
    {{ctrl_char(U'c')}, "Ctrl+C", "quit", "", ask<Request::Quit>},
    {{ctrl_char(U'z')}, "Ctrl+Z", kSuspends, "", ask<Request::Suspend>},
};

const std::vector<KeyRow> kDocumentRows = {
    {{any_ctrl(KeyCode::Up), any_ctrl(KeyCode::Down)}, "Up, Down", "scroll", "", step<action::MoveSelection>},
    {{any_ctrl(KeyCode::Tab)}, "Tab", "next document", "", act<action::SwitchFocus>},
    {{any_ctrl(KeyCode::Esc), ctrl_char(U'c'), ctrl_char(U'l')}, "Esc, Ctrl+C, Ctrl+L", "close the viewer", "",
     act<action::CloseDocuments>},
    {{ctrl_char(U'z')}, "Ctrl+Z", kSuspends, "", ask<Request::Suspend>},
};

const KeyTable kDictionary{"the dictionary", kDictionaryRows};
const KeyTable kReading{"the reading pane", kReadingRows};
const KeyTable kDocuments{"the document viewer", kDocumentRows};
const std::array<KeyTable, 3> kTables = {kDictionary, kReading, kDocuments};

bool matches(const Key& wanted, const term::KeyEvent& key) {
    if (wanted.code != key.code) return false;
    if (wanted.code == KeyCode::Char && wanted.ch != 0 && wanted.ch != key.ch) return false;
    switch (wanted.ctrl) {
        case WithCtrl::No: return !key.has(term::Ctrl);
        case WithCtrl::Yes: return key.has(term::Ctrl);
        case WithCtrl::Either: return true;
    }
    return false;
}

}  // namespace

std::span<const KeyTable> key_tables() { return kTables; }

const KeyTable& keys_of(const AppState& state) {
    if (state.documents) return kDocuments;
    return state.reading() != nullptr ? kReading : kDictionary;
}

std::optional<KeyCommand> key_command(const AppState& state, const term::KeyEvent& key) {
    for (const KeyRow& row : keys_of(state).rows) {
        if (std::ranges::any_of(row.keys, [&](const Key& wanted) { return matches(wanted, key); })) {
            return row.command(state, key);
        }
    }
    return std::nullopt;
}

std::string key_hint(const KeyTable& table) {
    std::string hint;
    for (const KeyRow& row : table.rows) {
        if (row.hint.empty()) continue;
        if (!hint.empty()) hint += " · ";
        hint += row.hint;
    }
    return hint;
}

}  // namespace lomperi::view
