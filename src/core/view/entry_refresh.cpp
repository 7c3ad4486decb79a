#include "core/view/entry_refresh.hpp"

#include <algorithm>
#include <iterator>

#include "core/answer/answer.hpp"
#include "core/answer/inflection_tables.hpp"
#include "core/morphology/analysis.hpp"
#include "core/reading/reading_text.hpp"
#include "core/reading/text_words.hpp"
#include "core/suggest/suggester.hpp"
#include "core/expand/entry_view.hpp"
#include "term/char_width.hpp"

namespace lomperi::view {
namespace {

std::optional<std::string> headword_to_show(const AppState& state, const DictionaryScreen& lists) {
    if (lists.shows_choice) return state.choice.headword;
    if (lists.focus == Focus::Inflections) {
        if (lists.selected[1] >= lists.candidates.size()) return std::nullopt;
        return lists.candidates[lists.selected[1]].base;
    }
    if (lists.selected[0] < lists.matches.size()) return lists.matches[lists.selected[0]].headword;
    if (lists.english()) return std::nullopt;
    return state.choice.headword;
}

// The reading pane shows no lists: the word's entry is the choice's.
std::optional<std::string> headword_to_show(const AppState& state, const ReadingState&) {
    return state.choice.headword;
}

std::optional<format::GlossRecord> record_to_show(const AppState& state, const std::string& headword) {
    if (state.choice.headword == headword) return state.choice.record;
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
void on_english_query_changed(AppState& state, DictionaryScreen& lists) {
    lists.matches.clear();
    for (auto& match : morphology::search_english(state.dictionary, state.query, morphology::kListLimit)) {
        lists.matches.push_back({std::move(match.headword), std::move(match.meaning)});
    }
    lists.candidates.clear();
    state.choice = answer::EntryChoice{};
    state.choice.listed = state.query;
    lists.selected = {0, 0};
    lists.focus = Focus::Matches;
    lists.shows_choice = false;
    state.no_results = !state.query.empty() && lists.matches.empty();
}

void search_for(const AppState& state, DictionaryScreen& lists, std::string_view spelling) {
    lists.matches.clear();
    lists.candidates.clear();
    if (spelling.empty()) return;
    lists.matches = morphology::search_headwords(state.dictionary.glosses, spelling, morphology::kListLimit);
    lists.candidates = morphology::inflection_candidates(state.dictionary, spelling);
}

// Both lists of what the query begins with, and the row of the chosen entry.
void search_lists(AppState& state, DictionaryScreen& lists) {
    const bool has_query = !state.query.empty();
    search_for(state, lists, state.query);
    state.choice = answer::answer(state.dictionary, state.query, answer::Detail::Notes,
                                  {&lists.matches, &lists.candidates, true}).choice;
    // A forgiven spelling's lists are shown: searched again, for that word only.
    if (state.choice.listed != state.query) search_for(state, lists, state.choice.listed);
    lists.selected = {0, 0};
    lists.focus = Focus::Matches;
    lists.shows_choice = false;
    if (state.choice.focus == Focus::Inflections && state.choice.headword) {
        if (const auto row = form_row(lists.candidates, state.choice.listed, *state.choice.headword)) {
            lists.focus = Focus::Inflections;
            lists.selected[1] = *row;
        } else {
            // No row holds the word the analysis chose: it is shown without one.
            const bool first_match = !lists.matches.empty() && lists.matches.front().headword == *state.choice.headword;
            lists.shows_choice = !first_match;
        }
    }
    // A word without an entry, or that could not be read, shows none until a
    // row is chosen: the first row would stand in for it, and it is another
    // word (verran is not verrannollinen, kirjotan not kirjotankki).
    if (state.choice.damaged || !state.choice.headword) lists.shows_choice = true;
    state.no_results = has_query && lists.matches.empty() && lists.candidates.empty() && !state.choice.headword;
}

void query_changed(AppState& state, DictionaryScreen& lists) {
    if (lists.english()) {
        on_english_query_changed(state, lists);
    } else {
        search_lists(state, lists);
    }
}

// Whether a sentence ends between word `k` and the next.
bool ends_sentence_after(const reading::ReadingText& text, std::size_t k) {
    const reading::TextWord word = text.at(k);
    const std::size_t end = word.offset + word.length;
    const std::size_t next = k + 1 < text.word_count() ? text.at(k + 1).offset : text.text().size();
    return reading::ends_sentence_between(std::string_view(text.text()).substr(end, next - end));
}

// The rules of running text, having read the few words before the current one.
answer::NeighbourRules read_words_before(const AppState& state, const ReadingState& reading) {
    answer::NeighbourRules rules;
    const std::size_t first = reading.current > answer::kWordsLookedBack ? reading.current - answer::kWordsLookedBack : 0;
    for (std::size_t k = first; k < reading.current && k < reading.text.word_count(); ++k) {
        const std::string_view word = reading.text.word(k);
        auto readings = morphology::analyse(state.dictionary, word);
        rules.read(word, readings);
        if (ends_sentence_after(reading.text, k)) rules.end_sentence();
    }
    return rules;
}

// A word of the text, read by the words before it: no lists to search.
void query_changed(AppState& state, ReadingState& reading) {
    auto rules = read_words_before(state, reading);
    state.choice = answer::answer(state.dictionary, state.query, answer::Detail::Notes, {}, &rules).choice;
    state.no_results = !state.query.empty() && !state.choice.headword;
}

}  // namespace

void refresh_entry(AppState& state) {
    auto headword = std::visit([&](const auto& screen) { return headword_to_show(state, screen); }, state.screen);
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
    state.shown = answer::entry_with_also(state.dictionary, std::move(*headword), std::move(record), also);
    state.shown_damaged = watch.met();
    state.entry_scroll = 0;
}

void toggle_table(AppState& state) {
    if (state.table) {
        close_table(state);
        return;
    }
    const std::string word = state.shown ? state.shown->headword : state.query;
    if (word.empty()) return;
    state.table = AppState::TableView{word, answer::inflection_tables(state.dictionary, word), state.fullscreen};
    state.fullscreen = true;
    state.entry_scroll = 0;
}

void close_table(AppState& state) {
    if (!state.table) return;
    state.fullscreen = state.table->was_fullscreen;
    state.table.reset();
    state.entry_scroll = 0;
}

void on_query_changed(AppState& state) {
    close_table(state);
    state.kept.reset();
    std::visit([&](auto& screen) { query_changed(state, screen); }, state.screen);
    const auto& choice = state.choice;
    const bool english = state.dictionary_screen() && state.dictionary_screen()->english();
    state.suggestions.clear();
    state.suggestion_shown = 0;
    state.suggestions_pending =
        !english && !state.query.empty() && !choice.headword && !answer::reads_as_a_word(choice) && !choice.damaged;
    refresh_entry(state);
}

namespace {

// A suggestion's first meaning, cut to a few words: the line holds five.
constexpr std::size_t kSuggestionMeaningCells = 24;

std::string suggestion_meaning(const morphology::Dictionary& dictionary, const suggest::Suggestion& suggestion) {
    std::string meaning = morphology::short_meaning(morphology::said_meaning(dictionary, suggestion.headword));
    if (meaning.empty()) return {};
    if (term::display_width(meaning) > kSuggestionMeaningCells) {
        meaning.resize(term::display_prefix(meaning, kSuggestionMeaningCells - 1));
        meaning += "\u2026";
    }
    return " (" + meaning + ")";
}

morphology::NoteLine suggestions_line(const AppState& state) {
    morphology::NoteLine line{"no entry for " + state.query + " \u2014 did you mean: ", {}};
    for (std::size_t k = 0; k < state.suggestions.size(); ++k) {
        const auto& suggestion = state.suggestions[k];
        if (k > 0) line.text += " \u00b7 ";
        const std::size_t start = line.text.size();
        line.text += suggestion.word;
        line.links.push_back({suggestion.headword, start, line.text.size()});
        // Each entry's meaning once, after its first form.
        const auto earlier = state.suggestions.begin() + static_cast<std::ptrdiff_t>(k);
        const bool first_of_entry = std::none_of(state.suggestions.begin(), earlier, [&](const auto& other) {
            return other.headword == suggestion.headword;
        });
        if (first_of_entry) line.text += suggestion_meaning(state.dictionary, suggestion);
    }
    if (state.suggestions.size() > 1) line.text += "   (Ctrl+N: next)";
    return line;
}

// Its entry, under the lines that say which form the word meant is
// ("kaupassa = kauppa · -ssa in").
void show_suggestion(AppState& state, std::size_t index) {
    state.suggestion_shown = index;
    auto& notes = state.choice.notes;
    notes.resize(std::min(notes.size(), state.notes_before_suggestion));
    auto meant = answer::answer(state.dictionary, state.suggestions[index].word, answer::Detail::Notes);
    std::ranges::move(meant.choice.notes, std::back_inserter(notes));
    state.choice.headword = state.suggestions[index].headword;
    state.choice.record = state.dictionary.gloss_record(*state.choice.headword);
    if (auto* lists = state.dictionary_screen()) lists->shows_choice = true;
    refresh_entry(state);
}

}  // namespace

bool find_suggestions(AppState& state) {
    if (!state.suggestions_pending) return false;
    state.suggestions_pending = false;
    const suggest::Suggestions found = suggest::suggest(state.dictionary, state.choice.listed);
    if (found.words.empty()) return false;
    state.suggestions = found.words;
    state.choice.notes.push_back(suggestions_line(state));
    state.notes_before_suggestion = state.choice.notes.size();
    // The best guess's entry below the line, as the answer until a row is chosen.
    if (found.clearly_best) show_suggestion(state, 0);
    ++state.revision;
    return true;
}

void step_suggestion(AppState& state, std::int64_t step) {
    const auto count = static_cast<std::int64_t>(state.suggestions.size());
    if (count == 0) return;
    const bool none_shown = state.choice.headword != state.suggestions[state.suggestion_shown].headword;
    const std::int64_t from = none_shown ? (step > 0 ? -1 : 0) : static_cast<std::int64_t>(state.suggestion_shown);
    const std::int64_t to = ((from + step) % count + count) % count;
    show_suggestion(state, static_cast<std::size_t>(to));
}

void set_focus(AppState& state, DictionaryScreen& lists, Focus focus) {
    if (focus == Focus::Inflections && lists.candidates.empty()) return;
    if (focus == lists.focus && !lists.shows_choice) return;
    lists.shows_choice = false;
    lists.focus = focus;
    refresh_entry(state);
}

}  // namespace lomperi::view
