#pragma once
#include "core/view/app_state.hpp"
#include "support/test_data.hpp"

namespace lomperi::testing {

// A small dictionary with nouns that have forms, a two-byte letter, a word
// whose only base has no gloss record, and many headwords starting with "s".
inline TestDictionary view_dictionary() {
    std::vector<TestHeadword> headwords = {
        {"hyvä", {{"adj", {"good"}}}},
        {"hyvin", {{"adv", {"well"}}}},
        {"kissa", {{"noun", {"cat"}}}},
        {"kissat", {{"noun", {"plural of kissa"}}}},
        {"talo", {{"noun", {"house", "building"}}}},
    };
    for (int i = 0; i < 60; ++i) headwords.push_back({"sana" + std::to_string(100 + i), {{"noun", {"word"}}}});
    std::vector<TestForm> forms = {
        {"hyvää", {"hyvä"}},  {"kissan", {"kissa"}}, {"kissoja", {"kissa"}},
        {"talossa", {"talo"}}, {"talon", {"talo"}},  {"taloon", {"talo"}},
    };
    return make_test_dictionary(headwords, forms);
}

// The lists of the dictionary screen; the test fails on another screen.
inline view::DictionaryScreen& lists(view::AppState& state) { return std::get<view::DictionaryScreen>(state.screen); }
inline const view::DictionaryScreen& lists(const view::AppState& state) {
    return std::get<view::DictionaryScreen>(state.screen);
}

inline std::optional<std::string> shown_headword(const view::AppState& state) {
    if (!state.shown) return std::nullopt;
    return state.shown->headword;
}

inline std::optional<std::string> kept_headword(const view::AppState& state) {
    if (!state.kept) return std::nullopt;
    return state.kept->headword;
}

}  // namespace lomperi::testing
