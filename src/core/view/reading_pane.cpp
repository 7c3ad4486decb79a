#include "core/view/reading_pane.hpp"

#include <fmt/format.h>

#include <algorithm>

#include "core/morphology/analysis.hpp"
#include "core/answer/entry_choice.hpp"
#include "core/view/key_table.hpp"
#include "core/view/reading_actions.hpp"
#include "term/char_width.hpp"
#include "term/widgets.hpp"

namespace lomperi::view {
namespace {

// Most words are read by the analyser as a word with an entry, which is
// quick to tell from the readings kept for the words in use.
Reach reach_of(const morphology::Dictionary& dictionary, std::string_view word) {
    const auto readings = morphology::analyse(dictionary, word);
    if (std::ranges::any_of(readings, [&](const auto& r) { return morphology::has_entry(dictionary, r); })) {
        return Reach::Entry;
    }
    const auto choice = answer::choose_entry(dictionary, word);
    return choice.headword || choice.built ? Reach::Entry : Reach::Nothing;
}

void fit_layout(ReadingState& reading, term::Rect inner) {
    const bool rewrap = reading.layout.line_count() == 0 || !reading.layout.wraps_alike(inner.width);
    const std::uint16_t height = std::max<std::uint16_t>(inner.height, 1);
    if (rewrap) {
        // The old lines go first: a long text's lines are not held twice.
        reading.layout = {};
        reading.layout = reading::ReadingLayout::wrap(reading.text, inner.width, asked_to_end);
    }
    if (rewrap || height != reading.page_height) {
        reading.page_height = height;
        keep_current_word_in_view(reading);
    }
    const std::size_t lines = reading.layout.line_count();
    const std::size_t last_top = lines > reading.page_height ? lines - reading.page_height : 0;
    reading.top_line = std::min(reading.top_line, last_top);
}

term::Style word_style(const ReadingState& reading, std::size_t word) {
    if (word == reading.current) return term::Style{}.adding(term::Reversed);
    if (reading.reach.get(word) == Reach::Nothing) return term::Style{}.adding(term::Dim);
    return {};
}

void draw_line(term::Buffer& buffer, term::Rect inner, std::uint16_t row, std::size_t line_index,
               const morphology::Dictionary& dictionary, ReadingState& reading, ViewCache& cache) {
    const reading::DisplayLine& line = reading.layout.lines()[line_index];
    const std::string_view all(reading.text.text());
    const std::string_view shown = all.substr(line.start, line.end - line.start);
    buffer.set_string(inner.x, row, shown, {}, inner.width);
    const auto [first, end] = reading.layout.words_on_line(reading.text, line_index);
    for (std::size_t w = first; w < end; ++w) {
        const reading::TextWord word = reading.text.at(w);
        if (reading.reach.get(w) == Reach::Unknown) reading.reach.set(w, reach_of(dictionary, reading.text.word(w)));
        const std::size_t column = term::display_width(all.substr(line.start, word.offset - line.start));
        if (column >= inner.width) break;
        const std::size_t length = std::min<std::size_t>(word.length, line.end - word.offset);
        const auto x = static_cast<std::uint16_t>(inner.x + column);
        const std::uint16_t after =
            buffer.set_string(x, row, all.substr(word.offset, length), word_style(reading, w),
                              static_cast<std::uint16_t>(inner.width - column));
        cache.reading_words.push_back({row, x, after, w});
    }
}

}  // namespace

std::vector<std::string> reading_titles(const ReadingState& reading) {
    const std::size_t count = reading.text.word_count();
    const std::size_t at = count == 0 ? 0 : reading.current + 1;
    return {
        fmt::format(" {} · word {} of {} ", reading.text.name(), at, count),
        fmt::format(" {} · {}/{} ", reading.text.name(), at, count),
        fmt::format(" {}/{} ", at, count),
    };
}

void draw_reading_column(term::Buffer& buffer, term::Rect title_box, term::Rect text_pane, const AppState& state,
                         ReadingState& reading, ViewCache& cache) {
    const term::Style status_style = reading.status_failed ? term::Style{}.with_fg(term::Color::Red) : term::Style{};
    const auto titles = reading_titles(reading);
    const term::Rect title_inner =
        term::draw_box(buffer, title_box, term::Box{term::choose_title(titles, title_box.width), status_style, {}});
    if (!title_inner.empty()) {
        const std::string said = reading.status.empty() ? key_hint(keys_of(state)) : reading.status;
        buffer.set_string(title_inner.x, title_inner.y, said, reading.status.empty() ? term::Style{}.adding(term::Dim) : status_style,
                          title_inner.width);
    }
    const term::Style border = term::Style{}.with_fg(term::Color::Cyan);
    const term::Rect inner = term::draw_box(buffer, text_pane, term::Box{" text ", border, {}});
    if (inner.empty()) return;
    cache.reading_area = inner;
    fit_layout(reading, inner);
    const std::size_t lines = reading.layout.line_count();
    for (std::uint16_t row = 0; row < inner.height && reading.top_line + row < lines; ++row) {
        draw_line(buffer, inner, static_cast<std::uint16_t>(inner.y + row), reading.top_line + row, state.dictionary, reading, cache);
    }
}

}  // namespace lomperi::view
