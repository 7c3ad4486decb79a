// Words of running text read by the words before them, on the small
// analysed dictionary: each rule with its example word sequences.
#include "core/answer/neighbour_rules.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/analysis/form_text.hpp"
#include "core/answer/answer.hpp"
#include "core/morphology/analysis.hpp"
#include "support/analysed_data.hpp"
#include "support/test_transducer.hpp"

namespace lomperi::answer {
namespace {

using analysis::Mood;
using analysis::Negative;

// The words read one after another by `rules`; the readings of the last.
std::vector<analysis::Reading> read_in_turn(const morphology::Dictionary& dictionary,
                                            const std::vector<std::string>& words, NeighbourRules& rules) {
    std::vector<analysis::Reading> readings;
    for (const auto& word : words) {
        readings = morphology::analyse(dictionary, word);
        rules.read(word, readings);
    }
    return readings;
}

std::vector<analysis::Reading> read_in_turn(const morphology::Dictionary& dictionary, const std::vector<std::string>& words) {
    NeighbourRules rules;
    return read_in_turn(dictionary, words, rules);
}

// The form the last word of the sequence is told as.
std::string last_read(const std::vector<std::string>& words) {
    const auto readings = read_in_turn(testing::analysed_dictionary().dict, words);
    return readings.empty() ? "" : analysis::form_labels(readings.front().form);
}

TEST(NeighbourRules, AfterANegationVerbItsVerbIsTheConnegative) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> rows = {
        {{"ole"}, "imperative, present, 2sg"},
        {{"en", "ole"}, "negative"},
        // Up to four words may stand between.
        {{"en", "minä", "ole"}, "negative"},
        {{"en", "minä", "talo", "ole"}, "negative"},
        {{"en", "minä", "talo", "kissa", "hyvä", "ole"}, "negative"},
        {{"en", "minä", "talo", "kissa", "hyvä", "kirja", "ole"}, "imperative, present, 2sg"},
        // A personal or demonstrative pronoun stands between, whatever verb it may also be.
        {{"en", "siitä", "ole"}, "negative"},
        // Another pronoun's form right after the negation is the verb it is spelt like;
        // further on, it stands between.
        {{"en", "muuta"}, "negative"},
        {{"en", "mitään", "muuta"}, "partitive singular"},
        // A question's negation takes the focus clitic a statement's does not.
        {{"eivätkö", "olekin"}, "negative, -kin"},
        {{"en", "olekin"}, "imperative, present, 2sg, -kin"},
        // olla's infinitive after the negation is the passive's connegative.
        {{"ei", "olla"}, "negative, present, passive"},
        {{"olla"}, "a infinitive"},
        // A verb joined by "ja" to a connegative is one too; only the next word.
        {{"en", "ole", "ja", "ole"}, "negative"},
        {{"en", "ole", "talo", "ja", "ole"}, "imperative, present, 2sg"},
        {{"en", "ole", "ja", "talo", "ole"}, "imperative, present, 2sg"},
        // The command's negation takes the command's connegative.
        {{"älä", "ole"}, "imperative, negative"},
        // The negation is taken by its verb: a second verb is read as itself.
        {{"en", "ole", "ole"}, "imperative, present, 2sg"},
        // A form the negation verb never takes is left as it is.
        {{"en", "olen"}, "present, 1sg"},
    };
    for (const auto& [words, told] : rows) EXPECT_EQ(last_read(words), told) << words.back() << " of " << words.size();
}

TEST(NeighbourRules, AfterAModalVerbItsVerbIsTheFirstInfinitive) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> rows = {
        {{"voit", "piilottaa"}, "a infinitive"},
        {{"voit", "minä", "piilottaa"}, "a infinitive"},
        {{"voit", "minä", "talo", "kissa", "piilottaa"}, "present, 3sg"},
        // The connegative of a modal verb takes the infinitive too.
        {{"en", "voi", "piilottaa"}, "a infinitive"},
        {{"talo", "piilottaa"}, "present, 3sg"},
    };
    for (const auto& [words, told] : rows) EXPECT_EQ(last_read(words), told) << words.front() << " … " << words.back();
}

