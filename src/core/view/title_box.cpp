#include "core/view/title_box.hpp"

#include <fmt/format.h>

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

void draw_title_box(term::Buffer& buffer, term::Rect area, const AppState& state) {
    const std::string_view direction = !state.english_available() ? "" : state.english ? "en→fi" : "fi→en";
    const auto titles = title_box_titles(state.dictionary.glosses.len(), state.dictionary.inflections.len(), direction);
    const term::Style style = state.no_results ? term::Style{}.with_fg(term::Color::Red) : term::Style{};
    const term::Rect inner = term::draw_box(buffer, area, term::Box{term::choose_title(titles, area.width), style, {}});
    if (inner.empty()) return;
    const std::uint16_t end = buffer.set_string(inner.x, inner.y, "> " + state.query, style, inner.width);
    // The cursor: a reversed cell after the query, so that a trailing space shows.
    if (end < inner.x + inner.width) buffer.set_string(end, inner.y, " ", style.adding(term::Reversed), 1);
}

}  // namespace lomperi::view
