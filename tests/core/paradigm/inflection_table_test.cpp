// Inflection tables on small hand-made transducers: each cell holds exactly
// the word's forms with its labels, verbs get their negative column, and
// homographs, compounds, words that do not inflect and damaged transducers
// are each told apart.
#include "core/paradigm/inflection_table.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "base/chunk_checks.hpp"
#include "base/crc32c.hpp"
#include "support/table_cells.hpp"
#include "support/test_transducer.hpp"

namespace lomperi::paradigm {
namespace {

using analysis::Case;
using analysis::Form;
using analysis::Mood;
using analysis::Negative;
using analysis::Number;
using analysis::Person;
using analysis::Tense;
using analysis::WordClass;
using lomperi::testing::lexicon;

using Opened = lomperi::testing::OpenedTransducer;
constexpr auto open = lomperi::testing::open_transducer;

const std::vector<std::string> kLexicon = {
    "[Ln][Ica][Xp]talo[X]talo[Sn][Ny]",
    "[Ln][Ica][Xp]talo[X]talo[Sn][Nm]t",
    "[Ln][Ica][Xp]talo[X]talo[Sg][Ny]n",
    "[Ln][Ica][Xp]talo[X]talo[Sg][Nm]jen",
    "[Ln][Ica][Xp]talo[X]talo[Sg][Nm]in",
    "[Ln][Ica][Xp]talo[X]talo[Sine][Ny]ssa",
    "[Ln][Ica][Xp]talo[X]talo[Sn][Ny][O1y]ni",
    "[Ln][Ica][Xp]talo[X]talo[Sg][Ny][O1y]ni",
    "[Ln][Ica][Xp]talo[X]talo[Sn][Ny][Fkin][Ef]kin",
    "[Ln][Ica][Xp]talo[X]talo[Sine][Ny][Fkin][Ef]ssakin",
    "[Ln][Xp]talous[X]talou[Sg][Ny]den",
    "[Ln][Xp]kissa[X]kiss[Sg][Ny]an[Bh][Bc][Ln][Xp]kello[X]kello[Sn][Ny]",
    "[Ln][Xp]kello[X]kello[Sn][Ny]",
    "[Ln][Xp]kello[X]kello[Sg][Ny]n",
    "[Lu][Xp]kuusi[X]kuu[Sn][Ny]si",
    "[Lu][Xp]kuusi[X]kuu[Sg][Ny]den",
    "[Ln][Xp]kuusi[X]kuus[Sn][Ny]i",
    "[Ln][Xp]kuusi[X]kuus[Sg][Ny]en",
    "[Ls][Xp]nyt[X]nyt",
    "[Lt][Xp]puhua[X]puhu[Tn1][Eb]a",
    "[Lt][Xp]puhua[X]puhu[Tt][Ap][P1][Ny][Ef]n",
    "[Lt][Xp]puhua[X]puhuu[Tt][Ap][P3][Ny][Ef]",
    "[Lt][Xp]puhua[X]puhu[Tk][Ap][P2][Ny][Eb]",
    "[Lt][Xp]puhua[X]puhu[Tt][Ai][P1][Ny][Ef]in",
    "[Lt][Xp]puhua[X]puhut[Tt][Ap][P4][Ef]aan",
    "[Lt][Xp]puhua[X]puhut[Tt][Ap][P4][Et]a",
    "[Lt][Xp]puhua[X]puhu[Ll][Ru]n[Xj]ut[X][Sn][Ny]ut",
    "[Lt][Xp]puhua[X]puhu[Ll][Ru]n[Xj]ut[X][Sn][Nm]eet",
    "[Lt][Xp]puhua[X]puhuu[Tt][Ap][P3][Ny][Ef][Fkin][Ef]kin",
    "[Lk][Tt][Xp]ei[X]e[P1][Ny]n",
    "[Lk][Tt][Xp]ei[X]e[P3][Ny]i",
    "[Lk][Tt][Xp]ei[X]e[P1][Nm]mme",
    "[Lt][Xp]olla[X]o[Tt][Ap][P1][Ny][Ef]len",
    "[Lt][Xp]kirjoittaa[X]kirjoitta[Tn1][Eb]a",
    "[Lt][Xp]kirjoittaa[X]kirjoitta[Ln][Xj]ja[X][Sn][Ny]ja",
    "[Lt][Xp]kirjoittaa[X]kirjoitta[Ln][Xj]ja[X][Sg][Ny]jan",
    "[Lt][Xp]kirjoittaa[X]kirjoit[Ln]u[Xj]s[X]s[Sn][Ny]",
    "[Lt][Xp]todistaa[X]todist[Ln][Xj]us[X]u[Sn][Ny]s",
    "[Lt][Xp]todistaa[X]todistaju[Ln][Xj]us[X]u[Sn][Ny]s",
    "[Ln][Xp]kone[X]kone[Sn][Ny][Bh][Bc][Lt][Xp]kirjoittaa[X]kirjoitta[Ln][Xj]ja[X][Sn][Ny]ja",
};

Form noun(WordClass word_class, Case c, Number n) { return testing::case_labels(word_class, c, n); }

Form verb(Mood mood, Tense tense, Person person, Number number, bool negative) {
    return testing::verb_labels(WordClass::Verb, mood, tense, person, number, negative);
}

// The forms of the cell with exactly these labels, joined as the front ends
// join them; "-" when the table has no such cell.
std::string cell(const InflectionTable& table, const Form& labels) {
    const paradigm::TableCell* found = testing::find_cell(table, labels);
    if (!found) return "-";
    std::string forms;
    for (const auto& form : found->forms) forms += (forms.empty() ? "" : ", ") + form;
    return forms;
}

std::uint64_t no_use(std::string_view) { return 0; }

TEST(InflectionTable, SetsEachFormOfANounInTheCellOfItsLabelsOnly) {
    const Opened opened = open(lexicon(kLexicon));
    const auto tables = inflection_tables(opened.analyser, "talossa", no_use);
    ASSERT_EQ(tables.size(), 1u);
    const InflectionTable& table = tables.front();
    EXPECT_EQ(table.lemma, "talo");
    EXPECT_EQ(table.word_class, WordClass::Noun);
    EXPECT_EQ(table.class_label, "noun");
    struct Case_ {
        Case grammatical_case;
        Number number;
        std::string forms;
    };
    const Case_ cases[] = {
        {Case::Nominative, Number::Singular, "talo"},
        {Case::Nominative, Number::Plural, "talot"},
        {Case::Genitive, Number::Singular, "talon"},  // not taloni, which has a possessive suffix
        {Case::Genitive, Number::Plural, "talojen, taloin"},
        {Case::Inessive, Number::Singular, "talossa"},  // not talossakin
        {Case::Inessive, Number::Plural, ""},
        {Case::Partitive, Number::Singular, ""},
        {Case::Accusative, Number::Singular, "-"},  // no accusative of its own
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cell(table, noun(WordClass::Noun, c.grammatical_case, c.number)), c.forms)
            << static_cast<int>(c.grammatical_case) << ' ' << static_cast<int>(c.number);
    }
    EXPECT_EQ(table.examples,
              (std::vector<std::string>{"with possessive suffixes: taloni", "with clitics: talokin"}));
    ASSERT_FALSE(table.sections.empty());
    ASSERT_GT(table.sections.front().rows.size(), 1u);
    EXPECT_EQ(table.sections.front().rows[1].label, "genitive");
    EXPECT_EQ(table.sections.front().columns, (std::vector<std::string>{"singular", "plural"}));
}

TEST(InflectionTable, OrdersVariantsByTheirUse) {
    const Opened opened = open(lexicon(kLexicon));
    struct Use {
        std::map<std::string, std::uint64_t> counts;
        std::string genitive_plural;
    };
    const Use uses[] = {
        {{}, "talojen, taloin"},
        {{{"taloin", 5}, {"talojen", 2}}, "taloin, talojen"},
        {{{"talojen", 5}, {"taloin", 2}}, "talojen, taloin"},
        {{{"taloin", 1}}, "taloin, talojen"},
    };
    for (const auto& u : uses) {
        const FormUse use = [&](std::string_view form) {
            const auto found = u.counts.find(std::string(form));
            return found == u.counts.end() ? std::uint64_t{0} : found->second;
        };
        const auto tables = inflection_tables(opened.analyser, "talo", use);
        ASSERT_EQ(tables.size(), 1u);
        EXPECT_EQ(cell(tables.front(), noun(WordClass::Noun, Case::Genitive, Number::Plural)), u.genitive_plural);
    }
}

TEST(InflectionTable, GivesAVerbItsNegativeColumn) {
    const Opened opened = open(lexicon(kLexicon));
    const auto tables = inflection_tables(opened.analyser, "puhun", no_use);
    ASSERT_EQ(tables.size(), 1u);
    const InflectionTable& table = tables.front();
    EXPECT_EQ(table.lemma, "puhua");
    EXPECT_EQ(table.word_class, WordClass::Verb);
    struct Row {
        Mood mood;
        Tense tense;
        Person person;
        Number number;
        bool negative;
        std::string forms;
    };
    const Row rows[] = {
        {Mood::Indicative, Tense::Present, Person::First, Number::Singular, false, "puhun"},
        {Mood::Indicative, Tense::Present, Person::First, Number::Singular, true, "en puhu"},
        {Mood::Indicative, Tense::Present, Person::Third, Number::Singular, false, "puhuu"},
        {Mood::Indicative, Tense::Present, Person::Third, Number::Singular, true, "ei puhu"},
        {Mood::Indicative, Tense::Present, Person::Second, Number::Singular, true, ""},  // no "et" in this lexicon
        {Mood::Indicative, Tense::Present, Person::Passive, Number::None, false, "puhutaan"},
        {Mood::Indicative, Tense::Present, Person::Passive, Number::None, true, "ei puhuta"},
        {Mood::Indicative, Tense::Past, Person::First, Number::Singular, false, "puhuin"},
        {Mood::Indicative, Tense::Past, Person::First, Number::Singular, true, "en puhunut"},
        {Mood::Indicative, Tense::Past, Person::First, Number::Plural, true, "emme puhuneet"},
        {Mood::Imperative, Tense::Present, Person::Second, Number::Singular, false, "puhu"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(cell(table, verb(r.mood, r.tense, r.person, r.number, r.negative)), r.forms) << r.forms;
    }
    Form a_infinitive;
    a_infinitive.word_class = WordClass::Verb;
    a_infinitive.infinitive = analysis::Infinitive::A;
    EXPECT_EQ(cell(table, a_infinitive), "puhua");
    EXPECT_EQ(table.examples, (std::vector<std::string>{"perfect: olen puhunut", "with clitics: puhuukin"}));
}

TEST(InflectionTable, GivesEachHomographItsOwnTable) {
    const Opened opened = open(lexicon(kLexicon));
    const auto tables = inflection_tables(opened.analyser, "kuusi", no_use);
    ASSERT_EQ(tables.size(), 2u);
    std::map<WordClass, std::string> genitives;
    for (const auto& table : tables) {
        EXPECT_EQ(table.lemma, "kuusi");
        genitives[table.word_class] = cell(table, noun(table.word_class, Case::Genitive, Number::Singular));
    }
    EXPECT_EQ(genitives, (std::map<WordClass, std::string>{{WordClass::Noun, "kuusen"}, {WordClass::Numeral, "kuuden"}}));
    // A form of one of them gives that one's table only.
    const auto of_spruce = inflection_tables(opened.analyser, "kuusen", no_use);
    ASSERT_EQ(of_spruce.size(), 1u);
    EXPECT_EQ(of_spruce.front().word_class, WordClass::Noun);
}

TEST(InflectionTable, GivesACompoundTheFormsOfItsLastPart) {
    const Opened opened = open(lexicon(kLexicon));
    const auto tables = inflection_tables(opened.analyser, "kissankello", no_use);
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables.front().lemma, "kissankello");
    EXPECT_EQ(cell(tables.front(), noun(WordClass::Noun, Case::Nominative, Number::Singular)), "kissankello");
    EXPECT_EQ(cell(tables.front(), noun(WordClass::Noun, Case::Genitive, Number::Singular)), "kissankellon");
}

TEST(InflectionTable, GivesADerivedWordTheFormsOfItsDerivationOnly) {
    const Opened opened = open(lexicon(kLexicon));
    struct Word {
        const char* word;
        const char* lemma;
        std::string nominative;
        std::string genitive;
    };
    const Word words[] = {
        {"kirjoittaja", "kirjoittaja", "kirjoittaja", "kirjoittajan"},
        {"kirjoittajan", "kirjoittaja", "kirjoittaja", "kirjoittajan"},
        {"kirjoitus", "kirjoitus", "kirjoitus", ""},
        {"todistus", "todistus", "todistus", ""},  // not todistajuus, which differs in its letters only
        {"konekirjoittaja", "konekirjoittaja", "konekirjoittaja", "konekirjoittajan"},
    };
    for (const auto& w : words) {
        const auto tables = inflection_tables(opened.analyser, w.word, no_use);
        ASSERT_EQ(tables.size(), 1u) << w.word;
        EXPECT_EQ(tables.front().lemma, w.lemma);
        EXPECT_EQ(tables.front().word_class, WordClass::Noun) << w.word;
        EXPECT_EQ(cell(tables.front(), noun(WordClass::Noun, Case::Nominative, Number::Singular)), w.nominative);
        EXPECT_EQ(cell(tables.front(), noun(WordClass::Noun, Case::Genitive, Number::Singular)), w.genitive);
    }
    // The verb's own table has none of its derivations.
    const auto verb_tables = inflection_tables(opened.analyser, "kirjoittaa", no_use);
    ASSERT_EQ(verb_tables.size(), 1u);
    EXPECT_EQ(verb_tables.front().word_class, WordClass::Verb);
    EXPECT_EQ(cell(verb_tables.front(), noun(WordClass::Verb, Case::Nominative, Number::Singular)), "-");
}

TEST(InflectionTable, GivesAWordThatDoesNotInflectATableWithoutSections) {
    const Opened opened = open(lexicon(kLexicon));
    const auto tables = inflection_tables(opened.analyser, "nyt", no_use);
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables.front().lemma, "nyt");
    EXPECT_TRUE(tables.front().sections.empty());
    EXPECT_TRUE(tables.front().examples.empty());
}