TEST(NeighbourRules, AfterASubjectItsVerbIsTheThirdPerson) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> rows = {
        {{"tilaa"}, "partitive singular"},
        {{"se", "tilaa"}, "present, 3sg"},
        {{"talo", "tilaa"}, "present, 3sg"},
        // Only right after the subject, and only after a nominative singular one.
        {{"se", "talossa", "tilaa"}, "partitive singular"},
        {{"sitä", "tilaa"}, "partitive singular"},
        {{"talot", "tilaa"}, "partitive singular"},
        // A noun of an amount is followed by what it measures (osa tilaa: part of the space).
        {{"osa", "tilaa"}, "partitive singular"},
    };
    for (const auto& [words, told] : rows) EXPECT_EQ(last_read(words), told) << words.front() << " … " << words.back();
}

TEST(NeighbourRules, AfterAnAdjectiveOrNumeralANounInAgreement) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> rows = {
        {{"tuki"}, "past, 3sg"},
        {{"hyvä", "tuki"}, "basic form"},
        // Only after an adjective or a numeral, not after a noun.
        {{"talo", "tuki"}, "past, 3sg"},
    };
    for (const auto& [words, told] : rows) EXPECT_EQ(last_read(words), told) << words.front() << " … " << words.back();
}

TEST(NeighbourRules, ALabelInASentenceIsACommandNotACaseForm) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> rows = {
        // "valitse Muuta": a capital inside a sentence names a menu item.
        {{"talo", "Muuta"}, "imperative, present, 2sg"},
        // Not a sentence's first word, even after a dash; not a word in lower case.
        {{"Muuta"}, "partitive singular"},
        {{"−", "Muuta"}, "partitive singular"},
        {{"talo", "muuta"}, "partitive singular"},
        // No command to read it as: the case form stays.
        {{"talo", "Talossa"}, "inessive singular"},
        // A word in capitals is no label's spelling.
        {{"talo", "MUUTA"}, "partitive singular"},
    };
    for (const auto& [words, told] : rows) EXPECT_EQ(last_read(words), told) << words.front() << " … " << words.back();

    // "talo Tulosta": print, not from income; "talo Yleistä": General, not generalise.
    using testing::TestHeadword;
    const std::vector<TestHeadword> headwords = {
        {"tulo", {{"noun", {"income"}}}},
        {"tulostaa", {{"verb", {"print"}}}},
        {"yleinen", {{"adjective", {"general"}}}},
        {"yleistää", {{"verb", {"generalise"}}}},
    };
    const auto t = testing::make_analysed_dictionary(headwords, {}, testing::lexicon({
        "[Ln][Xp]tulo[X]tulo[Sela][Ny]sta",
        "[Lt][Xp]tulostaa[X]tulosta[Tk][Ap][P2][Ny]",
        "[Ll][Xp]yleinen[X]yleis[Sp][Ny]tä",
        "[Lt][Xp]yleistää[X]yleistä[Tk][Ap][P2][Ny]",
    }));
    const std::vector<std::pair<std::string, std::string>> labels = {{"Tulosta", "tulostaa"}, {"Yleistä", "yleinen"}};
    for (const auto& [label, lemma] : labels) {
        NeighbourRules rules;
        auto before = morphology::analyse(testing::analysed_dictionary().dict, "talo");
        rules.read("talo", before);
        auto readings = morphology::analyse(t.dict, label);
        rules.read(label, readings);
        ASSERT_FALSE(readings.empty()) << label;
        EXPECT_EQ(readings.front().lemma, lemma) << label;
    }
}

// The lemma and class the last word is read as, on `dictionary`.
std::pair<std::string, analysis::WordClass> last_lemma(const morphology::Dictionary& dictionary,
                                                       const std::vector<std::string>& words) {
    const auto readings = read_in_turn(dictionary, words);
    if (readings.empty()) return {};
    return {readings.front().lemma, readings.front().form.word_class};
}

