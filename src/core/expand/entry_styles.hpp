#pragma once
// The colours of the entry pane and of secondary text elsewhere; a dim entry
// is the one kept on screen after the query was cleared.
#include "term/style.hpp"

namespace lomperi::expand {

inline term::Style grey() { return term::Style{}.with_fg(term::Color::DarkGray); }

inline term::Style headword_style(bool dim) {
    return dim ? grey() : term::Style{}.with_fg(term::Color::Cyan).adding(term::Bold);
}

inline term::Style pos_style(bool dim) { return dim ? grey() : term::Style{}.with_fg(term::Color::Yellow); }

inline term::Style meaning_style(bool dim) { return dim ? grey() : term::Style{}; }

inline term::Style expansion_style(int level, bool dim) {
    return level >= 2 && !dim ? grey().adding(term::Dim) : grey();
}

}  // namespace lomperi::expand
