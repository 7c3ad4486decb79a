#include "core/view/handle_event.hpp"

#include "base/utf8.hpp"

#include "core/layout/layout_file.hpp"
#include "core/reading/review_entry.hpp"
#include "core/reading/text_words.hpp"
#include "core/reading/word_list.hpp"
#include "core/view/apply_action.hpp"
#include "core/view/border_drag.hpp"
#include "core/view/click.hpp"

namespace lomperi::view {
namespace {

using term::KeyCode;

bool quits(const AppState& state, const term::KeyEvent& key) {
    if (state.documents_open()) return false;
    // Esc leaves a text opened from the dictionary, and quits one opened with --read.
    if (key.code == KeyCode::Esc) return !state.reading || !state.reading->from_dictionary;
    return key.code == KeyCode::Char && key.has(term::Ctrl) && key.ch == U'c';
}

bool saves_word(const AppState& state, const term::KeyEvent& key) {
    return state.reading && !state.documents_open() && key.code == KeyCode::Char && !key.has(term::Ctrl) &&
           !key.has(term::Alt) && (key.ch == U's' || key.ch == U'S');
}

// Appends the current word to words.tsv; the title tells how it went.
void save_current_word(AppState& state) {
    const ReadingState& reading = *state.reading;
    if (reading.text.word_count() == 0) return;
    const auto word = reading.text.word(reading.current);
    const auto entry = reading::review_entry(state.dictionary, word, reading.text.sentence_of(reading.current));
    const auto saved = reading::save_review_line(reading::word_list_path(), reading::review_line(entry));
    if (!saved) {
        const Error& error = saved.error();
        const std::string why = error.cause() ? error.cause()->message() : error.message();
        apply_action(state, action::SetReadingStatus{"not saved: " + why, true});
        return;
    }
    const std::string said = *saved == reading::Saved::Added ? "saved" : "already saved";
    apply_action(state, action::SetReadingStatus{said + " " + std::string(word), false});
}

std::optional<Action> reading_key_action(const term::KeyEvent& key) {
    using action::MoveReading;
    using action::ReadingUnit;
    const bool ctrl = key.has(term::Ctrl);
    switch (key.code) {
        case KeyCode::Esc: return action::LeaveReading{};
        case KeyCode::Left: return MoveReading{ReadingUnit::Word, -1};
        case KeyCode::Right: return MoveReading{ReadingUnit::Word, 1};
        case KeyCode::Up: return ctrl ? Action(action::ScrollEntry{-1}) : Action(MoveReading{ReadingUnit::Line, -1});
        case KeyCode::Down: return ctrl ? Action(action::ScrollEntry{1}) : Action(MoveReading{ReadingUnit::Line, 1});
        case KeyCode::PageUp: return MoveReading{ReadingUnit::Page, -1};
        case KeyCode::PageDown: return MoveReading{ReadingUnit::Page, 1};
        case KeyCode::Home: return MoveReading{ReadingUnit::Text, -1};
        case KeyCode::End: return MoveReading{ReadingUnit::Text, 1};
        case KeyCode::Char:
            if (!ctrl) return key.ch == U' ' ? std::optional<Action>(MoveReading{ReadingUnit::Word, 1}) : std::nullopt;
            if (key.ch == U'f') return action::ToggleFullscreen{};
            if (key.ch == U'l') return action::OpenDocuments{};
            return std::nullopt;
        default: return std::nullopt;
    }
}

// A pasted text of more than one word opens in the reading pane; a word is typed.
std::optional<Action> paste_action(const AppState& state, const term::Paste& paste) {
    if (state.reading || state.documents_open()) return std::nullopt;
    reading::TextWords words(paste.text);
    const auto first = words.next();
    if (!first) return std::nullopt;
    if (words.next()) return action::OpenReading{"pasted text", paste.text, true, paste.cut};
    return action::InsertText{std::string(*first)};
}

std::optional<Action> ctrl_char_action(const AppState& state, char32_t ch) {
    switch (ch) {
        case U'c': return action::CloseDocuments{};
        case U'e': return state.english_available() ? std::optional<Action>(action::ToggleDirection{}) : std::nullopt;
        case U'f': return action::ToggleFullscreen{};
        case U'l': return action::OpenDocuments{};
        case U'u': return action::ClearQuery{};
        case U'w': return action::DeleteWord{};
        default: return std::nullopt;
    }
}

bool suspends(const term::KeyEvent& key) {
    return key.code == KeyCode::Char && key.has(term::Ctrl) && key.ch == U'z';
}

Answer apply_key(AppState& state, const term::KeyEvent& key) {
    if (key.kind != term::KeyKind::Press) return Answer::NoRedraw;
    if (quits(state, key)) return Answer::Quit;
    if (suspends(key)) return Answer::Suspend;
    if (saves_word(state, key)) {
        save_current_word(state);
        return Answer::Redraw;
    }
    auto action = key_action(state, key);
    if (!action) return Answer::NoRedraw;
    apply_action(state, *action);
    return Answer::Redraw;
}

Answer apply_mouse(AppState& state, ViewCache& cache, const term::MouseEvent& mouse) {
    const bool left = mouse.button == term::MouseButton::Left;
    switch (mouse.kind) {
        case term::MouseKind::Down: {
            if (!left) return Answer::NoRedraw;
            if (begin_drag(cache, state, mouse.column, mouse.row)) return Answer::NoRedraw;
            if (auto action = click_action(cache, state, mouse.column, mouse.row)) apply_action(state, *action);
            return Answer::Redraw;
        }
        case term::MouseKind::Drag:
            if (!left) return Answer::NoRedraw;
            return continue_drag(cache, state, mouse.column, mouse.row) ? Answer::Redraw : Answer::NoRedraw;
        case term::MouseKind::Up:
            if (left && end_drag(cache)) layout::save_layout(state.layout_config());
            return Answer::NoRedraw;
        case term::MouseKind::ScrollDown:
        case term::MouseKind::ScrollUp: {
            const std::int64_t step = mouse.kind == term::MouseKind::ScrollDown ? 1 : -1;
            // The wheel scrolls the pane under the pointer.
            if (state.reading && cache.reading_area.contains(mouse.column, mouse.row)) {
                apply_action(state, action::ScrollReading{step * 3});
            } else {
                apply_action(state, action::ScrollEntry{step});
            }
            return Answer::Redraw;
        }
        default:
            return Answer::NoRedraw;
    }
}

}  // namespace

std::optional<Action> key_action(const AppState& state, const term::KeyEvent& key) {
    if (state.reading && !state.documents_open()) return reading_key_action(key);
    const bool ctrl = key.has(term::Ctrl);
    switch (key.code) {
        case KeyCode::Esc: return state.documents_open() ? std::optional<Action>(action::CloseDocuments{}) : std::nullopt;
        case KeyCode::Char: return ctrl ? ctrl_char_action(state, key.ch) : std::optional<Action>(action::InsertChar{key.ch});
        case KeyCode::Backspace: return action::DeleteBack{};
        case KeyCode::Enter: return action::Confirm{};
        case KeyCode::Up: return ctrl ? Action(action::ScrollEntry{-1}) : Action(action::MoveSelection{-1});
        case KeyCode::Down: return ctrl ? Action(action::ScrollEntry{1}) : Action(action::MoveSelection{1});
        case KeyCode::Tab: return action::SwitchFocus{};
        default: return std::nullopt;
    }
}

namespace {

// The character a plain typed key inserts.
std::optional<char32_t> typed_char(const AppState& state, const term::Event& event) {
    const auto* key = std::get_if<term::KeyEvent>(&event);
    if (key == nullptr || key->kind != term::KeyKind::Press || quits(state, *key)) return std::nullopt;
    const auto action = key_action(state, *key);
    if (!action) return std::nullopt;
    const auto* insert = std::get_if<action::InsertChar>(&*action);
    if (insert == nullptr) return std::nullopt;
    return insert->ch;
}

bool for_main_loop(const term::Event& event) {
    return std::holds_alternative<term::Terminate>(event) || std::holds_alternative<term::Suspend>(event) ||
           std::holds_alternative<term::Resume>(event);
}

}  // namespace

Handled handle_events(AppState& state, ViewCache& cache, std::span<const term::Event> events) {
    Handled handled;
    const auto redraw = [&](Answer answer) {
        if (answer == Answer::Redraw) handled.answer = Answer::Redraw;
    };
    while (handled.count < events.size()) {
        const term::Event& event = events[handled.count];
        if (for_main_loop(event)) return handled;
        std::string typed;
        for (; handled.count < events.size(); ++handled.count) {
            const auto ch = typed_char(state, events[handled.count]);
            if (!ch) break;
            append_utf8(typed, *ch);
        }
        if (!typed.empty()) {
            apply_action(state, action::InsertText{std::move(typed)});
            redraw(Answer::Redraw);
            continue;
        }
        const Answer answer = handle_event(state, cache, event);
        ++handled.count;
        if (answer == Answer::Quit || answer == Answer::Suspend) {
            handled.answer = answer;
            return handled;
        }
        redraw(answer);
    }
    return handled;
}

Answer handle_event(AppState& state, ViewCache& cache, const term::Event& event) {
    if (const auto* key = std::get_if<term::KeyEvent>(&event)) return apply_key(state, *key);
    if (const auto* mouse = std::get_if<term::MouseEvent>(&event)) return apply_mouse(state, cache, *mouse);
    if (std::holds_alternative<term::Resize>(event)) return Answer::Redraw;
    if (const auto* paste = std::get_if<term::Paste>(&event)) {
        const auto action = paste_action(state, *paste);
        if (!action) return Answer::NoRedraw;
        apply_action(state, *action);
        return Answer::Redraw;
    }
    return Answer::NoRedraw;
}

}  // namespace lomperi::view
