#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/expand/entry_view.hpp"
#include "core/layout/layout_config.hpp"
#include "core/morphology/dictionary.hpp"
#include "core/morphology/english_search.hpp"
#include "core/morphology/entry_choice.hpp"
#include "core/morphology/headword_search.hpp"
#include "core/morphology/inflection_lookup.hpp"
#include "core/view/action.hpp"
#include "core/view/reading_state.hpp"

namespace lomperi::view {

inline constexpr std::uint8_t kDocumentsClosed = 255;

// The whole interactive state: the query, its two lists with their
// selections, the entry shown and the one kept after Enter, the document
// viewer, the pane sizes and the scroll offsets. Only apply_action changes
// it, except that a draw lowers the scroll offsets to what the content allows.
struct AppState {
    explicit AppState(morphology::Dictionary dict, layout::LayoutConfig layout = {})
        : dictionary(std::move(dict)), left_pct(layout.left_pct), matches_pct(layout.matches_pct) {}

    std::string query;
    std::vector<morphology::HeadwordMatch> matches;
    std::vector<morphology::InflectionCandidate> candidates;
    std::array<std::size_t, 2> selected{0, 0};  // indexed by Focus
    Focus focus = Focus::Matches;

    // Which entry the query chose, and the lines that say how it was found.
    morphology::EntryChoice choice;
    // The chosen entry is shown though no row of the lists holds it (a
    // reading's lemma); moving in a list shows the rows' entries again.
    bool shows_choice = false;
    // The entry of the selected row, or of the choice when no row is selected.
    std::optional<expand::Entry> shown;
    // Reading the shown entry met damaged data.
    bool shown_damaged = false;
    // The entry kept on screen, dimmed, after Enter cleared the query.
    std::optional<expand::Entry> kept;

    morphology::Dictionary dictionary;
    std::uint64_t revision = 0;
    std::uint16_t doc_scroll = 0;
    std::uint8_t doc = kDocumentsClosed;
    std::uint16_t left_pct = 40;
    std::uint16_t matches_pct = 60;
    std::uint16_t entry_scroll = 0;
    bool no_results = false;
    bool fullscreen = false;
    bool english = false;  // searching Finnish headwords by the English words of their meanings
    // A text in the reading pane, in place of the two lists.
    std::optional<ReadingState> reading;

    bool documents_open() const { return doc != kDocumentsClosed; }
    bool reading_open() const { return reading.has_value(); }
    bool inflections_available() const { return dictionary.inflections.len() != 0; }
    bool english_available() const { return morphology::has_english(dictionary); }
    // Searching by English finds no word forms: the matches take the whole column.
    bool shows_inflections_pane() const { return inflections_available() && !english && !reading; }
    layout::LayoutConfig layout_config() const { return {left_pct, matches_pct}; }
};

}  // namespace lomperi::view