TEST(NeighbourRules, AfterOllaItsPastParticipleIsTheVerbs) {
    using testing::TestHeadword;
    using analysis::WordClass;
    const std::vector<TestHeadword> headwords = {
        {"olla", {{"verb", {"be"}}}},
        {"tehdä", {{"verb", {"do, make"}}}},
        {"tehty", {{"adj", {"constructed"}}}},
        {"taata", {{"noun", {"geezer"}}, {"verb", {"guarantee"}}}},
        {"huutaa", {{"verb", {"shout"}}}},
        {"jo", {{"adv", {"already"}}}},
        {"kun", {{"conj", {"when"}}}},
        {"ei", {{"verb", {"not"}}}},
    };
    const auto t = testing::make_analysed_dictionary(headwords, {}, testing::lexicon({
        "[Lt][Xp]olla[X]o[Tt][Ap][P3][Ny][Ef]n",
        "[Lt][Xp]olla[X]ole[Tk][Ap][P2][Ny][Eb]",
        "[Lt][Xp]tehdä[X]teh[Ll][Rt][Xj]ty[X]ty[Sn][Ny]",
        "[Lt][Xp]taata[X]taan[Ll][Ru]n[Xj]ut[X][Sn][Nm]eet",
        "[Lt][Xp]huutaa[X]huuta[Ll][Ru]n[Xj]ut[X][Sn][Ny]ut",
        "[Ls][Xp]jo[X]jo",
        "[Lc][Xp]kun[X]kun",
        "[Lk][Tt][Xp]ei[X]e[P3][Ny]i",
    }));
    struct Row {
        std::vector<std::string> words;
        std::string lemma;
        WordClass word_class;
    };
    const std::vector<Row> rows = {
        // Alone, the participle is itself, an adjective.
        {{"tehty"}, "tehty", WordClass::Adjective},
        // The perfect: on tehty, on jo tehty, ovat taanneet.
        {{"on", "tehty"}, "tehdä", WordClass::Verb},
        {{"on", "jo", "tehty"}, "tehdä", WordClass::Verb},
        {{"on", "taanneet"}, "taata", WordClass::Verb},
        // Not over a conjunction, which begins another clause.
        {{"on", "kun", "tehty"}, "tehty", WordClass::Adjective},
        // After a negation verb, the participle is its verb's too, as the connegative.
        {{"on", "kun", "ei", "huutanut"}, "huutaa", WordClass::Verb},
        {{"ei", "huutanut"}, "huutaa", WordClass::Verb},
        // Not three words on.
        {{"on", "jo", "jo", "jo", "tehty"}, "tehty", WordClass::Adjective},
    };
    for (const auto& row : rows) {
        const auto [lemma, word_class] = last_lemma(t.dict, row.words);
        EXPECT_EQ(lemma, row.lemma) << row.words.front() << " … " << row.words.back();
        EXPECT_EQ(word_class, row.word_class) << row.words.front() << " … " << row.words.back();
    }
    // A negation verb after olla takes the participle itself: "se on, kun ei huutanut" is negative.
    {
        const auto readings = read_in_turn(t.dict, {"on", "ei", "huutanut"});
        ASSERT_FALSE(readings.empty());
        EXPECT_EQ(readings.front().form.negative, Negative::Yes);
    }
    // The entry is the verb's, in the verb's sense: not tehty's "constructed", not taata's noun.
    const std::vector<std::pair<std::string, std::string>> meanings = {{"tehty", "do, make"}, {"taanneet", "guarantee"}};
    for (const auto& [word, meaning] : meanings) {
        NeighbourRules rules;
        auto before = morphology::analyse(t.dict, "on");
        rules.read("on", before);
        EXPECT_EQ(answer(t.dict, word, Detail::Meaning, {}, &rules).meaning, meaning) << word;
    }
}

// A form the words before read the word as is not overruled by an entry of
// the word's own: "kaksi päivää" is two days, "Päivää!" a greeting. A noun
// of an amount and monta take the partitive singular as a numeral does.
TEST(NeighbourRules, AFormTheWordsBeforeReadIsNoLexicalisedWord) {
    using testing::TestHeadword;
    const std::vector<TestHeadword> headwords = {
        {"kaksi", {{"num", {"two"}}}},
        {"pari", {{"noun", {"pair, couple"}}}},
        {"moni", {{"pron", {"many"}}}},
        {"talo", {{"noun", {"house"}}}},
        {"päivä", {{"noun", {"day"}}}},
        {"päivää", {{"intj", {"g'day"}}}},
    };
    const auto t = testing::make_analysed_dictionary(headwords, {}, testing::lexicon({
        "[Lu][Xp]kaksi[X]kaksi[Sn][Ny]",
        "[Ln][Xp]pari[X]par[Sn][Ny]i",
        "[Ln][Xp]moni[X]mon[Sp][Ny]ta",
        "[Ln][Xp]talo[X]talo[Sn][Ny]",
        "[Ln][Xp]päivä[X]päiv[Sp][Ny]ää",
    }));
    EXPECT_EQ(answer(t.dict, "päivää", Detail::Meaning).meaning, "g'day");
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"kaksi", "day"}, {"pari", "day"}, {"monta", "day"},
        // Not after a noun of no amount.
        {"talo", "g'day"},
    };
    for (const auto& [before, meaning] : rows) {
        NeighbourRules rules;
        auto readings = morphology::analyse(t.dict, before);
        EXPECT_FALSE(rules.read(before, readings)) << before;
        EXPECT_EQ(answer(t.dict, "päivää", Detail::Meaning, {}, &rules).meaning, meaning) << before;
    }
}

