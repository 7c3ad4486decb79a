#pragma once
// What each code of a form (form.hpp) is called, in every place the program
// tells it: one row per code. How the rows are put together for a whole form
// is in form_text.hpp.
#include <array>
#include <string_view>

#include "core/analysis/form.hpp"

namespace lomperi::analysis {

struct Label {
    // Its name in --json: "inessive", "present active".
    std::string_view json;
    // What a learner is told of it before its morph in the analysis lines:
    // "-ssa in". Empty where a learner is told nothing (nominative, present).
    std::string_view cue;
    // The cue as short glosses for --interlinear: each of the cue's items one
    // token ("on", "at"), its words joined by dots ("into.becoming").
    std::array<std::string_view, 3> gloss;
    // Its name in form_labels: "inessive", "a infinitive", "possessive 1sg".
    std::string_view name;
    // Its wording in the data build's machine-made meanings: "inessive",
    // "first infinitive", "third-person singular", "comparative degree";
    // "question clitic" of the meaning "... with the question clitic -ko".
    std::string_view wording;
    // Its row in an inflection table where that differs from `name`:
    // "1st person singular", "A infinitive".
    std::string_view table = {};
};

// The row of a code; an empty row for None.
const Label& label(WordClass code);
const Label& label(Case code);
const Label& label(Number code);
// A person is told with its number: "I", "we"; a person without a number as singular.
const Label& label(Person code, Number number);
const Label& label(Mood code);
const Label& label(Tense code);
const Label& label(Infinitive code);
const Label& label(Participle code);
const Label& label(Comparison code);
const Label& label(Possessive code);
const Label& label(Negative code);
const Label& label(Clitic code);

// Whether a machine-made meaning's wording of a form may begin with the
// word: "inessive", "third-person", "present", "first" (infinitive).
bool begins_form_wording(std::string_view word);

}  // namespace lomperi::analysis
