// Readings of the words of a tiny dictionary, with voikko-fi's own outputs
// for them: every reading of each word stated, its attributes, compound
// parts, derivations and base form, and the word cut into morphs with what
// each adds.
#include "core/analysis/reading.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/analysis/analyser.hpp"
#include "core/analysis/form_text.hpp"
#include "support/test_transducer.hpp"

namespace lomperi::analysis {
namespace {

const std::vector<std::string> kOutputs = {
    "[Ln][Ica][Xp]talo[X]talo[Sine][Nm]issa[O1m]mme[Fkin][Ef]kin",
    "[Lt][Xp]juoksennella[X]juoksentel[Te][Ap][P1][Ny][Ef]isin[Fko][Ef]kohan",
    "[Lt][Xp]juoksennella[X]juoksentel[Te][Ap][P1][Ny][Ef]isin[Fko][Ef]ko",
    "[Ln][Ica][Xp]talo[X]talo[Sade][Ny]llapa[Ef]",
    "[Ln][Ica][Xp]talo[X]talo[Sade][Ny]lla",
    "[Ln][Xp]köysi[X]köy[Sg][Ny]den[Bh][Bc][Ln][Xp]veto[X]veto[Sp][Ny]a",
    "[Ln][Xp]köysi[X]köy[Sg][Ny]den[Bh][Bc][Ln][Xp]veto[X]veto[Sp][Ny]a",
    "[Ln][Xp]köysi[X]köy[Sg][Ny]den[Bh][Bc][Lt][Xp]vetää[X]ve[Ln][Xj]to[X]to[Sp][Ny]a",
    "[Lt][Xp]lukea[X]lue[Ll][Rt]ttu[Xj][X][Sp][Ny]a[O2y]si",
    "[Lt][Xp]lukea[X]luet[Tt][Ap][P4][Ef]aan",
    "[Lk][Tt][Xp]ei[X]e[P1][Ny]n",
    "[Lep][Xp]Helsinki[X]helsing[Sg][Ny]in-[Bc][Ln][Xp]matka[X]matka[Sade][Ny]lla",
    "[Lt][Xp]ottaa[X]ota[Tk][Ap][P2][Ny][Eb]",
    "[Ln][Ica][Xp]talo[X]talo[Sn][Ny][Bh][Bc][Ln][Xp]ansa[X]ans[Sn][Ny]a",
    "[Ln][Ica][Xp]talo[X]talo[Sp][Ny]a[O3]nsa",
    "[Ln][Ica][Xp]talo[X]talo[Sn][Ny]",
    "[Ll][Xp]nopea[X]nopea[Ssti]sti",
    "[Ll][Xp]hyvä[X]hyv[Cc][Sn][Ny]empi",
    "[Lr][Xp]joka[X]jo[Sp][Ny]ta[Fkin][Ef]kin",
    "[Lr][Xp]mikä[X]mi[Sela][Ny]stään",
    "[Lr][Xp]mikä[X]mi[Sela][Ny]stä",
    "[Lr][Xp]ken[X]ke[Sg][Ny]nen[Fkaan]kään",
    "[Lr][Xp]mikä[X]mi[Sp][Ny][Fkin]täkin",
    "[Ln][Xp]molempi[X]mole[Sn][Nm][Cc]mmat",
    "[Lt][Xp]parata[X]paran[Xj]taa[X]ne[Ll][Rt]t[Xj]tu[X]tu[Sn][Ny]",
};

Clitics clitics(std::initializer_list<Clitic> list) {
    Clitics out;
    for (const Clitic clitic : list) out.push_back(clitic);
    return out;
}

// The morphs as "text[cue]", a new compound part after " | ".
std::string cut(const Reading& reading) {
    std::string out;
    std::size_t part = 0;
    for (const Morph& morph : reading.morphs) {
        if (!out.empty()) out += morph.part != part ? " | " : " ";
        part = morph.part;
        out += morph.text;
        if (has_cue(morph.form)) out += "[" + morph_cue(morph.form) + "]";
    }
    return out;
}

struct Expected {
    std::string lemma;
    Form form;
    std::vector<ReadingPart> parts;
    std::string morphs;
    std::size_t derivations = 0;
};

TEST(Reading, EveryReadingOfTheWords) {
    const std::vector<std::uint8_t> bytes = lomperi::testing::lexicon(kOutputs);
    const auto analyser = Analyser::open(bytes);
    ASSERT_TRUE(analyser.has_value());
    const auto read = [&](std::string_view word) {
        return readings_of(word, analyser->raw_analyses(word),
                           [&](std::string_view stem) { return analyser->raw_analyses(stem); });
    };
    using enum WordClass;
    const std::vector<std::pair<std::string, std::vector<Expected>>> rows = {
        {"taloissammekin",
         {{"talo",
           {.word_class = Noun, .grammatical_case = Case::Inessive, .number = Number::Plural,
            .possessive = Possessive::FirstPlural, .clitics = clitics({Clitic::Kin})},
           {{"taloissammekin", "talo"}},
           "talo issa[in (plural)] mme[our] kin[also]"}}},
        // An untagged clitic is told by the same reading of the word without it.
        {"juoksentelisinkohan",
         {{"juoksennella",
           {.word_class = Verb, .number = Number::Singular, .person = Person::First, .mood = Mood::Conditional,
            .tense = Tense::Present, .clitics = clitics({Clitic::Ko, Clitic::Han}), .negative = Negative::No},
           {{"juoksentelisinkohan", "juoksennella"}},
           "juoksentel isin[would, I] ko[question] han[I wonder, you know]"}}},
        {"talollapa",
         {{"talo",
           {.word_class = Noun, .grammatical_case = Case::Adessive, .number = Number::Singular,
            .clitics = clitics({Clitic::Pa})},
           {{"talollapa", "talo"}},
           "talo lla[on, at] pa[(emphasis)]"}}},
        // The same output twice is one reading; a compound's base form is
        // its first parts as written and its last part's base form.
        {"köydenvetoa",
         {{"köydenveto",
           {.word_class = Noun, .grammatical_case = Case::Partitive, .number = Number::Singular},
           {{"köyden", "köysi"}, {"vetoa", "veto"}},
           "köy den[of] | veto a[some]"},
          {"köydenveto",
           {.word_class = Noun, .grammatical_case = Case::Partitive, .number = Number::Singular},
           {{"köyden", "köysi"}, {"vetoa", "vetää"}},
           "köy den[of] | veto a[some]",
           1}}},
        // A participle is an adjective derived from its verb.
        {"luettuasi",
         {{"luettu",
           {.word_class = Adjective, .grammatical_case = Case::Partitive, .number = Number::Singular,
            .participle = Participle::PastPassive, .possessive = Possessive::SecondSingular},
           {{"luettuasi", "lukea"}},
           "lue ttu[-ed] a[some] si[your]",
           1}}},
        {"luetaan",
         {{"lukea",
           {.word_class = Verb, .person = Person::Passive, .mood = Mood::Indicative, .tense = Tense::Present,
            .negative = Negative::No},
           {{"luetaan", "lukea"}},
           "luet aan[(passive)]"}}},
        {"en",
         {{"ei",
           {.word_class = NegationVerb, .number = Number::Singular, .person = Person::First, .mood = Mood::Indicative},
           {{"en", "ei"}},
           "e n[I]"}}},
        {"Helsingin-matkalla",
         {{"Helsingin-matka",
           {.word_class = Noun, .grammatical_case = Case::Adessive, .number = Number::Singular},
           {{"helsingin", "Helsinki"}, {"matkalla", "matka"}},
           "helsing in-[of] | matka lla[on, at]"}}},
        // A form that adds no letters is told by a morph without letters.
        {"ota",
         {{"ottaa",
           {.word_class = Verb, .number = Number::Singular, .person = Person::Second, .mood = Mood::Imperative,
            .tense = Tense::Present},
           {{"ota", "ottaa"}},
           "ota [(command), you]"}}},
        {"taloansa",
         {{"taloansa",
           {.word_class = Noun, .grammatical_case = Case::Nominative, .number = Number::Singular},
           {{"talo", "talo"}, {"ansa", "ansa"}},
           "talo | ans a"},
          {"talo",
           {.word_class = Noun, .grammatical_case = Case::Partitive, .number = Number::Singular,
            .possessive = Possessive::Third},
           {{"taloansa", "talo"}},
           "talo a[some] nsa[his, her, their]"}}},
        {"talo",
         {{"talo", {.word_class = Noun, .grammatical_case = Case::Nominative, .number = Number::Singular},
           {{"talo", "talo"}}, "talo"}}},
        {"nopeasti",
         {{"nopea", {.word_class = Adjective, .grammatical_case = Case::StiAdverb}, {{"nopeasti", "nopea"}},
           "nopea sti[-ly]"}}},
        {"hyvempi",
         {{"hyvä",
           {.word_class = Adjective, .grammatical_case = Case::Nominative, .number = Number::Singular,
            .comparison = Comparison::Comparative},
           {{"hyvempi", "hyvä"}},
           "hyv empi[-er]"}}},
        // The indefinite pronouns voikko reads as another pronoun with a clitic.
        {"jotakin",
         {{"jokin", {.word_class = Pronoun, .grammatical_case = Case::Partitive, .number = Number::Singular},
           {{"jotakin", "jokin"}}, "jo takin[some]"}}},
        {"mistään",
         {{"mikään", {.word_class = Pronoun, .grammatical_case = Case::Elative, .number = Number::Singular},
           {{"mistään", "mikään"}}, "mi stään[out of]"}}},
        {"mistä",
         {{"mikä", {.word_class = Pronoun, .grammatical_case = Case::Elative, .number = Number::Singular},
           {{"mistä", "mikä"}}, "mi stä[out of]"}}},
        {"kenenkään",
         {{"kukaan", {.word_class = Pronoun, .grammatical_case = Case::Genitive, .number = Number::Singular},
           {{"kenenkään", "kukaan"}}, "ke nenkään[of]"}}},
        // "whatever each": mikä with -kin is no indefinite pronoun.
        {"mitäkin",
         {{"mikä",
           {.word_class = Pronoun, .grammatical_case = Case::Partitive, .number = Number::Singular,
            .clitics = clitics({Clitic::Kin})},
           {{"mitäkin", "mikä"}}, "mi täkin[some, also]"}}},
        // A noun is not compared, though voikko tags its ending so.
        {"molemmat",
         {{"molempi", {.word_class = Noun, .grammatical_case = Case::Nominative, .number = Number::Plural},
           {{"molemmat", "molempi"}}, "mole mmat[(plural)]"}}},
        // A participle of a derived verb is that verb's, its root kept.
        {"parannettu",
         {{"parannettu",
           {.word_class = Adjective, .grammatical_case = Case::Nominative, .number = Number::Singular,
            .participle = Participle::PastPassive},
           {{"parannettu", "parantaa", "parata"}},
           "paranne ttu[-ed]",
           2}}},
        {"talox", {}},
    };
    for (const auto& [word, expected] : rows) {
        const auto readings = read(word);
        ASSERT_EQ(readings.size(), expected.size()) << word;
        for (std::size_t k = 0; k < readings.size(); ++k) {
            const Reading& got = readings[k];
            const Expected& want = expected[k];
            EXPECT_EQ(got.lemma, want.lemma) << word << " " << k;
            EXPECT_EQ(got.form, want.form) << word << " " << k;
            EXPECT_EQ(got.parts, want.parts) << word << " " << k;
            EXPECT_EQ(got.compound_parts, std::max<std::size_t>(1, want.parts.size())) << word << " " << k;
            EXPECT_EQ(got.derivations, want.derivations) << word << " " << k;
            EXPECT_EQ(cut(got), want.morphs) << word << " " << k;
        }
    }
}

TEST(Reading, TheBasicFormAddsNothingToTheStem) {
    const std::vector<std::uint8_t> bytes = lomperi::testing::lexicon(kOutputs);
    const auto analyser = Analyser::open(bytes);
    ASSERT_TRUE(analyser.has_value());
    const std::vector<std::pair<std::string, bool>> rows = {
        {"talo", true}, {"talolla", false}, {"luettuasi", false}, {"talollapa", false}, {"ota", false},
    };
    for (const auto& [word, basic] : rows) {
        const auto readings = readings_of(word, analyser->raw_analyses(word), nullptr);
        ASSERT_FALSE(readings.empty()) << word;
        EXPECT_EQ(is_basic_form(readings.front()), basic) << word;
    }
}

}  // namespace
}  // namespace lomperi::analysis
