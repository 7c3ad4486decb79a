#pragma once
// Finding a cell of an inflection table by its labels, for the tests of the
// tables.
#include "core/analysis/form.hpp"
#include "core/paradigm/inflection_table.hpp"

namespace lomperi::testing {

// The labels of a case form, a comparison's when given.
inline analysis::Form case_labels(analysis::WordClass word_class, analysis::Case c, analysis::Number n,
                                  analysis::Comparison comparison = analysis::Comparison::None) {
    analysis::Form f;
    f.word_class = word_class;
    f.grammatical_case = c;
    f.number = n;
    f.comparison = comparison;
    return f;
}

inline analysis::Form verb_labels(analysis::WordClass word_class, analysis::Mood mood, analysis::Tense tense,
                                  analysis::Person person, analysis::Number number, bool negative) {
    analysis::Form f;
    f.word_class = word_class;
    f.mood = mood;
    f.tense = tense;
    f.person = person;
    f.number = number;
    if (negative) f.negative = analysis::Negative::Yes;
    return f;
}

// The cell with exactly these labels; labels without a word class take the
// table's. Null when the table has no such cell.
inline const paradigm::TableCell* find_cell(const paradigm::InflectionTable& table, analysis::Form labels) {
    if (labels.word_class == analysis::WordClass::None) labels.word_class = table.word_class;
    for (const auto& section : table.sections) {
        for (const auto& row : section.rows) {
            for (const auto& c : row.cells) {
                if (c.form == labels) return &c;
            }
        }
    }
    return nullptr;
}

}  // namespace lomperi::testing
