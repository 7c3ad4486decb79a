#include "core/view/entry_refresh.hpp"

#include "core/expand/entry_view.hpp"

namespace lomperi::view {
namespace {

std::optional<std::string> headword_to_show(const AppState& state) {
    if (state.shows_choice) return state.choice.headword;
    if (state.focus == Focus::Inflections) {
        if (state.selected[1] >= state.candidates.size()) return std::nullopt;
        return state.candidates[state.selected[1]].base;
    }
    if (state.selected[0] < state.matches.size()) return state.matches[state.selected[0]].headword;
    if (state.english) return std::nullopt;
    return state.choice.headword;
}

std::optional<format::GlossRecord> record_to_show(const AppState& state, const std::string& headword) {
    if (state.choice.built && state.choice.headword == headword) return state.choice.built;
    return state.dictionary.gloss_record(headword);
}

// The inflections row that pairs `form` with `base`.
std::optional<std::size_t> form_row(const std::vector<morphology::InflectionCandidate>& candidates,
                                    std::string_view form, std::string_view base) {
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        if (candidates[k].form == form && candidates[k].base == base) return k;
    }
    return std::nullopt;
}

// English words typed: the Finnish headwords whose meanings hold them; no
// inflections, and nothing to forgive.
void on_english_query_changed(AppState& state) {
    state.matches.clear();
    for (auto& match : morphology::search_english(state.dictionary, state.query, morphology::kListLimit)) {
        state.matches.push_back({std::move(match.headword), std::move(match.meaning)});
    }
    state.candidates.clear();
    state.choice = morphology::EntryChoice{};
    state.choice.listed = state.query;
    state.selected = {0, 0};
    state.focus = Focus::Matches;
    state.no_results = !state.query.empty() && state.matches.empty();
}

}  // namespace

void refresh_entry(AppState& state) {
    auto headword = headword_to_show(state);
    if (!headword) {
        state.shown.reset();
        state.shown_damaged = false;
        return;
    }
    const DamageWatch watch;
    auto record = record_to_show(state, *headword);
    const auto& also = state.choice.headword == headword ? state.choice.also : std::nullopt;
    const bool same_also = state.shown && (state.shown->also.empty() ? !also : also && state.shown->also.front().headword == *also);
    // The expansion depends on the headword and its record alone: an
    // unchanged entry keeps it, and its scroll position.
    if (state.shown && state.shown->headword == *headword && state.shown->record == record && same_also) {
        state.shown_damaged = state.shown_damaged || watch.met();
        return;
    }
    state.shown = expand::build_entry(state.dictionary, std::move(*headword), std::move(record));
    if (also) state.shown->also.push_back(expand::build_entry(state.dictionary, *also, state.dictionary.gloss_record(*also)));
    state.shown_damaged = watch.met();
    state.entry_scroll = 0;
}

void on_query_changed(AppState& state) {
    state.kept.reset();
    if (state.english) {
        on_english_query_changed(state);
        refresh_entry(state);
        return;
    }
    state.choice = morphology::choose_entry(state.dictionary, state.query);
    const bool has_query = !state.query.empty();
    // The reading pane shows no lists: the word's entry is the choice's.
    const bool lists = has_query && !state.reading;
    state.matches = lists ? morphology::search_headwords(state.dictionary.glosses, state.choice.listed,
                                                             morphology::kListLimit)
                              : std::vector<morphology::HeadwordMatch>{};
    state.candidates = lists ? morphology::inflection_candidates(state.dictionary, state.choice.listed)
                                 : std::vector<morphology::InflectionCandidate>{};
    state.selected = {0, 0};
    state.focus = Focus::Matches;
    state.shows_choice = false;
    if (state.choice.focus == Focus::Inflections && state.choice.headword) {
        if (const auto row = form_row(state.candidates, state.choice.listed, *state.choice.headword)) {
            state.focus = Focus::Inflections;
            state.selected[1] = *row;
        } else {
            // No row holds the word the analysis chose: it is shown without one.
            const bool first_match = !state.matches.empty() && state.matches.front().headword == *state.choice.headword;
            state.shows_choice = !first_match;
        }
    }
    // A word that could not be read shows no entry until a row is chosen:
    // the first row would stand in for it.
    if (state.choice.damaged) state.shows_choice = true;
    state.no_results = has_query && state.matches.empty() && state.candidates.empty() && !state.choice.headword;
    refresh_entry(state);
}

void set_focus(AppState& state, Focus focus) {
    if (focus == Focus::Inflections && state.candidates.empty()) return;
    if (focus == state.focus && !state.shows_choice) return;
    state.shows_choice = false;
    state.focus = focus;
    refresh_entry(state);
}

}  // namespace lomperi::view
