#include "core/view/handle_event.hpp"

#include "base/utf8.hpp"

#include "core/layout/layout_file.hpp"
#include "core/reading/review_entry.hpp"
#include "core/reading/text_words.hpp"
#include "core/reading/word_list.hpp"
#include "core/view/apply_action.hpp"
#include "core/view/border_drag.hpp"
#include "core/view/click.hpp"
#include "core/view/key_table.hpp"

namespace lomperi::view {
namespace {

// Appends the current word to words.tsv; the title tells how it went.
void save_current_word(AppState& state) {
    const ReadingState* reading = state.reading();
    if (reading == nullptr || reading->text.word_count() == 0) return;
    const auto word = reading->text.word(reading->current);
    const auto entry = reading::review_entry(state.dictionary, word, reading->text.sentence_of(reading->current));
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

// A pasted text of more than one word opens in the reading pane; a word is typed.
std::optional<Action> paste_action(const AppState& state, const term::Paste& paste) {
    if (state.dictionary_screen() == nullptr || state.documents) return std::nullopt;
    reading::TextWords words(paste.text);
    const auto first = words.next();
    if (!first) return std::nullopt;
    if (words.next()) return action::OpenReading{"pasted text", paste.text, true, paste.cut};
    return action::InsertText{std::string(*first)};
}

Answer apply_key(AppState& state, const term::KeyEvent& key) {
    if (key.kind != term::KeyKind::Press) return Answer::NoRedraw;
    const auto command = key_command(state, key);
    if (!command) return Answer::NoRedraw;
    if (const auto* action = std::get_if<Action>(&*command)) {
        apply_action(state, *action);
        return Answer::Redraw;
    }
    switch (std::get<Request>(*command)) {
        case Request::Quit: return Answer::Quit;
        case Request::Suspend: return Answer::Suspend;
        case Request::SaveWord: save_current_word(state); return Answer::Redraw;
    }
    return Answer::NoRedraw;
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
            if (cache.reading_area.contains(mouse.column, mouse.row)) {
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
    auto command = key_command(state, key);
    if (!command) return std::nullopt;
    auto* action = std::get_if<Action>(&*command);
    if (action == nullptr) return std::nullopt;
    return std::move(*action);
}

namespace {

// The character a plain typed key inserts.
std::optional<char32_t> typed_char(const AppState& state, const term::Event& event) {
    const auto* key = std::get_if<term::KeyEvent>(&event);
    if (key == nullptr || key->kind != term::KeyKind::Press) return std::nullopt;
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
