#pragma once
// The forms of the negation verb (en, älä) and of olla (olen) that a verb's
// table writes in front of the verb's own forms. They are the same for every
// verb, so they are generated once per transducer and shared by all threads.
#include <array>
#include <memory>
#include <string>

#include "core/analysis/analyser.hpp"
#include "core/analysis/form.hpp"

namespace lomperi::paradigm {

// A row of a verb's tenses: a person and number, or the passive.
struct PersonRow {
    analysis::Person person;
    analysis::Number number;
};
inline constexpr std::array<PersonRow, 7> kPersons = {{{analysis::Person::First, analysis::Number::Singular},
                                                       {analysis::Person::Second, analysis::Number::Singular},
                                                       {analysis::Person::Third, analysis::Number::Singular},
                                                       {analysis::Person::First, analysis::Number::Plural},
                                                       {analysis::Person::Second, analysis::Number::Plural},
                                                       {analysis::Person::Third, analysis::Number::Plural},
                                                       {analysis::Person::Passive, analysis::Number::None}}};

// One form for each of kPersons, empty where the transducer has none; the
// passive's is the singular third person's (ei puhuta, on puhuttu).
using PersonForms = std::array<std::string, kPersons.size()>;

struct AuxiliaryForms {
    PersonForms negation;             // en, et, ei, …
    PersonForms imperative_negation;  // –, älä, älköön, …
    PersonForms perfect;              // olen, olet, on, …
};

// Those of the analyser's transducer; all empty when it has none intact.
std::shared_ptr<const AuxiliaryForms> auxiliary_forms(const analysis::Analyser& analyser);

}  // namespace lomperi::paradigm
