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
    if (state.english) return std::nullopt;
    if (state.forgiven && !state.forgiven->parts.empty()) return state.query;
    return morphology::fallback_headword(state.dictionary, state.query);
}

std::optional<format::GlossRecord> record_to_show(const AppState& state, const std::string& headword) {
    if (state.forgiven && !state.forgiven->parts.empty() && headword == state.query) {
        return morphology::compound_record(state.dictionary, state.forgiven->parts);
    }
    return state.dictionary.gloss_record(headword);
}

// The row of `form` in the inflections list to show first: its first base
// with an entry, else its first base; nothing when the form has no row.
std::optional<std::size_t> exact_form_row(const morphology::Dictionary& dictionary,
                                          const std::vector<morphology::InflectionCandidate>& candidates,
                                          std::string_view form) {
    std::optional<std::size_t> first;
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        if (candidates[k].form != form) continue;
        if (!first) first = k;
        if (dictionary.gloss_record(candidates[k].base)) return k;
    }
    return first;
}

bool nothing_begins_with(const morphology::Dictionary& dictionary, std::string_view query) {
    return morphology::search_headwords(dictionary.glosses, query, 1).empty() &&
           morphology::search_inflections(dictionary, query, 1).empty();
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
    auto record = record_to_show(state, *headword);
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

namespace {

// English words typed: the Finnish headwords whose meanings hold them; no
// inflections, and nothing to forgive.
void on_english_query_changed(AppState& state) {
    state.matches.clear();
    for (auto& match : morphology::search_english(state.dictionary, state.query, morphology::kListLimit)) {
        state.matches.push_back({std::move(match.headword), std::move(match.meaning)});
    }
    state.candidates.clear();
    state.forgiven.reset();
    state.selected = {0, 0};
    state.focus = Focus::Matches;
    state.no_results = !state.query.empty() && state.matches.empty();
}

void forget_kept_entry(AppState& state) {
    state.kept_headword.reset();
    state.kept_record.reset();
    state.kept_lines.clear();
}

}  // namespace

void on_query_changed(AppState& state) {
    if (state.english) {
        on_english_query_changed(state);
        forget_kept_entry(state);
        refresh_entry(state);
        return;
    }
    const bool has_query = !state.query.empty();
    const auto search = [&](std::string_view query) {
        state.matches = has_query ? morphology::search_headwords(state.dictionary.glosses, query, morphology::kListLimit)
                                  : std::vector<morphology::HeadwordMatch>{};
        state.candidates = has_query ? morphology::inflection_candidates(state.dictionary, query)
                                     : std::vector<morphology::InflectionCandidate>{};
    };
    search(state.query);
    state.forgiven = has_query ? morphology::forgive_query(state.dictionary, state.query,
                                                           state.matches.empty() && state.candidates.empty())
                               : std::nullopt;
    // A forgiven spelling brings its own lists; a compound keeps the query's.
    const bool respelled = state.forgiven && state.forgiven->parts.empty();
    const std::string found = respelled ? state.forgiven->found : state.query;
    if (respelled) search(found);
    state.selected = {0, 0};
    state.focus = Focus::Matches;
    // A word form that is no headword shows its base, not a longer headword.
    if (has_query && !state.dictionary.glosses.get(found)) {
        if (const auto row = exact_form_row(state.dictionary, state.candidates, found)) {
            state.focus = Focus::Inflections;
            state.selected[1] = *row;
        }
    }
    forget_kept_entry(state);
    state.no_results = has_query && state.matches.empty() && state.candidates.empty() && !state.forgiven;
    refresh_entry(state);
}

std::optional<QueryEntry> entry_for_query(const morphology::Dictionary& dictionary, std::string_view query) {
    if (query.empty()) return std::nullopt;
    const auto forgiven = morphology::forgive_query(dictionary, query, nothing_begins_with(dictionary, query));
    if (forgiven && !forgiven->parts.empty()) {
        return QueryEntry{std::string(query), morphology::compound_record(dictionary, forgiven->parts)};
    }
    const std::string found = forgiven ? forgiven->found : std::string(query);
    std::optional<std::string> headword;
    if (dictionary.glosses.get(found)) {
        headword = found;
    } else if (auto base = morphology::fallback_headword(dictionary, found)) {
        headword = std::move(base);
    } else if (const auto first = morphology::search_headwords(dictionary.glosses, found, 1); !first.empty()) {
        headword = first.front().headword;
    }
    if (!headword) return std::nullopt;
    auto record = dictionary.gloss_record(*headword);
    return QueryEntry{std::move(*headword), std::move(record)};
}

std::optional<std::string> headword_for_query(const morphology::Dictionary& dictionary, std::string_view query) {
    auto entry = entry_for_query(dictionary, query);
    if (!entry) return std::nullopt;
    return std::move(entry->headword);
}

void set_focus(AppState& state, Focus focus) {
    if (focus == Focus::Inflections && state.candidates.empty()) return;
    if (focus == state.focus) return;
    state.focus = focus;
    refresh_entry(state);
}

}  // namespace lomperi::view
