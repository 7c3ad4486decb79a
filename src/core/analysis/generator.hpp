#pragma once
// Generation: the forms of a word, found by walking the analyser's
// transducer with its output side held to the word's analyses
// ("[Ln]…[Xp]talo[X]…") and its input side, the form, free. The walk leaves
// the paths an inflection table does not use, so that it stays small: a
// compound's next part, derivations other than the participles, an untagged
// clitic, and possessive suffixes and tagged clitics unless asked for.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/analyser.hpp"

namespace lomperi::analysis {

struct GeneratedForm {
    std::string form;
    std::string analysis;  // the raw analysis, as the analyser gives it for the form
    friend bool operator==(const GeneratedForm&, const GeneratedForm&) = default;
};

struct GenerationRules {
    // The class tag the analysis starts with ("[Ln]", "[Lt]"); empty: any.
    std::string class_tag;
    // What a derived word's analysis writes after its base form up to its
    // last derivation's end ("ohjelmoi[Ln]n[Xj]ti[X]" of ohjelmointi): held
    // as the base form is; empty: none.
    std::string derivation;
    bool possessives = false;     // [O..]
    bool tagged_clitics = false;  // [Fkin], [Fkaan], [Fko]
    // When set, a possessive or tagged clitic is followed only where this
    // holds of the analysis written so far (on the forms that need them):
    // the other paths would multiply the walk many times over.
    std::function<bool(std::string_view analysis)> suffix_after;
    // When set, a tag past the base form is written only where this holds
    // of it: a walk for one form ("[Sn]", "[Nm]") leaves the others at once.
    std::function<bool(std::string_view tag)> tag_allowed;
    // Bounds on one walk: transitions taken, path length, forms found.
    std::uint32_t max_steps = 400000;
    std::size_t max_depth = 200;
    std::size_t max_forms = 4000;
};

struct Generation {
    std::vector<GeneratedForm> forms;  // in the transducer's order
    bool cut_short = false;            // a bound ended the walk
};

// The forms of `lemma` (its base form as the transducer writes it between
// [Xp] and [X]) under `rules`; none when the analyser has no intact
// transducer.
Generation generate_forms(const Analyser& analyser, std::string_view lemma, const GenerationRules& rules);

}  // namespace lomperi::analysis
