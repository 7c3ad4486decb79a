#pragma once
// The inflection table of a word: its forms generated from the analyser's
// transducer (analysis/generator.hpp), each labelled by its own analysis and
// set in the cell whose labels it has.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/analyser.hpp"
#include "core/analysis/form.hpp"

namespace lomperi::paradigm {

struct TableCell {
    std::vector<std::string> forms;  // variants, the most used first; empty: none found
    analysis::Form form;             // the cell's labels, as codes
};

struct TableRow {
    std::string label;             // "nominative", "1st person singular", "A infinitive", ...
    std::vector<TableCell> cells;  // one per column
};

struct TableSection {
    std::string title;                 // "cases", "indicative present", "comparative", "infinitives", ...
    std::vector<std::string> columns;  // "singular", "plural" / "affirmative", "negative" / "form"
    std::vector<TableRow> rows;
};

struct InflectionTable {
    std::string lemma;
    analysis::WordClass word_class = analysis::WordClass::None;
    std::string class_label;  // the learner's word for the class: "noun", "verb", "numeral", ...
    std::vector<TableSection> sections;  // none: the word does not inflect
    std::vector<std::string> examples;   // "perfect: olen puhunut, …", "with possessive suffixes: taloni, …"
};

// How often a form is used; 0: unknown.
using FormUse = std::function<std::uint64_t(std::string_view form)>;

// The tables of every word that `word` is a form of (a headword or any form;
// a homograph of two classes gives one table each, kuusi the numeral and
// kuusi the spruce), in the order of its readings. A compound gets the table
// of its last part with the earlier parts in front (kissankello), a derived
// word the forms of its derivation (kirjoittaja, ohjelmointi). Empty when
// the analyser reads no word.
std::vector<InflectionTable> inflection_tables(const analysis::Analyser& analyser, std::string_view word,
                                               const FormUse& use);

}  // namespace lomperi::paradigm
