#include "core/view/list_panes.hpp"

#include <optional>

#include "core/expand/entry_styles.hpp"
#include "term/widgets.hpp"
#include "term/style.hpp"

namespace lomperi::view {
namespace {

term::Style border_style(bool focused) {
    return term::Style{}.with_fg(focused ? term::Color::Cyan : term::Color::DarkGray);
}

std::optional<std::size_t> selection(std::size_t index, std::size_t rows) {
    if (rows == 0) return std::nullopt;
    return index;
}

void draw_list_pane(term::Buffer& buffer, term::Rect area, const std::vector<std::string>& titles,
                    const std::vector<term::Line>& rows, std::size_t selected, bool focused) {
    const term::Box box{term::choose_title(titles, area.width), border_style(focused), {}};
    const term::Rect inner = term::draw_box(buffer, area, box);
    const term::List list{
        .items = rows,
        .selected = selection(selected, rows.size()),
        .highlight_style = focused ? term::Style{}.adding(term::Reversed) : term::Style{},
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

void draw_matches_pane(term::Buffer& buffer, term::Rect area, const AppState& state) {
    std::vector<term::Line> rows;
    rows.reserve(state.matches.size());
    for (const auto& match : state.matches) {
        term::Line row{{term::Span{match.headword, {}}}};
        if (!match.meaning.empty()) {
            row.spans.push_back(term::Span{"  ", {}});
            row.spans.push_back(term::Span{match.meaning, expand::grey()});
        }
        rows.push_back(std::move(row));
    }
    draw_list_pane(buffer, area, matches_titles(state.query.empty(), state.english), rows, state.selected[0],
                   state.focus == Focus::Matches);
}

void draw_inflections_pane(term::Buffer& buffer, term::Rect area, const AppState& state) {
    std::vector<term::Line> rows;
    rows.reserve(state.candidates.size());
    for (const auto& candidate : state.candidates) {
        rows.push_back(term::Line{{
            term::Span{candidate.form, {}},
            term::Span{"  ~> ", expand::grey()},
            term::Span{candidate.base, term::Style{}.with_fg(term::Color::Cyan)},
        }});
    }
    draw_list_pane(buffer, area, inflections_titles(state.query.empty()), rows, state.selected[1],
                   state.focus == Focus::Inflections);
}

}  // namespace lomperi::view
