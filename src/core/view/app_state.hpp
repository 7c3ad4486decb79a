#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/expand/entry_view.hpp"
#include "core/layout/layout_config.hpp"
#include "core/morphology/dictionary.hpp"
#include "core/morphology/english_search.hpp"
#include "core/answer/entry_choice.hpp"
#include "core/paradigm/inflection_table.hpp"
#include "core/suggest/ranking.hpp"
#include "core/view/action.hpp"
#include "core/view/dictionary_screen.hpp"
#include "core/view/reading_state.hpp"

namespace lomperi::view {

// The left column: the lists of the dictionary, or a text in the reading pane.
using Screen = std::variant<DictionaryScreen, ReadingState>;

// The document viewer, drawn over either screen while it is open.
struct DocumentsView {
    std::uint8_t doc = 0;
    std::uint16_t scroll = 0;
};

// The whole interactive state: the screen, the query and the entry it shows
// in the entry pane beside either screen, the entry kept after Enter, the
// document viewer, the pane sizes and the scroll offsets. Only apply_action
// changes it, except that a draw lowers the scroll offsets to what the
// content allows.
struct AppState {
    explicit AppState(morphology::Dictionary dict, layout::LayoutConfig layout = {})
        : dictionary(std::move(dict)), left_pct(layout.left_pct), matches_pct(layout.matches_pct) {}

    Screen screen;
    std::optional<DocumentsView> documents;

    // Typed, or the current word of the text.
    std::string query;
    // Which entry the query chose, and the lines that say how it was found.
    answer::EntryChoice choice;
    // The entry of the selected row, or of the choice when no row is selected.
    std::optional<expand::Entry> shown;
    // Reading the shown entry met damaged data.
    bool shown_damaged = false;
    // The entry kept on screen, dimmed, after Enter cleared the query.
    std::optional<expand::Entry> kept;

    morphology::Dictionary dictionary;
    std::uint64_t revision = 0;
    std::uint16_t left_pct = 40;
    std::uint16_t matches_pct = 60;
    std::uint16_t entry_scroll = 0;
    bool no_results = false;
    // The query reaches nothing: what it may stand for is found once the
    // frame is drawn and no key waits (find_suggestions).
    bool suggestions_pending = false;
    // What it may stand for, once found, and which of them the entry pane
    // shows (Ctrl+N, Ctrl+P).
    std::vector<suggest::Suggestion> suggestions;
    std::size_t suggestion_shown = 0;
    // The choice's notes up to the line that names the suggestions; the
    // form lines of the one shown follow.
    std::size_t notes_before_suggestion = 0;
    // The entry pane over the whole screen, below the title box, on either screen.
    bool fullscreen = false;
    // The inflection tables shown in the entry pane in place of the entry
    // (Ctrl+T), built when asked for.
    struct TableView {
        std::string word;
        std::vector<paradigm::InflectionTable> tables;
        bool was_fullscreen = false;  // before the table was opened
    };
    std::optional<TableView> table;

    DictionaryScreen* dictionary_screen() { return std::get_if<DictionaryScreen>(&screen); }
    const DictionaryScreen* dictionary_screen() const { return std::get_if<DictionaryScreen>(&screen); }
    ReadingState* reading() { return std::get_if<ReadingState>(&screen); }
    const ReadingState* reading() const { return std::get_if<ReadingState>(&screen); }

    // Searching Finnish headwords by the English words of their meanings.
    bool english() const {
        const DictionaryScreen* lists = dictionary_screen();
        return lists != nullptr && lists->english();
    }
    bool inflections_available() const { return dictionary.inflections.len() != 0; }
    bool english_available() const { return morphology::has_english(dictionary); }
    layout::LayoutConfig layout_config() const { return {left_pct, matches_pct}; }
};

}  // namespace lomperi::view
