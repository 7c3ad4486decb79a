#include "core/view/entry_pane.hpp"

#include <algorithm>
#include <iterator>
#include <limits>

#include "core/expand/entry_lines.hpp"
#include "core/expand/entry_styles.hpp"
#include "core/expand/table_lines.hpp"
#include "core/expand/wrap_with_links.hpp"
#include "core/morphology/damage_report.hpp"
#include "term/widgets.hpp"

namespace lomperi::view {
namespace {

// The pane's width less its two border columns, whatever its height.
std::uint16_t inner_width(term::Rect area) {
    return area.width >= 2 ? static_cast<std::uint16_t>(area.width - 2) : std::uint16_t{0};
}

void refresh_lines(const AppState& state, ViewCache& cache, std::uint16_t width) {
    if (cache.wrap_valid && cache.wrap_revision == state.revision && cache.wrap_width == width) return;
    auto lines = build_entry_lines(state, width);
    cache.wrapped_lines.clear();
    cache.link_rows.clear();
    cache.wrapped_lines.reserve(lines.size());
    cache.link_rows.reserve(lines.size());
    for (auto& line : lines) {
        cache.wrapped_lines.push_back(std::move(line.line));
        cache.link_rows.push_back(std::move(line.links));
    }
    cache.wrap_valid = true;
    cache.wrap_revision = state.revision;
    cache.wrap_width = width;
}

std::string_view placeholder(const AppState& state) {
    if (state.query.empty()) return "(type to search, Tab to switch)";
    const DictionaryScreen* lists = state.dictionary_screen();
    if (lists == nullptr || lists->matches.empty()) return "(no matches)";
    return "(no entry)";
}

std::uint16_t max_scroll(std::size_t lines, std::uint16_t height) {
    if (lines <= height) return 0;
    return static_cast<std::uint16_t>(std::min<std::size_t>(lines - height, std::numeric_limits<std::uint16_t>::max()));
}

// Below an entry: the line that opens the word's inflection table.
expand::EntryLine table_line() {
    constexpr std::string_view kText = "inflection table: Ctrl+T";
    expand::EntryLine line{term::Line{{term::Span{std::string(kText), expand::grey().adding(term::Underlined)}}}, {}};
    line.links.push_back({0, static_cast<std::uint16_t>(kText.size()), {}, expand::LinkRegion::Kind::Table});
    return line;
}

std::vector<expand::EntryLine> entry_lines(const AppState& state, std::uint16_t width) {
    if (state.table) {
        if (state.table->tables.empty()) {
            const std::string text = "(no inflection table for " + state.table->word + ")";
            return {{term::Line{{term::Span{text, expand::grey()}}}, {}}};
        }
        return expand::table_pane_lines(state.table->tables, width);
    }
    if (state.shown && state.shown->record) {
        auto lines = expand::entry_pane_lines(*state.shown, state.choice.notes, expand::EntryLook::Shown, width);
        if (state.dictionary.analyser.available()) {
            lines.push_back({});
            lines.push_back(table_line());
        }
        return lines;
    }
    if (state.kept) return expand::entry_pane_lines(*state.kept, {}, expand::EntryLook::Kept, width);
    // A word the analysis reads but whose words have no entry: what it tells.
    if (!state.query.empty() && !state.choice.notes.empty()) {
        auto lines = expand::entry_pane_lines(expand::Entry{}, state.choice.notes, expand::EntryLook::Shown, width);
        lines.push_back({term::Line{{term::Span{"(no entry)", expand::grey()}}}, {}});
        return lines;
    }
    std::vector<expand::EntryLine> lines;
    lines.push_back({term::Line{{term::Span{std::string{placeholder(state)}, expand::grey()}}}, {}});
    return lines;
}

}  // namespace

std::vector<std::string> entry_titles(bool fullscreen) {
    if (fullscreen) {
        return {" entry (ctrl+f, click here, enter, or type to return) ", " entry (click here to return) ", " entry "};
    }
    return {" entry (ctrl+f or click here to fullscreen) ", " entry (click here to fullscreen) ", " entry "};
}

std::vector<expand::EntryLine> build_entry_lines(const AppState& state, std::uint16_t width) {
    auto lines = entry_lines(state, width);
    if (state.query.empty() || !(state.choice.damaged || state.shown_damaged)) return lines;
    auto told = expand::wrap_with_links("", morphology::damage_message(state.dictionary), {},
                                        term::Style{}.with_fg(term::Color::Red), width);
    lines.insert(lines.begin(), std::make_move_iterator(told.begin()), std::make_move_iterator(told.end()));
    return lines;
}

void draw_entry_pane(term::Buffer& buffer, term::Rect area, AppState& state, ViewCache& cache) {
    cache.entry_area = area;
    const auto titles = state.table ? std::vector<std::string>{" inflection table (ctrl+t, esc or click here to return) ",
                                                               " inflection table (esc to return) ", " inflection table "}
                                    : entry_titles(state.fullscreen);
    const term::Box box{term::choose_title(titles, area.width), {}, {}};
    const term::Rect inner = term::draw_box(buffer, area, box);
    refresh_lines(state, cache, inner_width(area));
    state.entry_scroll = std::min(state.entry_scroll, max_scroll(cache.wrapped_lines.size(), inner.height));
    term::draw_paragraph(buffer, inner, cache.wrapped_lines, state.entry_scroll);
}

}  // namespace lomperi::view
