#pragma once
// A form told in words, from the rows of labels.hpp: for a learner beside a
// morph, as short glosses under it, in a few words, and in the wording of
// the data build's machine-made meanings.
#include <optional>
#include <string>
#include <string_view>

#include "core/analysis/form.hpp"

namespace lomperi::analysis {

// What a morph adds, for a learner: "in (plural)", "would, I", "also".
// Empty for a morph that adds nothing a learner is told (nominative
// singular, present indicative).
std::string morph_cue(const Form& form);
bool has_cue(const Form& form);

// The codes of a form that its cue tells: those a morph carries (no
// nominative, singular, indicative or present).
Form told_codes(Form form);

// The same as short glosses for --interlinear: "in.plural", "would.1sg".
std::string morph_gloss(const Form& form);

// A whole word's form in a few words: "inessive plural, possessive 1pl,
// -kin"; "past, 3sg"; "basic form".
std::string form_labels(const Form& form);

// The same as short glosses: "inessive.plural.kin"; empty for the basic form.
std::string form_gloss(const Form& form);

// How a machine-made meaning names a form: "third-person singular past
// indicative", "illative of the third infinitive", "partitive singular of
// the past passive participle", "comparative degree". `basic`: the form is
// its word's basic form (nominative singular, the A-infinitive). Nothing
// when the form says too little to be named.
struct FormWording {
    std::string text;
    bool basic = false;
};
std::optional<FormWording> form_wording(const Form& form);

// Its possessive suffix and clitics, as the meaning tells them after the
// word: " with the first-person singular possessive suffix with the clitic
// -kin"; the clitics written as after `written` ("-kö", "-kään" after front
// vowels).
std::string suffix_wording(const Form& form, std::string_view written);

}  // namespace lomperi::analysis