TEST(InflectionTable, GivesNoneForAnUnknownWordOrADamagedTransducer) {
    const Opened opened = open(lexicon(kLexicon));
    EXPECT_TRUE(inflection_tables(opened.analyser, "auto", no_use).empty());
    EXPECT_TRUE(inflection_tables(opened.analyser, "", no_use).empty());
    EXPECT_TRUE(inflection_tables(analysis::Analyser{}, "talo", no_use).empty());
    // Checked by chunks, as the embedded transducer is: one damaged byte
    // anywhere, in the states of these words or not, and no table is made.
    constexpr unsigned kShift = 6;
    std::vector<std::uint8_t> sums;
    for (std::size_t at = 0; at < opened.bytes.size(); at += std::size_t{1} << kShift) {
        const std::size_t length = std::min(std::size_t{1} << kShift, opened.bytes.size() - at);
        append_u32(sums, crc32c(Bytes(opened.bytes).subspan(at, length)));
    }
    for (const std::size_t at : {opened.bytes.size() - 3, opened.bytes.size() / 2}) {
        std::vector<std::uint8_t> damaged = opened.bytes;
        damaged[at] ^= 0x5A;
        auto analyser = analysis::Analyser::open(damaged, ChunkChecks(damaged, sums, kShift));
        ASSERT_TRUE(analyser.has_value()) << at;
        EXPECT_TRUE(inflection_tables(*analyser, "talo", no_use).empty()) << at;
        EXPECT_TRUE(inflection_tables(*analyser, "puhua", no_use).empty()) << at;
    }
    auto checked = analysis::Analyser::open(opened.bytes, ChunkChecks(opened.bytes, sums, kShift));
    ASSERT_TRUE(checked.has_value());
    EXPECT_EQ(inflection_tables(*checked, "talo", no_use).size(), 1u);
}

}  // namespace
}  // namespace lomperi::paradigm
