#pragma once
// The dictionary screen: the query searched in one direction, and the two
// lists it fills with their selections.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/morphology/headword_search.hpp"
#include "core/morphology/inflection_lookup.hpp"
#include "core/view/action.hpp"

namespace lomperi::view {

// Finnish headwords and their forms, or the Finnish headwords whose meanings
// hold the English words typed.
enum class Direction : std::uint8_t { FinnishToEnglish, EnglishToFinnish };

struct DictionaryScreen {
    Direction direction = Direction::FinnishToEnglish;
    std::vector<morphology::HeadwordMatch> matches;
    std::vector<morphology::InflectionCandidate> candidates;
    std::array<std::size_t, 2> selected{0, 0};  // indexed by Focus
    Focus focus = Focus::Matches;
    // The chosen entry is shown though no row of the lists holds it (a
    // reading's lemma); moving in a list shows the rows' entries again.
    bool shows_choice = false;

    bool english() const { return direction == Direction::EnglishToFinnish; }
};

}  // namespace lomperi::view
