// Inflection tables over the embedded transducer: cells of frequent words of
// each class hold the forms a learner expects, and adjectives, whose forms
// with possessives and clitics outnumber the others many times, keep all
// their cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/paradigm/inflection_table.hpp"
#include "embedded_dictionary.hpp"
#include "support/table_cells.hpp"

namespace lomperi::paradigm {
namespace {

using analysis::Case;
using analysis::Comparison;
using analysis::Form;
using analysis::Mood;
using analysis::Negative;
using analysis::Number;
using analysis::Person;
using analysis::Tense;
using analysis::WordClass;

std::uint64_t no_use(std::string_view) { return 0; }

// The forms of the cell of `table` with these labels, in the table's word class.
std::vector<std::string> cell(const InflectionTable& table, const Form& labels) {
    const TableCell* found = testing::find_cell(table, labels);
    return found ? found->forms : std::vector<std::string>{"(no such cell)"};
}

Form case_form(Case c, Number n, Comparison comparison = Comparison::None) {
    return testing::case_labels(WordClass::None, c, n, comparison);
}

Form verb_form(Mood mood, Tense tense, Person person, Number number, bool negative) {
    return testing::verb_labels(WordClass::None, mood, tense, person, number, negative);
}

TEST(InflectionTables, HoldTheFormsOfFrequentWords) {
    const auto& analyser = morphology::embedded_dictionary().analyser;
    struct Expected {
        const char* word;
        const char* lemma;
        Form labels;
        const char* form;
    };
    const Expected expected[] = {
        {"talo", "talo", case_form(Case::Genitive, Number::Plural), "talojen"},
        {"talossa", "talo", case_form(Case::Nominative, Number::Singular), "talo"},
        {"omena", "omena", case_form(Case::Genitive, Number::Plural), "omenoiden"},
        {"omena", "omena", case_form(Case::Genitive, Number::Plural), "omenien"},
        {"hyvä", "hyvä", case_form(Case::Genitive, Number::Singular), "hyvän"},
        {"hyvä", "hyvä", case_form(Case::Inessive, Number::Plural), "hyvissä"},
        {"hyvä", "hyvä", case_form(Case::Nominative, Number::Singular, Comparison::Comparative), "parempi"},
        {"hyvä", "hyvä", case_form(Case::Nominative, Number::Singular, Comparison::Superlative), "paras"},
        {"kaunis", "kaunis", case_form(Case::Nominative, Number::Singular), "kaunis"},
        {"kaunis", "kaunis", case_form(Case::Illative, Number::Singular), "kauniiseen"},
        {"puhua", "puhua", verb_form(Mood::Indicative, Tense::Past, Person::First, Number::Singular, true), "en puhunut"},
        {"puhua", "puhua", verb_form(Mood::Indicative, Tense::Present, Person::First, Number::Singular, true), "en puhu"},
        {"puhua", "puhua", verb_form(Mood::Conditional, Tense::Present, Person::Third, Number::Plural, false), "puhuisivat"},
        {"tehdä", "tehdä", verb_form(Mood::Indicative, Tense::Present, Person::Passive, Number::None, false), "tehdään"},
        {"tehdä", "tehdä", verb_form(Mood::Imperative, Tense::Present, Person::Second, Number::Singular, true), "älä tee"},
        // A verb in -ta/-tä: its connegative is tagged as the present's third person.
        {"lisätä", "lisätä", verb_form(Mood::Indicative, Tense::Present, Person::First, Number::Singular, true), "en lisää"},
        {"vastata", "vastata", verb_form(Mood::Imperative, Tense::Present, Person::Second, Number::Singular, false), "vastaa"},
        {"vastata", "vastata", verb_form(Mood::Imperative, Tense::Present, Person::Second, Number::Singular, true), "älä vastaa"},
        {"kissankello", "kissankello", case_form(Case::Genitive, Number::Singular), "kissankellon"},
        {"ohjelmointi", "ohjelmointi", case_form(Case::Genitive, Number::Singular), "ohjelmoinnin"},
        {"tietokoneohjelmointi", "tietokoneohjelmointi", case_form(Case::Inessive, Number::Singular),
         "tietokoneohjelmoinnissa"},
        {"kirjoittajan", "kirjoittaja", case_form(Case::Partitive, Number::Plural), "kirjoittajia"},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(std::string(e.word) + " " + e.form);
        const auto tables = inflection_tables(analyser, e.word, no_use);
        const auto table = std::ranges::find(tables, std::string(e.lemma), &InflectionTable::lemma);
        ASSERT_NE(table, tables.end());
        const auto forms = cell(*table, e.labels);
        ASSERT_FALSE(forms.empty());
        EXPECT_NE(std::ranges::find(forms, std::string(e.form)), forms.end()) << forms.size() << " forms, the first " << forms.front();
    }
}

// At a like use, the old and the rarer plural genitives come last.
TEST(InflectionTables, TheRarerVariantsOfACellComeLast) {
    const auto& analyser = morphology::embedded_dictionary().analyser;
    struct Expected {
        const char* word;
        std::vector<std::string> rarer;
    };
    const Expected expected[] = {{"kissa", {"kissain"}}, {"omena", {"omenain", "omenoitten"}}, {"maa", {"maitten"}}};
    for (const auto& e : expected) {
        const auto tables = inflection_tables(analyser, e.word, no_use);
        ASSERT_FALSE(tables.empty()) << e.word;
        const auto forms = cell(tables.front(), case_form(Case::Genitive, Number::Plural));
        ASSERT_GT(forms.size(), e.rarer.size()) << e.word;
        std::vector<std::string> last(forms.end() - static_cast<std::ptrdiff_t>(e.rarer.size()), forms.end());
        std::ranges::sort(last);
        EXPECT_EQ(last, e.rarer) << e.word;
    }
}

TEST(InflectionTables, KeepTheTwoWordsKuusiApart) {
    const auto& analyser = morphology::embedded_dictionary().analyser;
    std::vector<std::pair<WordClass, std::vector<std::string>>> genitives;
    for (const auto& table : inflection_tables(analyser, "kuusi", no_use)) {
        if (table.lemma == "kuusi") genitives.emplace_back(table.word_class, cell(table, case_form(Case::Genitive, Number::Singular)));
    }
    std::ranges::sort(genitives);
    const std::vector<std::pair<WordClass, std::vector<std::string>>> expected = {
        {WordClass::Noun, {"kuusen"}}, {WordClass::Numeral, {"kuuden"}}};
    EXPECT_EQ(genitives, expected);
}

}  // namespace
}  // namespace lomperi::paradigm
