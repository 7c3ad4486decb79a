#include "core/view/reading_actions.hpp"

#include <fmt/format.h>

#include <algorithm>

#include "core/view/entry_refresh.hpp"
#include "core/view/overloaded.hpp"
#include "term/decoder.hpp"
#include "term/signal_pipe.hpp"

namespace lomperi::view {
namespace {

void show_current_word(AppState& state, ReadingState& reading) {
    state.query = std::string(reading.text.word(reading.current));
    state.entry_scroll = 0;
    on_query_changed(state);
    keep_current_word_in_view(reading);
}

void move_to(AppState& state, ReadingState& reading, std::size_t word) {
    if (reading.text.word_count() == 0) return;
    reading.current = std::min(word, reading.text.word_count() - 1);
    reading.status.clear();
    show_current_word(state, reading);
}

std::size_t words_away(std::size_t from, std::int64_t step, std::size_t count) {
    const std::int64_t target = static_cast<std::int64_t>(from) + std::clamp<std::int64_t>(step, -(1LL << 40), 1LL << 40);
    return static_cast<std::size_t>(std::clamp<std::int64_t>(target, 0, static_cast<std::int64_t>(count) - 1));
}

void move_reading(AppState& state, ReadingState& reading, const action::MoveReading& move) {
    const std::size_t count = reading.text.word_count();
    if (count == 0) return;
    switch (move.unit) {
        case action::ReadingUnit::Word: move_to(state, reading, words_away(reading.current, move.step, count)); return;
        case action::ReadingUnit::Text: move_to(state, reading, move.step < 0 ? 0 : count - 1); return;
        case action::ReadingUnit::Line:
        case action::ReadingUnit::Page: {
            const std::int64_t lines =
                move.unit == action::ReadingUnit::Page ? move.step * std::max<std::int64_t>(1, reading.page_height - 1) : move.step;
            if (const auto word = reading.layout.word_lines_away(reading.text, reading.current, lines)) {
                move_to(state, reading, *word);
            } else if (reading.layout.line_count() == 0) {
                move_to(state, reading, words_away(reading.current, lines, count));
            }
            return;
        }
    }
}

void scroll_reading(ReadingState& reading, std::int64_t step) {
    const std::int64_t last = std::max<std::int64_t>(0, static_cast<std::int64_t>(reading.layout.line_count()) - reading.page_height);
    const std::int64_t top = static_cast<std::int64_t>(reading.top_line) + std::clamp<std::int64_t>(step, -(1LL << 40), 1LL << 40);
    reading.top_line = static_cast<std::size_t>(std::clamp<std::int64_t>(top, 0, last));
}

// Back to the dictionary, searching as it did.
void leave_reading(AppState& state, const ReadingState& reading) {
    DictionaryScreen lists;
    lists.direction = reading.back_to.value_or(Direction::FinnishToEnglish);
    state.screen = std::move(lists);
    state.query.clear();
    state.fullscreen = false;
    on_query_changed(state);
}

// The direction the dictionary searches in now, for a text opened from it.
Direction dictionary_direction(const AppState& state) {
    return std::visit(Overloaded{
                          [](const DictionaryScreen& lists) { return lists.direction; },
                          [](const ReadingState& reading) { return reading.back_to.value_or(Direction::FinnishToEnglish); },
                      },
                      state.screen);
}

}  // namespace

void keep_current_word_in_view(ReadingState& reading) {
    if (reading.layout.line_count() == 0) return;
    const std::size_t line = reading.layout.line_of_word(reading.text, reading.current);
    const std::size_t height = std::max<std::uint16_t>(reading.page_height, 1);
    if (line < reading.top_line) reading.top_line = line;
    if (line >= reading.top_line + height) reading.top_line = line - height + 1;
}

bool asked_to_end() { return term::pending_termination() != 0; }

void open_reading(AppState& state, const action::OpenReading& open) {
    ReadingState reading;
    reading.text = reading::ReadingText(open.name, open.text, asked_to_end);
    if (open.from_dictionary) reading.back_to = dictionary_direction(state);
    if (open.cut) {
        reading.status = fmt::format("paste cut to its first {} MB", term::Decoder::kMaxPaste >> 20);
        reading.status_failed = true;
    }
    reading.reach.reset(reading.text.word_count());
    ReadingState& opened = state.screen.emplace<ReadingState>(std::move(reading));
    state.fullscreen = false;
    if (opened.text.word_count() == 0) {
        state.query.clear();
        on_query_changed(state);
        return;
    }
    show_current_word(state, opened);
}

void apply_in_reading(AppState& state, ReadingState& reading, const Action& action) {
    std::visit(Overloaded{
                   [&](const action::MoveReading& a) { move_reading(state, reading, a); },
                   [&](const action::SelectWord& a) { move_to(state, reading, a.index); },
                   [&](const action::ScrollReading& a) { scroll_reading(reading, a.step); },
                   [&](const action::SetReadingStatus& a) {
                       reading.status = a.text;
                       reading.status_failed = a.failed;
                   },
                   [&](const action::LeaveReading&) { leave_reading(state, reading); },
                   [](const auto&) {},
               },
               action);
}

}  // namespace lomperi::view