TEST(NeighbourRules, KokoIsWholeUnlessAWordBeforeTakesItsSize) {
    using analysis::WordClass;
    const std::vector<std::pair<std::vector<std::string>, WordClass>> rows = {
        {{"koko"}, WordClass::Adjective},
        {{"talossa", "koko"}, WordClass::Adjective},
        // The past's participle is the verb's: "on ollut koko vuoden".
        {{"ollut", "koko"}, WordClass::Adjective},
        // A genitive's size, or a size that a word qualifies.
        {{"talon", "koko"}, WordClass::Noun},
        {{"hyvä", "koko"}, WordClass::Noun},
        {{"se", "koko"}, WordClass::Noun},
        // Only right after it.
        {{"talon", "talossa", "koko"}, WordClass::Adjective},
    };
    for (const auto& [words, told] : rows) {
        const auto readings = read_in_turn(testing::analysed_dictionary().dict, words);
        ASSERT_FALSE(readings.empty());
        EXPECT_EQ(readings.front().form.word_class, told) << words.front() << " … " << words.back();
    }
}

TEST(NeighbourRules, KokoToldAsTheAdjectiveMeansWhole) {
    const auto& dictionary = testing::analysed_dictionary().dict;
    EXPECT_EQ(answer(dictionary, "koko", Detail::Meaning).meaning, "size");
    NeighbourRules rules;
    EXPECT_EQ(answer(dictionary, "koko", Detail::Meaning, {}, &rules).meaning, "whole, entire");
    // Its line says so, where the word read as itself has none.
    EXPECT_TRUE(answer(dictionary, "koko", Detail::Notes).choice.notes.empty());
    rules = {};
    const auto notes = answer(dictionary, "koko", Detail::Notes, {}, &rules).choice.notes;
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes.front().text.find("whole"), std::string::npos) << notes.front().text;
    auto genitive = morphology::analyse(dictionary, "talon");
    rules = {};
    rules.read("talon", genitive);
    EXPECT_EQ(answer(dictionary, "koko", Detail::Meaning, {}, &rules).meaning, "size");
}

TEST(NeighbourRules, EtAfterAVerbIsTheSpokenEtta) {
    const auto& dictionary = testing::analysed_dictionary().dict;
    const std::vector<std::pair<std::vector<std::string>, std::string>> rows = {
        {{"piilottaa", "et"}, "että"},
        {{"ole", "Et"}, "että"},
        // The negation verb: first, or after a word that is no verb.
        {{"et"}, "ei"},
        {{"se", "et"}, "ei"},
        {{"talo", "et"}, "ei"},
        // Only "et": the negation verb's other persons follow verbs as themselves.
        {{"piilottaa", "en"}, "ei"},
    };
    for (const auto& [words, headword] : rows) {
        NeighbourRules rules;
        read_in_turn(dictionary, {words.begin(), words.end() - 1}, rules);
        const auto found = answer(dictionary, words.back(), Detail::Meaning, {}, &rules);
        EXPECT_EQ(found.choice.headword.value_or(""), headword) << words.front() << " … " << words.back();
    }
}

TEST(NeighbourRules, TheConnegativesMorphsAreToldAsNegativeToo) {
    NeighbourRules rules;
    auto negation = morphology::analyse(testing::analysed_dictionary().dict, "en");
    rules.read("en", negation);
    auto readings = morphology::analyse(testing::analysed_dictionary().dict, "ole");
    rules.read("ole", readings);
    ASSERT_FALSE(readings.empty());
    EXPECT_EQ(readings.front().form.negative, Negative::Yes);
    EXPECT_EQ(readings.front().form.mood, Mood::Indicative);
    for (const auto& morph : readings.front().morphs) EXPECT_NE(morph.form.mood, Mood::Imperative) << morph.text;
}

}  // namespace
}  // namespace lomperi::answer
