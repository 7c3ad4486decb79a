// Every code told in each place: its --json name, the learner's cue, the
// short gloss, form_labels and the wording of machine-made meanings; then
// how a whole form's labels are put together.
#include "core/analysis/form_text.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/analysis/labels.hpp"

namespace lomperi::analysis {
namespace {

Form with_clitic(Clitic clitic) {
    Form form;
    form.clitics.push_back(clitic);
    return form;
}

struct Row {
    Form form;
    std::string_view json;
    std::string cue;
    std::string gloss;
    std::string labels;
    std::optional<std::string> wording;  // of the form as a verb's (a person, a mood) or a noun's
};

std::string_view json_of(const Form& f) {
    for (const std::string_view name :
         {label(f.person, f.number).json, label(f.grammatical_case).json, label(f.number).json, label(f.mood).json,
          label(f.tense).json, label(f.infinitive).json, label(f.participle).json, label(f.comparison).json,
          label(f.possessive).json}) {
        if (!name.empty()) return name;
    }
    return f.clitics.empty() ? std::string_view{} : label(*f.clitics.begin()).json;
}

TEST(FormText, EveryCodeInEachPlace) {
    using enum Case;
    const auto noun = [](Case c, Number n = Number::Singular) {
        return Form{.word_class = WordClass::Noun, .grammatical_case = c, .number = n};
    };
    const auto verb = [](Person p, Number n, Mood m, Tense t = Tense::None) {
        return Form{.word_class = WordClass::Verb, .number = n, .person = p, .mood = m, .tense = t};
    };
    const auto infinitive = [](Infinitive i) { return Form{.word_class = WordClass::Verb, .infinitive = i}; };
    const auto participle = [](Participle p) { return Form{.word_class = WordClass::Adjective, .participle = p}; };
    const auto possessive = [](Possessive p) { return Form{.possessive = p}; };
    const std::vector<Row> rows = {
        {noun(Nominative), "nominative", "", "", "basic form", "nominative singular"},
        {noun(Nominative, Number::Plural), "nominative", "(plural)", "plural", "nominative plural", "nominative plural"},
        {noun(Genitive), "genitive", "of", "of", "genitive singular", "genitive singular"},
        {noun(Partitive), "partitive", "some", "some", "partitive singular", "partitive singular"},
        {noun(Essive), "essive", "as", "as", "essive singular", "essive singular"},
        {noun(Translative, Number::Plural), "translative", "into (becoming) (plural)", "into.becoming.plural",
         "translative plural", "translative plural"},
        {noun(Inessive, Number::Plural), "inessive", "in (plural)", "in.plural", "inessive plural", "inessive plural"},
        {noun(Elative), "elative", "out of", "out.of", "elative singular", "elative singular"},
        {noun(Illative), "illative", "into", "into", "illative singular", "illative singular"},
        {noun(Adessive), "adessive", "on, at", "on.at", "adessive singular", "adessive singular"},
        // The plural qualifies the cue's last item, and a long gloss after another is left out.
        {noun(Adessive, Number::Plural), "adessive", "on, at (plural)", "on", "adessive plural", "adessive plural"},
        {noun(Ablative), "ablative", "from", "from", "ablative singular", "ablative singular"},
        // A gloss the one before already ends in is not repeated.
        {noun(Allative), "allative", "onto, to", "onto", "allative singular", "allative singular"},
        {noun(Abessive), "abessive", "without", "without", "abessive singular", "abessive singular"},
        {noun(Comitative, Number::Plural), "comitative", "with (plural)", "with.plural", "comitative plural",
         "comitative plural"},
        {noun(Instructive, Number::Plural), "instructive", "by means of (plural)", "by.means.of.plural",
         "instructive plural", "instructive plural"},
        {Form{.word_class = WordClass::Adjective, .grammatical_case = StiAdverb}, "-sti adverb", "-ly", "ly",
         "-sti adverb", std::nullopt},
        {noun(Accusative), "accusative", "(object)", "object", "accusative singular", "accusative singular"},
        {verb(Person::First, Number::Singular, Mood::Indicative, Tense::Present), "1", "I", "1sg", "present, 1sg",
         "first-person singular present indicative"},
        {verb(Person::First, Number::Plural, Mood::Indicative, Tense::Past), "1", "past, we", "past.1pl", "past, 1pl",
         "first-person plural past indicative"},
        {verb(Person::Second, Number::Singular, Mood::Imperative), "2", "(command), you", "command.2sg",
         "imperative, 2sg", "second-person singular imperative"},
        {verb(Person::Second, Number::Plural, Mood::Conditional), "2", "would, you (pl.)", "would.2pl",
         "conditional, 2pl", "second-person plural conditional"},
        {verb(Person::Third, Number::Singular, Mood::Potential), "3", "probably, he, she", "probably.3sg",
         "potential, 3sg", "third-person singular potential"},
        {verb(Person::Third, Number::Plural, Mood::Indicative, Tense::Present), "3", "they", "3pl", "present, 3pl",
         "third-person plural present indicative"},
        {verb(Person::Passive, Number::None, Mood::Indicative, Tense::Past), "passive", "past, (passive)",
         "past.passive", "past, passive", "passive past indicative"},
        {infinitive(Infinitive::A), "a", "to", "to", "a infinitive", "first infinitive"},
        {infinitive(Infinitive::E), "e", "while -ing", "while.ing", "e infinitive", "second infinitive"},
        {infinitive(Infinitive::Ma), "ma", "-ing", "ing", "ma infinitive", "third infinitive"},
        {infinitive(Infinitive::Minen), "minen", "the -ing", "the.ing", "minen infinitive", "fourth infinitive"},
        {infinitive(Infinitive::Mainen), "mainen", "about to", "about.to", "mainen infinitive", "fifth infinitive"},
        {participle(Participle::PresentActive), "present active", "-ing", "ing", "present active participle",
         "present active participle"},
        {participle(Participle::PresentPassive), "present passive", "to be -ed", "to.be.ed",
         "present passive participle", "present passive participle"},
        {participle(Participle::PastActive), "past active", "having -ed", "having.ed", "past active participle",
         "past active participle"},
        {participle(Participle::PastPassive), "past passive", "-ed", "ed", "past passive participle",
         "past passive participle"},
        {participle(Participle::Agent), "agent", "-ed by", "ed.by", "agent participle", "agent participle"},
        {participle(Participle::Negative), "negative", "un- -ed", "un.ed", "negative participle",
         "negative participle"},
        {Form{.grammatical_case = Nominative, .number = Number::Singular, .comparison = Comparison::Comparative},
         "nominative", "-er", "er", "nominative singular, comparative", "comparative degree"},
        {Form{.grammatical_case = Partitive, .number = Number::Singular, .comparison = Comparison::Superlative},
         "partitive", "some, -est", "some.est", "partitive singular, superlative",
         "partitive singular of the superlative degree"},
        {possessive(Possessive::FirstSingular), "1sg", "my", "my", "possessive 1sg", std::nullopt},
        {possessive(Possessive::SecondSingular), "2sg", "your", "your", "possessive 2sg", std::nullopt},
        {possessive(Possessive::FirstPlural), "1pl", "our", "our", "possessive 1pl", std::nullopt},
        {possessive(Possessive::SecondPlural), "2pl", "your (pl.)", "your.pl", "possessive 2pl", std::nullopt},
        {possessive(Possessive::Third), "3", "his, her, their", "his.her.their", "possessive 3", std::nullopt},
        {with_clitic(Clitic::Kin), "kin", "also", "also", "-kin", std::nullopt},
        {with_clitic(Clitic::Kaan), "kaan", "(not) either", "not.either", "-kaan", std::nullopt},
        {with_clitic(Clitic::Ko), "ko", "question", "question", "-ko", std::nullopt},
        {with_clitic(Clitic::Han), "han", "I wonder, you know", "I.wonder", "-han", std::nullopt},
        {with_clitic(Clitic::Pa), "pa", "(emphasis)", "emphasis", "-pa", std::nullopt},
        {with_clitic(Clitic::Pas), "pas", "(emphasis)", "emphasis", "-pas", std::nullopt},
        {with_clitic(Clitic::S), "s", "(softener)", "softener", "-s", std::nullopt},
    };
    for (const Row& row : rows) {
        const std::string what = row.labels + " / " + row.cue;
        EXPECT_EQ(json_of(row.form), row.json) << what;
        EXPECT_EQ(morph_cue(row.form), row.cue) << what;
        EXPECT_EQ(has_cue(row.form), !row.cue.empty()) << what;
        EXPECT_EQ(morph_cue(told_codes(row.form)), row.cue) << what;
        EXPECT_EQ(morph_gloss(row.form), row.gloss) << what;
        EXPECT_EQ(form_labels(row.form), row.labels) << what;
        const auto wording = form_wording(row.form);
        EXPECT_EQ(wording ? std::optional(wording->text) : std::nullopt, row.wording) << what;
    }
}

TEST(FormText, WordClassesAreNamedForJson) {
    const std::pair<WordClass, std::string_view> rows[] = {
        {WordClass::Noun, "noun"},           {WordClass::Adjective, "adjective"},
        {WordClass::NounAdjective, "adjective"}, {WordClass::Interjection, "interjection"},
        {WordClass::GivenName, "given name"}, {WordClass::Surname, "surname"},
        {WordClass::PlaceName, "place name"}, {WordClass::Name, "name"},
        {WordClass::Verb, "verb"},           {WordClass::Abbreviation, "abbreviation"},
        {WordClass::Adverb, "adverb"},       {WordClass::Numeral, "numeral"},
        {WordClass::RomanNumeral, "numeral"}, {WordClass::Pronoun, "pronoun"},
        {WordClass::Conjunction, "conjunction"}, {WordClass::Adposition, "adposition"},
        {WordClass::NegationVerb, "verb"},   {WordClass::Prefix, "prefix"},
        {WordClass::None, ""},
    };
    for (const auto& [code, json] : rows) EXPECT_EQ(label(code).json, json) << json;
}

// A whole word's form: its items in order, the glosses of several words
// only first, the basic form told as such.
TEST(FormText, AWholeFormInAFewWords) {
    Form kin;
    kin.clitics.push_back(Clitic::Kin);
    Form taloissammekin{.grammatical_case = Case::Inessive, .number = Number::Plural,
                        .possessive = Possessive::FirstPlural, .clitics = kin.clitics};
    Form lukisitkohan{.number = Number::Singular, .person = Person::Second, .mood = Mood::Conditional,
                      .tense = Tense::Present};
    lukisitkohan.clitics.push_back(Clitic::Ko);
    lukisitkohan.clitics.push_back(Clitic::Han);
    const std::tuple<Form, std::string, std::string> rows[] = {
        {taloissammekin, "inessive plural, possessive 1pl, -kin", "inessive.plural.kin"},
        {lukisitkohan, "conditional, present, 2sg, -ko, -han", "conditional.present.2sg.ko.han"},
        {Form{.grammatical_case = Case::Inessive, .infinitive = Infinitive::Ma}, "ma infinitive, inessive",
         "ma.infinitive.inessive"},
        {Form{.grammatical_case = Case::Nominative, .number = Number::Singular}, "basic form", ""},
        {Form{}, "basic form", ""},
    };
    for (const auto& [form, labels, gloss] : rows) {
        EXPECT_EQ(form_labels(form), labels);
        EXPECT_EQ(form_gloss(form), gloss) << labels;
    }
}

// The suffixes of a machine-made meaning, its clitics in the vowels of the word.
TEST(FormText, SuffixesAreWordedAfterTheWord) {
    Form form{.possessive = Possessive::SecondPlural};
    form.clitics.push_back(Clitic::Kaan);
    form.clitics.push_back(Clitic::Ko);
    form.clitics.push_back(Clitic::Han);
    EXPECT_EQ(suffix_wording(form, "talossannekaanko"),
              " with the second-person plural possessive suffix with the question clitic -ko with the clitic -kaan");
    EXPECT_EQ(suffix_wording(form, "kynässännekäänkö"),
              " with the second-person plural possessive suffix with the question clitic -kö with the clitic -kään");
    EXPECT_EQ(suffix_wording(Form{}, "talo"), "");
}

}  // namespace
}  // namespace lomperi::analysis
