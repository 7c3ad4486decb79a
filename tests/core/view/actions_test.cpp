#include <gtest/gtest.h>

#include "core/view/handle_event.hpp"
#include "core/view/apply_action.hpp"
#include "core/view/entry_refresh.hpp"
#include "support/analysed_data.hpp"
#include "support/kehu_data.hpp"
#include "support/random_data.hpp"
#include "view_fixture.hpp"

namespace lomperi::view {
namespace {

using testing::kept_headword;
using testing::lists;
using testing::shown_headword;
using testing::view_dictionary;

class Actions : public ::testing::Test {
protected:
    testing::TestDictionary data = view_dictionary();
    AppState state{std::move(data.dict)};

    void type(std::string_view text) {
        for (char c : text) apply_action(state, action::InsertChar{static_cast<unsigned char>(c)});
    }
    void set_query(std::string word) { apply_action(state, action::SetQuery{std::move(word)}); }
};

TEST_F(Actions, EveryActionAdvancesTheRevision) {
    const std::vector<Action> actions = {action::DeleteBack{},        action::MoveSelection{1}, action::ScrollEntry{-1},
                                         action::Confirm{},           action::SwitchFocus{},    action::FocusPane{Focus::Inflections},
                                         action::ToggleFullscreen{},  action::ToggleFullscreen{}, action::OpenDocuments{},
                                         action::CloseDocuments{},    action::InsertChar{U'x'}};
    for (std::size_t i = 0; i < actions.size(); ++i) {
        apply_action(state, actions[i]);
        EXPECT_EQ(state.revision, i + 1);
    }
}

TEST_F(Actions, TypingSearchesBothListsAndShowsTheFirstMatch) {
    type("talo");
    ASSERT_EQ(lists(state).matches.size(), 1u);
    EXPECT_EQ(lists(state).matches[0].headword, "talo");
    ASSERT_EQ(lists(state).candidates.size(), 3u);
    EXPECT_EQ(lists(state).candidates[0].form, "talon");
    EXPECT_EQ(shown_headword(state), "talo");
    ASSERT_TRUE((state.shown && state.shown->record.has_value()));
    EXPECT_EQ(state.shown->view.lines.size(), 2u);
    EXPECT_FALSE(state.no_results);
}

TEST_F(Actions, BackspaceRemovesAWholeCharacterAndSearchesEvenOnEmptyQuery) {
    set_query("hyvä");
    apply_action(state, action::DeleteBack{});
    EXPECT_EQ(state.query, "hyv");
    EXPECT_EQ(lists(state).matches.size(), 2u);

    set_query("talo");
    apply_action(state, action::Confirm{});
    ASSERT_EQ(kept_headword(state), "talo");
    apply_action(state, action::DeleteBack{});
    EXPECT_EQ(state.query, "");
    EXPECT_FALSE(kept_headword(state).has_value()) << "backspace on an empty query still clears the kept entry";
    EXPECT_FALSE(state.kept.has_value());
}

TEST_F(Actions, NoResultsOnlyForANonEmptyQueryWithBothListsEmpty) {
    set_query("xyz");
    EXPECT_TRUE(state.no_results);
    set_query("");
    EXPECT_FALSE(state.no_results);
    set_query("kissoj");
    EXPECT_TRUE(lists(state).matches.empty());
    EXPECT_FALSE(state.no_results);
}

TEST_F(Actions, SelectionStaysInsideItsList) {
    struct Row {
        std::vector<std::int64_t> steps;
        std::size_t expected;
    };
    const std::vector<Row> rows = {
        {{-1}, 0}, {{1}, 1}, {{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 9}, {{1000}, 9}, {{5, -1000}, 0}, {{3, -1}, 2},
    };
    for (const auto& row : rows) {
        set_query("sana10");  // sana100 .. sana109: ten rows
        for (auto step : row.steps) apply_action(state, action::MoveSelection{step});
        EXPECT_EQ(lists(state).selected[0], row.expected);
        EXPECT_EQ(shown_headword(state), lists(state).matches[row.expected].headword);
    }
}

TEST_F(Actions, MovingInAnEmptyListDoesNothing) {
    set_query("xyz");
    apply_action(state, action::MoveSelection{1});
    EXPECT_EQ(lists(state).selected[0], 0u);
    EXPECT_FALSE(shown_headword(state).has_value());
}

TEST_F(Actions, TabAlternatesOnlyWhenThereAreCandidates) {
    set_query("hyvi");  // a match, no candidates
    apply_action(state, action::SwitchFocus{});
    EXPECT_EQ(lists(state).focus, Focus::Matches);

    set_query("tal");
    apply_action(state, action::SwitchFocus{});
    EXPECT_EQ(lists(state).focus, Focus::Inflections);
    EXPECT_EQ(shown_headword(state), "talo");
    apply_action(state, action::SwitchFocus{});
    EXPECT_EQ(lists(state).focus, Focus::Matches);
}

TEST_F(Actions, EnterOnAMatchKeepsTheEntryAndClearsTheSearch) {
    set_query("kissa");
    apply_action(state, action::Confirm{});
    EXPECT_EQ(state.query, "");
    EXPECT_TRUE(lists(state).matches.empty());
    EXPECT_TRUE(lists(state).candidates.empty());
    EXPECT_EQ(kept_headword(state), "kissa");
    EXPECT_FALSE(shown_headword(state).has_value());
    EXPECT_EQ(lists(state).focus, Focus::Matches);

    type("t");
    EXPECT_FALSE(kept_headword(state).has_value());
    EXPECT_EQ(lists(state).matches[0].headword, "talo");
}

TEST_F(Actions, EnterOnACandidateSearchesItsBase) {
    set_query("kissoj");
    ASSERT_EQ(lists(state).candidates.size(), 1u);
    apply_action(state, action::SwitchFocus{});
    ASSERT_EQ(lists(state).focus, Focus::Inflections);
    apply_action(state, action::Confirm{});
    EXPECT_EQ(state.query, "kissa");
    EXPECT_EQ(lists(state).focus, Focus::Matches);
    EXPECT_EQ(shown_headword(state), "kissa");
}

TEST_F(Actions, WithoutMatchesTheEntryFallsBackToTheBaseOfTheExactForm) {
    set_query("kissoja");
    EXPECT_TRUE(lists(state).matches.empty());
    EXPECT_EQ(shown_headword(state), "kissa");
    ASSERT_TRUE((state.shown && state.shown->record.has_value()));
}

TEST_F(Actions, FullScreenModeRules) {
    set_query("talo");
    apply_action(state, action::ToggleFullscreen{});
    ASSERT_TRUE(state.fullscreen);

    apply_action(state, action::MoveSelection{3});
    EXPECT_EQ(state.entry_scroll, 3u) << "Up and Down scroll the entry in full-screen mode";
    EXPECT_EQ(lists(state).selected[0], 0u);

    apply_action(state, action::Confirm{});
    EXPECT_FALSE(state.fullscreen);
    EXPECT_EQ(state.query, "talo") << "Enter only leaves full-screen mode";
    EXPECT_EQ(state.entry_scroll, 0u);

    apply_action(state, action::ToggleFullscreen{});
    type("n");
    EXPECT_FALSE(state.fullscreen);
    EXPECT_EQ(state.query, "talon");

    apply_action(state, action::ToggleFullscreen{});
    set_query("kissa");
    EXPECT_TRUE(state.fullscreen) << "a clicked word keeps full-screen mode";
}

TEST_F(Actions, ScrollingSaturates) {
    apply_action(state, action::ScrollEntry{-5});
    EXPECT_EQ(state.entry_scroll, 0u);
    apply_action(state, action::ScrollEntry{70000});
    EXPECT_EQ(state.entry_scroll, 65535u);
    apply_action(state, action::ScrollEntry{1});
    EXPECT_EQ(state.entry_scroll, 65535u);
}

TEST_F(Actions, DocumentViewerTable) {
    set_query("talo");
    constexpr std::uint8_t kClosed = 255;
    struct Row {
        Action action;
        std::uint8_t doc;
        std::uint16_t doc_scroll;
    };
    const std::vector<Row> rows = {
        {action::OpenDocuments{}, 0, 0},     {action::MoveSelection{1}, 0, 1}, {action::ScrollEntry{2}, 0, 3},
        {action::MoveSelection{-9}, 0, 0},   {action::SwitchFocus{}, 1, 0},    {action::SwitchFocus{}, 2, 0},
        {action::SwitchFocus{}, 3, 0},       {action::SwitchFocus{}, 0, 0},    {action::InsertChar{U'x'}, 0, 0},
        {action::DeleteBack{}, 0, 0},        {action::Confirm{}, 0, 0},        {action::SetQuery{"kissa"}, 0, 0},
        {action::ToggleFullscreen{}, 0, 0},  {action::ScrollEntry{4}, 0, 4},   {action::CloseDocuments{}, kClosed, 0},
        {action::OpenDocuments{}, 0, 0},     {action::OpenDocuments{}, kClosed, 0},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        apply_action(state, rows[i].action);
        ASSERT_EQ(state.documents.has_value(), rows[i].doc != kClosed) << "row " << i;
        if (!state.documents) continue;
        EXPECT_EQ(state.documents->doc, rows[i].doc) << "row " << i;
        EXPECT_EQ(state.documents->scroll, rows[i].doc_scroll) << "row " << i;
    }
    EXPECT_EQ(state.query, "talo") << "the search underneath is untouched";
    EXPECT_FALSE(state.fullscreen);
}

TEST_F(Actions, ClearQueryAndDeleteWordAsReadline) {
    set_query("iso talo  ");
    apply_action(state, action::DeleteWord{});
    EXPECT_EQ(state.query, "iso ");
    apply_action(state, action::DeleteWord{});
    EXPECT_EQ(state.query, "");
    set_query("hyvää");
    apply_action(state, action::ToggleFullscreen{});
    apply_action(state, action::ClearQuery{});
    EXPECT_EQ(state.query, "");
    EXPECT_FALSE(state.fullscreen);
    EXPECT_TRUE(lists(state).matches.empty());
}

// A word form that is no headword shows its base at once, even when a longer
// headword begins with it; a query found otherwise says how.
TEST(Lookups, ExactFormsAndForgivenQueries) {
    auto data = testing::make_test_dictionary(
        {{"talo", {{"noun", {"house"}}}}, {"talonpoika", {{"noun", {"peasant"}}}}, {"hyvä", {{"adj", {"good"}}}}},
        {{"talon", {"talo"}}, {"hyvää", {"hyvä"}}});
    AppState state{std::move(data.dict)};
    struct Row {
        const char* query;
        Focus focus;
        std::optional<std::string> shown;
        bool forgiven;
        bool no_results;
    };
    const Row rows[] = {
        {"talon", Focus::Inflections, "talo", false, false},
        {"talo", Focus::Matches, "talo", false, false},
        {"Talon", Focus::Inflections, "talo", true, false},
        {"hyva", Focus::Matches, "hyvä", true, false},
        {"hyvaa", Focus::Inflections, "hyvä", true, false},
        {"qqq", Focus::Matches, std::nullopt, false, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.query);
        apply_action(state, action::SetQuery{row.query});
        EXPECT_EQ(lists(state).focus, row.focus);
        EXPECT_EQ(shown_headword(state), row.shown);
        EXPECT_EQ(!state.choice.notes.empty(), row.forgiven);
        EXPECT_EQ(state.no_results, row.no_results);
    }
}

// Ctrl+E searches the Finnish headwords by the English words of their
// meanings and back; without an English side it does nothing.
TEST(Lookups, TheEnglishDirection) {
    auto with = testing::make_kehu_dictionary(true);
    AppState state{std::move(with.dict)};
    apply_action(state, action::SetQuery{"PRA"});
    EXPECT_TRUE(state.no_results);
    apply_action(state, action::ToggleDirection{});
    ASSERT_TRUE(state.english());
    EXPECT_EQ(lists(state).matches, (std::vector<morphology::HeadwordMatch>{
                                 {"kehu", "praise, commendation (favorable representation in words)"},
                                 {"kehua", "to praise, tout, acclaim, commend"},
                                 {"kehuminen", "praising"},
                             }));
    EXPECT_TRUE(lists(state).candidates.empty());
    EXPECT_EQ(shown_headword(state), "kehu");
    apply_action(state, action::MoveSelection{1});
    EXPECT_EQ(shown_headword(state), "kehua");
    apply_action(state, action::SetQuery{"kehu"});
    EXPECT_TRUE(state.no_results) << "no English word begins with kehu";
    EXPECT_FALSE(shown_headword(state).has_value());
    apply_action(state, action::ToggleDirection{});
    EXPECT_FALSE(state.english());
    EXPECT_EQ(lists(state).matches.size(), 8u);
    EXPECT_EQ(lists(state).matches.front().meaning, "");

    auto without = testing::make_kehu_dictionary();
    AppState finnish{std::move(without.dict)};
    apply_action(finnish, action::ToggleDirection{});
    EXPECT_FALSE(finnish.english());
}

TEST(KeyMapping, KeysToActions) {
    auto data = view_dictionary();
    AppState state{std::move(data.dict)};
    using term::KeyCode;
    struct Row {
        term::KeyEvent key;
        std::optional<std::size_t> variant;
    };
    const std::vector<Row> rows = {
        {term::char_key(U'a'), 0},
        {term::char_key(U'ä', term::Alt), 0},
        {term::char_key(U'F', term::Shift), 0},
        {term::char_key(U'f', term::Ctrl), 7},
        {term::char_key(U'l', term::Ctrl), 11},
        {term::char_key(U'F', term::Ctrl | term::Shift), std::nullopt},
        {term::char_key(U'u', term::Ctrl), 13},
        {term::char_key(U'w', term::Ctrl), 14},
        {term::char_key(U'e', term::Ctrl), std::nullopt},  // no English side: nothing to switch to
        {term::char_key(U'x', term::Ctrl), std::nullopt},
        {term::key(KeyCode::Backspace), 1},
        {term::key(KeyCode::Enter, term::Alt), 4},
        {term::key(KeyCode::Up), 2},
        {term::key(KeyCode::Down, term::Ctrl), 3},
        {term::key(KeyCode::Tab), 5},
        {term::key(KeyCode::BackTab, term::Shift), std::nullopt},
        {term::key(KeyCode::Left), std::nullopt},
        {term::key(KeyCode::PageDown), std::nullopt},
        {term::key(KeyCode::Delete), std::nullopt},
        {term::function_key(5), std::nullopt},
    };
    for (const auto& row : rows) {
        auto action = key_action(state, row.key);
        ASSERT_EQ(action.has_value(), row.variant.has_value()) << static_cast<int>(row.key.code) << " " << static_cast<std::uint32_t>(row.key.ch);
        if (action) {
            EXPECT_EQ(action->index(), *row.variant);
        }
    }
}

TEST(KeyMapping, EscAndCtrlCQuitOnlyOutsideTheViewer) {
    auto data = view_dictionary();
    AppState state{std::move(data.dict)};
    ViewCache cache;
    EXPECT_EQ(handle_event(state, cache, term::key(term::KeyCode::Esc)), Answer::Quit);
    EXPECT_EQ(handle_event(state, cache, term::char_key(U'c', term::Ctrl)), Answer::Quit);
    EXPECT_EQ(handle_event(state, cache, term::char_key(U'l', term::Ctrl)), Answer::Redraw);
    EXPECT_EQ(handle_event(state, cache, term::char_key(U'c', term::Ctrl)), Answer::Redraw);
    EXPECT_FALSE(state.documents.has_value());
    EXPECT_EQ(handle_event(state, cache, term::char_key(U'l', term::Ctrl)), Answer::Redraw);
    EXPECT_EQ(handle_event(state, cache, term::key(term::KeyCode::Esc)), Answer::Redraw);
    EXPECT_EQ(handle_event(state, cache, term::key(term::KeyCode::Esc)), Answer::Quit);
}

TEST(KeyMapping, EventsThatNeverRedraw) {
    auto data = view_dictionary();
    AppState state{std::move(data.dict)};
    ViewCache cache;
    term::KeyEvent release = term::char_key(U'a');
    release.kind = term::KeyKind::Release;
    const std::vector<term::Event> events = {
        release,
        term::MouseEvent{.kind = term::MouseKind::Moved, .column = 5, .row = 5},
        term::MouseEvent{.kind = term::MouseKind::Down, .button = term::MouseButton::Right, .column = 5, .row = 5},
        term::MouseEvent{.kind = term::MouseKind::Drag, .column = 5, .row = 5},
        term::MouseEvent{.kind = term::MouseKind::ScrollLeft},
        term::FocusGained{},
        term::FocusLost{},
        term::key(term::KeyCode::Home),
    };
    for (const auto& event : events) EXPECT_EQ(handle_event(state, cache, event), Answer::NoRedraw);
    EXPECT_EQ(state.revision, 0u);
    EXPECT_EQ(state.query, "");
    EXPECT_EQ(handle_event(state, cache, term::MouseEvent{.kind = term::MouseKind::ScrollDown}), Answer::Redraw);
    EXPECT_EQ(state.entry_scroll, 1u);
    EXPECT_EQ(handle_event(state, cache, term::Resize{80, 24}), Answer::Redraw);
}

// Keys that arrived together are handled together: a paste is one
// insertion, searched once, then the keys after it.
TEST_F(Actions, APasteIsOneInsertion) {
    std::vector<term::Event> events;
    for (int k = 0; k < 2000; ++k) events.push_back(term::char_key(U"kissa "[k % 6]));
    events.push_back(term::key(term::KeyCode::Backspace));
    ViewCache cache;
    const Handled handled = handle_events(state, cache, events);
    EXPECT_EQ(handled.count, events.size());
    EXPECT_EQ(handled.answer, Answer::Redraw);
    EXPECT_EQ(state.revision, 2u) << "one insertion, one deletion";
    EXPECT_EQ(state.query.size(), 1999u);

    const std::vector<term::Event> stop = {term::char_key(U'a'), term::Suspend{}, term::char_key(U'b')};
    const Handled before_stop = handle_events(state, cache, stop);
    EXPECT_EQ(before_stop.count, 1u) << "the main loop's own events end the batch";
}

// A respelled query shows what its spelling shows, whichever list has the focus.
TEST_F(Actions, ARespelledQueryTabsAsItsSpelling) {
    for (const std::string query : {"Kissan", "kissan"}) {
        SCOPED_TRACE(query);
        set_query(query);
        EXPECT_EQ(shown_headword(state), "kissa");
        apply_action(state, action::SwitchFocus{});
        EXPECT_EQ(shown_headword(state), "kissa") << "the other list";
        apply_action(state, action::SwitchFocus{});
        EXPECT_EQ(shown_headword(state), "kissa");
    }
}

// The pane, with its lists and their selection, shows the entry that the
// one choice names, as the command line does; a word with none shows no
// entry until a row is chosen, not the first headword that begins like it.
TEST(PaneChoice, ThePaneShowsTheChosenEntry) {
    const auto data = testing::random_data(20240611);
    testing::TestDictionary t = testing::load(data);
    testing::TestDictionary second = testing::load(data);
    AppState state(std::move(second.dict));
    for (const std::string& query : testing::queries(data, 7)) {
        apply_action(state, action::SetQuery{query});
        ASSERT_EQ(answer::choose_entry(t.dict, query).headword, testing::shown_headword(state)) << "query [" << query << "]";
    }
}

// A word the analyser reads but the dictionary lacks is not shown as the
// headword its spelling begins: the pane says it has no entry, and a row of
// the lists shows its entry once chosen.
TEST(PaneChoice, AWordWithoutEntryIsNotShownAsItsNeighbour) {
    testing::TestDictionary data = testing::fresh_analysed_dictionary();
    AppState state(std::move(data.dict));
    apply_action(state, action::SetQuery{"kasvo"});
    ASSERT_FALSE(testing::lists(state).matches.empty());
    EXPECT_FALSE(testing::shown_headword(state));
    ASSERT_FALSE(state.choice.notes.empty());
    EXPECT_EQ(state.choice.notes.front().text, "kasvo = kasvo: basic form (noun, no entry)");
    apply_action(state, action::MoveSelection{1});
    apply_action(state, action::MoveSelection{-1});
    EXPECT_EQ(testing::shown_headword(state), testing::lists(state).matches.front().headword);
}

}  // namespace
}  // namespace lomperi::view
