#include <gtest/gtest.h>

#include "core/view/apply_action.hpp"
#include "core/view/entry_refresh.hpp"
#include "core/view/handle_event.hpp"
#include "support/analysed_data.hpp"
#include "support/scene.hpp"
#include "support/test_data.hpp"
#include "view_fixture.hpp"

namespace lomperi::view {
namespace {

using testing::Scene;
using testing::same_picture;

constexpr std::string_view kText = "Talossa on kissa.\n\nkissat hyvin xyz";

void open_text(Scene& scene) { scene.apply(action::OpenReading{"text.txt", std::string(kText), false}); }

// The style of the cell where the word of the reading pane starts.
term::Style style_of(const Scene& scene, std::size_t word) {
    for (const auto& cell : scene.cache.reading_words) {
        if (cell.word == word) return scene.frame_buffer.get(cell.start, cell.row).style;
    }
    return {};
}

TEST(ReadingPane, TheTextInTheLeftColumnAndTheCurrentWordsEntry) {
    Scene scene(testing::view_dictionary());
    open_text(scene);
    EXPECT_TRUE(same_picture(scene.frame(60, 10), {
        "┌ text.txt · 1/6 ──────┐┌ entry (click here to fullscreen) ┐",
        "│s: save word · Esc: ba││Talossa → talossa                 │",
        "└──────────────────────┘│talo                              │",
        "┌ text ────────────────┐│                                  │",
        "│Talossa on kissa.     ││(noun)                            │",
        "│                      ││- house                           │",
        "│kissat hyvin xyz      ││- building                        │",
        "│                      ││                                  │",
        "│                      ││                                  │",
        "└──────────────────────┘└──────────────────────────────────┘",
    }));
}

TEST(ReadingPane, KeysMoveTheCurrentWord) {
    Scene scene(testing::view_dictionary());
    open_text(scene);
    (void)scene.frame(60, 10);
    ViewCache& cache = scene.cache;
    const struct {
        term::KeyEvent key;
        std::size_t current;
        std::string query;
    } steps[] = {
        {term::key(term::KeyCode::Right), 1, "on"},
        {term::key(term::KeyCode::Down), 4, "hyvin"},
        {term::key(term::KeyCode::End), 5, "xyz"},
        {term::key(term::KeyCode::Right), 5, "xyz"},
        {term::key(term::KeyCode::Up), 2, "kissa"},
        {term::key(term::KeyCode::Home), 0, "Talossa"},
        {term::key(term::KeyCode::Left), 0, "Talossa"},
        {term::key(term::KeyCode::PageDown), 3, "kissat"},
    };
    for (const auto& step : steps) {
        EXPECT_EQ(handle_event(scene.state, cache, step.key), Answer::Redraw);
        EXPECT_EQ(scene.state.reading()->current, step.current);
        EXPECT_EQ(scene.state.query, step.query);
    }
    // Typed letters are no query here; Esc quits a text opened with --read.
    (void)handle_event(scene.state, cache, term::char_key(U'a'));
    EXPECT_EQ(scene.state.query, "kissat");
    EXPECT_EQ(handle_event(scene.state, cache, term::key(term::KeyCode::Esc)), Answer::Quit);
}

TEST(ReadingPane, CurrentWordReversedAndWordsWithoutEntryDim) {
    Scene scene(testing::view_dictionary());
    open_text(scene);
    scene.apply(action::SelectWord{2});
    scene.frame_buffer = scene.frame(60, 10);
    EXPECT_TRUE(style_of(scene, 2).add & term::Reversed);
    EXPECT_TRUE(style_of(scene, 5).add & term::Dim);
    EXPECT_FALSE(style_of(scene, 4).add & term::Dim);
}

TEST(ReadingPane, AClickSelectsTheWordAndTheWheelScrollsThePaneUnderIt) {
    Scene scene(testing::view_dictionary());
    open_text(scene);
    (void)scene.frame(60, 10);
    const auto clicked = term::MouseEvent{.kind = term::MouseKind::Down, .column = 8, .row = 6};  // "hyvin"
    EXPECT_EQ(handle_event(scene.state, scene.cache, clicked), Answer::Redraw);
    EXPECT_EQ(scene.state.reading()->current, 4u);
    EXPECT_EQ(scene.state.query, "hyvin");
    const auto wheel = term::MouseEvent{.kind = term::MouseKind::ScrollDown, .column = 40, .row = 5};
    (void)handle_event(scene.state, scene.cache, wheel);
    EXPECT_EQ(scene.state.entry_scroll, 1u);
}

TEST(ReadingPane, ANarrowerPaneRewrapsAndKeepsTheCurrentWordInView) {
    Scene scene(testing::view_dictionary());
    open_text(scene);
    scene.apply(action::MoveReading{action::ReadingUnit::Text, 1});
    (void)scene.frame(60, 10);
    scene.frame_buffer = scene.frame(30, 6);
    const ReadingState& reading = *scene.state.reading();
    const std::size_t line = reading.layout.line_of_word(reading.text, reading.current);
    EXPECT_GE(line, reading.top_line);
    EXPECT_LT(line, reading.top_line + reading.page_height);
    EXPECT_TRUE(style_of(scene, 5).add & term::Reversed);
}

// A word list fits any width whole and is not wrapped again; a lower pane
// still keeps the current word in view.
TEST(ReadingPane, AResizeKeepsTheCurrentWordInViewWithoutRewrapping) {
    Scene scene(testing::view_dictionary());
    std::string list;
    for (int k = 0; k < 100; ++k) list += "kissa\n";
    scene.apply(action::OpenReading{"list", list, false});
    scene.apply(action::MoveReading{action::ReadingUnit::Text, 1});
    for (const auto& [width, height] : {std::pair{60, 30}, {60, 8}, {40, 6}, {80, 5}}) {
        (void)scene.frame(static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height));
        const ReadingState& reading = *scene.state.reading();
        const std::size_t line = reading.layout.line_of_word(reading.text, reading.current);
        EXPECT_EQ(line, 99u);
        EXPECT_GE(line, reading.top_line) << height;
        EXPECT_LT(line, reading.top_line + reading.page_height) << height;
    }
}

TEST(ReadingPane, APasteOfATextOpensItAndEscGoesBack) {
    Scene scene(testing::view_dictionary());
    ViewCache& cache = scene.cache;
    EXPECT_EQ(handle_event(scene.state, cache, term::Paste{"talossa\n"}), Answer::Redraw);
    EXPECT_FALSE(scene.state.reading());
    EXPECT_EQ(scene.state.query, "talossa");
    EXPECT_EQ(handle_event(scene.state, cache, term::Paste{"kissa on talossa"}), Answer::Redraw);
    ASSERT_TRUE(scene.state.reading());
    EXPECT_EQ(scene.state.reading()->text.name(), "pasted text");
    EXPECT_EQ(scene.state.query, "kissa");
    EXPECT_EQ(handle_event(scene.state, cache, term::key(term::KeyCode::Esc)), Answer::Redraw);
    EXPECT_FALSE(scene.state.reading());
    EXPECT_EQ(scene.state.query, "");
}

// Searching by English words, "talo" begins "talon" (kynsi) and "on" is
// edelleen's; the words of a pasted text are Finnish all the same, and Esc
// goes back to the English search.
TEST(ReadingPane, APasteWhileSearchingByEnglishReadsFinnish) {
    Scene scene(testing::make_test_dictionary(
        {{"talo", {{"noun", {"house"}}}}, {"kynsi", {{"noun", {"nail, talon"}}}},
         {"on", {{"verb", {"is"}}}}, {"edelleen", {{"adv", {"still, on"}}}}, {"kissa", {{"noun", {"cat"}}}}},
        {}, {{"house", {{"talo", 0}}}, {"talon", {{"kynsi", 0}}}, {"on", {{"edelleen", 0}}}, {"cat", {{"kissa", 0}}}}));
    ViewCache& cache = scene.cache;
    ASSERT_EQ(handle_event(scene.state, cache, term::char_key(U'e', term::Ctrl)), Answer::Redraw);
    ASSERT_TRUE(scene.state.english());
    EXPECT_EQ(handle_event(scene.state, cache, term::Paste{"talo on kissa"}), Answer::Redraw);
    ASSERT_TRUE(scene.state.reading());
    EXPECT_EQ(testing::shown_headword(scene.state), "talo");
    (void)handle_event(scene.state, cache, term::key(term::KeyCode::Right));
    EXPECT_EQ(testing::shown_headword(scene.state), "on");
    EXPECT_EQ(handle_event(scene.state, cache, term::key(term::KeyCode::Esc)), Answer::Redraw);
    EXPECT_FALSE(scene.state.reading());
    EXPECT_TRUE(scene.state.english()) << "back to the search as it was";
}

// A paste the terminal's input cut short says so where a save's outcome is said, until the next move.
TEST(ReadingPane, APasteCutShortIsSaid) {
    for (const bool cut : {false, true}) {
        Scene scene(testing::view_dictionary());
        (void)handle_event(scene.state, scene.cache, term::Paste{"kissa on talossa", cut});
        ASSERT_TRUE(scene.state.reading());
        const auto shown = testing::picture(scene.frame(80, 10));
        EXPECT_EQ(shown[1].find("paste cut to its first 1 MB") != std::string::npos, cut) << shown[1];
        EXPECT_EQ(scene.state.reading()->status_failed, cut);
        scene.apply(action::MoveReading{action::ReadingUnit::Word, 1});
        EXPECT_EQ(scene.state.reading()->status, "");
    }
}

// The entry of a word of the text is read by the words before it: after a
// negation verb, its verb is the connegative.
TEST(ReadingPane, AWordIsReadByTheWordsBeforeIt) {
    testing::TestDictionary t = testing::fresh_analysed_dictionary();
    AppState state(std::move(t.dict));
    apply_action(state, action::OpenReading{"text", "ole. en minä ole", false});
    ASSERT_FALSE(state.choice.readings.empty());
    EXPECT_EQ(state.choice.readings.front().form.mood, analysis::Mood::Imperative) << "alone, the command";
    apply_action(state, action::MoveReading{action::ReadingUnit::Word, 3});
    ASSERT_EQ(state.query, "ole");
    ASSERT_FALSE(state.choice.readings.empty());
    EXPECT_EQ(state.choice.readings.front().form.negative, analysis::Negative::Yes);
    // As far back as the rules look in a gloss: four words between.
    apply_action(state, action::OpenReading{"text", "en minä talo kissa hyvä ole", false});
    apply_action(state, action::MoveReading{action::ReadingUnit::Word, 5});
    ASSERT_EQ(state.query, "ole");
    ASSERT_FALSE(state.choice.readings.empty());
    EXPECT_EQ(state.choice.readings.front().form.negative, analysis::Negative::Yes) << "four words between";
    // The entry shown is that of the reading the words before put first.
    apply_action(state, action::OpenReading{"text", "tilaa se tilaa", false});
    EXPECT_EQ(state.choice.headword, "tila") << "alone, the noun";
    apply_action(state, action::MoveReading{action::ReadingUnit::Word, 2});
    ASSERT_EQ(state.query, "tilaa");
    EXPECT_EQ(state.choice.headword, "tilata") << "after se, the verb";
    // Not over a sentence's end.
    apply_action(state, action::OpenReading{"text", "se. tilaa", false});
    apply_action(state, action::MoveReading{action::ReadingUnit::Word, 1});
    ASSERT_EQ(state.query, "tilaa");
    EXPECT_EQ(state.choice.headword, "tila") << "after a sentence's end";
}

// A query that reaches nothing: once the frame is drawn, a line says what
// it may stand for, each word a link to its entry.
TEST(DidYouMean, ANearMissNamesTheWordsItMayStandFor) {
    testing::TestDictionary t = testing::fresh_analysed_dictionary();
    AppState state(std::move(t.dict));
    apply_action(state, action::SetQuery{"kisssa"});
    EXPECT_TRUE(state.suggestions_pending);
    ASSERT_TRUE(find_suggestions(state));
    EXPECT_FALSE(state.suggestions_pending);
    ASSERT_FALSE(state.choice.notes.empty());
    const auto& line = state.choice.notes.back();
    EXPECT_TRUE(line.text.starts_with("no entry for kisssa \u2014 did you mean: kissa")) << line.text;
    ASSERT_FALSE(line.links.empty());
    EXPECT_EQ(line.links.front().target, "kissa");
    // A word with an entry has nothing to find.
    apply_action(state, action::SetQuery{"kissa"});
    EXPECT_FALSE(state.suggestions_pending);
    EXPECT_FALSE(find_suggestions(state));
}

// The suggestion shown tells which form the word meant is, under the line
// that names them all.
TEST(DidYouMean, TheSuggestionShownSaysWhichFormItIs) {
    testing::TestDictionary t = testing::fresh_analysed_dictionary();
    AppState state(std::move(t.dict));
    apply_action(state, action::SetQuery{"talosa"});
    ASSERT_TRUE(find_suggestions(state));
    ASSERT_FALSE(state.suggestions.empty());
    ASSERT_EQ(state.suggestions.front().word, "talossa");
    apply_action(state, action::StepSuggestion{1});
    ASSERT_EQ(state.choice.notes.size(), 2U);
    EXPECT_TRUE(state.choice.notes[0].text.starts_with("no entry for talosa")) << state.choice.notes[0].text;
    EXPECT_TRUE(state.choice.notes[1].text.starts_with("talossa = talo")) << state.choice.notes[1].text;
    apply_action(state, action::StepSuggestion{1});
    EXPECT_LE(state.choice.notes.size(), 2U) << "the lines of one suggestion at a time";
}

// Ctrl+N and Ctrl+P walk the suggestions round, each showing its entry;
// a new query forgets them.
TEST(DidYouMean, KeysShowEachSuggestionsEntryInTurn) {
    // "tuli" is a consonant short of tulli, a vowel short of tuuli.
    const std::vector<testing::TestHeadword> headwords = {{"tulli", {{"noun", {"customs"}}}},
                                                          {"tuuli", {{"noun", {"wind"}}}},
                                                          {"kissa", {{"noun", {"cat"}}}}};
    testing::TestDictionary t =
        testing::make_test_dictionary(headwords, {{"tulli", {"tulli"}}, {"tuuli", {"tuuli"}}, {"kissa", {"kissa"}}});
    AppState state(std::move(t.dict));
    apply_action(state, action::SetQuery{"tuli"});
    ASSERT_TRUE(find_suggestions(state));
    ASSERT_GE(state.suggestions.size(), 2U);
    const std::size_t count = state.suggestions.size();
    std::vector<std::string> shown;
    for (std::size_t k = 0; k <= count; ++k) {
        apply_action(state, action::StepSuggestion{1});
        ASSERT_TRUE(state.shown.has_value());
        shown.push_back(state.shown->headword);
    }
    EXPECT_EQ(shown.front(), state.suggestions.front().headword);
    EXPECT_EQ(shown.back(), shown.front()) << "round the list";
    apply_action(state, action::StepSuggestion{-1});
    EXPECT_EQ(state.shown->headword, state.suggestions.back().headword);
    apply_action(state, action::SetQuery{"kissa"});
    EXPECT_TRUE(state.suggestions.empty());
    apply_action(state, action::StepSuggestion{1});
    EXPECT_EQ(state.shown->headword, "kissa");
}

// Ctrl+T: the tables of the word shown, full-screen; Esc, Ctrl+T or a new
// query go back, to the screen as it was.
TEST(InflectionTable, OpensForTheWordShownAndClosesAsItCame) {
    testing::TestDictionary t = testing::fresh_analysed_dictionary();
    AppState state(std::move(t.dict));
    apply_action(state, action::SetQuery{"talossa"});
    apply_action(state, action::ToggleTable{});
    ASSERT_TRUE(state.table.has_value());
    EXPECT_EQ(state.table->word, "talo") << "the entry shown is the base's";
    ASSERT_FALSE(state.table->tables.empty());
    EXPECT_EQ(state.table->tables.front().lemma, "talo");
    EXPECT_TRUE(state.fullscreen);
    apply_action(state, action::ToggleTable{});
    EXPECT_FALSE(state.table.has_value());
    EXPECT_FALSE(state.fullscreen) << "as before the table";

    apply_action(state, action::ToggleFullscreen{});
    apply_action(state, action::ToggleTable{});
    apply_action(state, action::SetQuery{"kissa"});  // a form clicked in the table
    EXPECT_FALSE(state.table.has_value());
    EXPECT_TRUE(state.fullscreen) << "as before the table";
    EXPECT_EQ(state.query, "kissa");

    apply_action(state, action::ClearQuery{});
    apply_action(state, action::ToggleTable{});
    EXPECT_FALSE(state.table.has_value()) << "nothing shown, nothing to inflect";
}

}  // namespace
}  // namespace lomperi::view
