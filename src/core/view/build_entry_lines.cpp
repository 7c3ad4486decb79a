#include <string_view>

#include "core/expand/entry_lines.hpp"
#include "core/view/entry_pane.hpp"

namespace lomperi::view {
namespace {

std::string_view placeholder(const AppState& state) {
    if (state.query.empty()) return "(type to search, Tab to switch)";
    if (state.matches.empty()) return "(no matches)";
    return "(no entry)";
}

}  // namespace

std::vector<expand::EntryLine> build_entry_lines(const AppState& state, std::uint16_t width) {
    if (state.shown_record) {
        return expand::entry_lines(state.shown_headword.value_or(std::string{}), *state.shown_record,
                                   state.shown_lines, &state.shown_links, false, width);
    }
    if (state.kept_headword && state.kept_record) {
        return expand::entry_lines(*state.kept_headword, *state.kept_record, state.kept_lines, nullptr, true, width);
    }
    const term::Style grey = term::Style{}.with_fg(term::Color::DarkGray);
    std::vector<expand::EntryLine> lines;
    lines.push_back(expand::EntryLine{term::Line{{term::Span{std::string{placeholder(state)}, grey}}}, {}});
    return lines;
}

}  // namespace lomperi::view
