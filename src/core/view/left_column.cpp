#include "core/view/left_column.hpp"

#include <fmt/format.h>

#include <optional>

#include "core/expand/entry_styles.hpp"
#include "term/char_width.hpp"
#include "term/style.hpp"
#include "term/widgets.hpp"

namespace lomperi::view {

std::vector<std::string> title_box_titles(std::uint64_t headwords, std::uint64_t forms, std::string_view direction) {
    if (!direction.empty()) {
        return {
            fmt::format(" lomperi {} · {} · {} (ctrl+e) · ctrl+l: legal ", headwords, forms, direction),
            fmt::format(" lomperi {} · {} · {} ", headwords, forms, direction),
            fmt::format(" lmp {} {} ", headwords, direction),
            fmt::format(" lmp {} ", direction),
            " lmp ",
        };
    }
    return {
        fmt::format(" lomperi {} · {} · ctrl+l: legal ", headwords, forms),
        fmt::format(" lomperi {} · {} ", headwords, forms),
        fmt::format(" lmp {} ", headwords),
        " lmp ",
    };
}

namespace {

// "> " and the query; when it does not fit with the cursor after it, its end
// after an ellipsis, as the end is where typing goes on.
std::string prompt_line(std::string_view query, std::size_t width) {
    constexpr std::string_view kPrompt = "> ";
    if (kPrompt.size() + term::display_width(query) + 1 <= width) return std::string(kPrompt) + std::string(query);
    const std::size_t room = width > kPrompt.size() + 2 ? width - kPrompt.size() - 2 : 0;
    return std::string(kPrompt) + "…" + std::string(query.substr(term::display_suffix_start(query, room)));
}

}  // namespace

void draw_title_box(term::Buffer& buffer, term::Rect area, const AppState& state) {
    const std::string_view direction = !state.english_available() ? "" : state.english() ? "en→fi" : "fi→en";
    const auto titles = title_box_titles(state.dictionary.glosses.len(), state.dictionary.inflections.len(), direction);
    const term::Style style = state.no_results ? term::Style{}.with_fg(term::Color::Red) : term::Style{};
    const term::Rect inner = term::draw_box(buffer, area, term::Box{term::choose_title(titles, area.width), style, {}});
    if (inner.empty()) return;
    const std::uint16_t end = buffer.set_string(inner.x, inner.y, prompt_line(state.query, inner.width), style, inner.width);
    // The cursor: a reversed cell after the query, so that a trailing space shows.
    if (end < inner.x + inner.width) buffer.set_string(end, inner.y, " ", style.adding(term::Reversed), 1);
}

namespace {

term::Style border_style(bool focused) {
    return term::Style{}.with_fg(focused ? term::Color::Cyan : term::Color::DarkGray);
}

std::optional<std::size_t> selection(std::size_t index, std::size_t rows) {
    if (rows == 0) return std::nullopt;
    return index;
}

// The focused pane has a cyan border and shows its selection, unless the
// entry shown is no row's (the analysis chose it).
void draw_list_pane(term::Buffer& buffer, term::Rect area, const std::vector<std::string>& titles,
                    const std::vector<term::Line>& rows, std::size_t selected, bool focused, bool highlighted) {
    const term::Box box{term::choose_title(titles, area.width), border_style(focused), {}};
    const term::Rect inner = term::draw_box(buffer, area, box);
    const term::List list{
        .items = rows,
        .selected = selection(selected, rows.size()),
        .highlight_style = focused && highlighted ? term::Style{}.adding(term::Reversed) : term::Style{},
    };
    term::draw_list(buffer, inner, list);
}

}  // namespace

std::vector<std::string> matches_titles(bool query_empty, bool english) {
    if (query_empty && english) return {" matches (type English to search) ", " matches "};
    if (query_empty) return {" matches (type to search, Tab to switch) ", " matches "};
    return {" matches "};
}

std::vector<std::string> inflections_titles(bool query_empty) {
    if (query_empty) return {" inflections (type to search, Tab to switch) ", " inflections ", " infl "};
    return {" inflections ", " infl "};
}

void draw_matches_pane(term::Buffer& buffer, term::Rect area, const AppState& state, const DictionaryScreen& lists) {
    std::vector<term::Line> rows;
    rows.reserve(lists.matches.size());
    for (const auto& match : lists.matches) {
        term::Line row{{term::Span{match.headword, {}}}};
        if (!match.meaning.empty()) {
            row.spans.push_back(term::Span{"  ", {}});
            row.spans.push_back(term::Span{match.meaning, expand::grey()});
        }
        rows.push_back(std::move(row));
    }
    draw_list_pane(buffer, area, matches_titles(state.query.empty(), lists.english()), rows, lists.selected[0],
                   lists.focus == Focus::Matches, !lists.shows_choice);
}

void draw_inflections_pane(term::Buffer& buffer, term::Rect area, const AppState& state, const DictionaryScreen& lists) {
    std::vector<term::Line> rows;
    rows.reserve(lists.candidates.size());
    for (const auto& candidate : lists.candidates) {
        rows.push_back(term::Line{{
            term::Span{candidate.form, {}},
            term::Span{"  ~> ", expand::grey()},
            term::Span{candidate.base, term::Style{}.with_fg(term::Color::Cyan)},
        }});
    }
    draw_list_pane(buffer, area, inflections_titles(state.query.empty()), rows, lists.selected[1],
                   lists.focus == Focus::Inflections, !lists.shows_choice);
}

}  // namespace lomperi::view
