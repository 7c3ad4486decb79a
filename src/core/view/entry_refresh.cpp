#include "core/view/entry_refresh.hpp"

#include "core/expand/entry_view.hpp"

namespace lomperi::view {
namespace {

std::optional<std::string> headword_to_show(const AppState& state) {
    if (state.focus == Focus::Inflections) {
        if (state.selected[1] >= state.candidates.size()) return std::nullopt;
        return state.candidates[state.selected[1]].base;
    }
    if (state.selected[0] < state.matches.size()) return state.matches[state.selected[0]].headword;
    return morphology::fallback_headword(state.dictionary, state.query);
}

}  // namespace

void clear_entry(AppState& state) {
    state.shown_headword.reset();
    state.shown_record.reset();
    state.shown_lines.clear();
    state.shown_links.clear();
}

void refresh_entry(AppState& state) {
    auto headword = headword_to_show(state);
    if (!headword) {
        clear_entry(state);
        return;
    }
    const bool changed = !state.shown_headword || *state.shown_headword != *headword;
    // The record and its expansion depend on the headword alone, so an
    // unchanged headword keeps them without decoding again.
    if (!changed && state.shown_record) return;
    auto record = state.dictionary.gloss_record(*headword);
    if (!record) {
        clear_entry(state);
        state.shown_headword = std::move(*headword);
        if (changed) state.entry_scroll = 0;
        return;
    }
    auto view = expand::build_entry_view(state.dictionary, *headword, *record);
    state.shown_headword = std::move(*headword);
    state.shown_record = std::move(*record);
    state.shown_lines = std::move(view.lines);
    state.shown_links = std::move(view.links);
    if (changed) state.entry_scroll = 0;
}

void on_query_changed(AppState& state) {
    const bool has_query = !state.query.empty();
    state.matches = has_query ? morphology::search_headwords(state.dictionary.glosses, state.query, morphology::kListLimit)
                              : std::vector<morphology::HeadwordMatch>{};
    state.selected[0] = 0;
    state.candidates = has_query ? morphology::inflection_candidates(state.dictionary, state.query)
                                 : std::vector<morphology::InflectionCandidate>{};
    state.selected[1] = 0;
    state.focus = Focus::Matches;
    state.kept_headword.reset();
    state.kept_record.reset();
    state.kept_lines.clear();
    state.no_results = has_query && state.matches.empty() && state.candidates.empty();
    refresh_entry(state);
}

std::optional<std::string> headword_for_query(const morphology::Dictionary& dictionary, std::string_view query) {
    if (query.empty()) return std::nullopt;
    const auto first = morphology::search_headwords(dictionary.glosses, query, 1);
    if (!first.empty()) return first.front().headword;
    return morphology::fallback_headword(dictionary, query);
}

void set_focus(AppState& state, Focus focus) {
    if (focus == Focus::Inflections && state.candidates.empty()) return;
    if (focus == state.focus) return;
    state.focus = focus;
    refresh_entry(state);
}

}  // namespace lomperi::view
