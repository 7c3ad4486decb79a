// Which reading of a word comes first, on a small dictionary with a
// hand-made analyser: each rule of the order with its example words.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/morphology/analysis.hpp"
#include "support/analysed_data.hpp"
#include "support/test_transducer.hpp"

namespace lomperi::morphology {
namespace {

using testing::analysed_dictionary;

TEST(ReadingOrder, EachRuleWithItsExampleWords) {
    struct Row {
        std::string word;
        std::string lemma;
        analysis::Tense tense = analysis::Tense::None;
        analysis::Case grammatical_case = analysis::Case::None;
    };
    const std::vector<Row> rows{
        // A present spelt like a past is far more common than the past.
        {"voi", "voida", analysis::Tense::Present},
        {"voit", "voida", analysis::Tense::Present},
        // The past active participle is far more common than the passive's plural spelt alike.
        {"ollut", "ollut"},
        // voida has no third infinitive in use: voimassa is voima's (in force).
        {"voimassa", "voima"},
        // A plural-only word: its singular has no entry, its plural has.
        {"kasvoissa", "kasvot"},
        {"kasvot", "kasvot"},
        // The singular stays as it is, and a plural without a headword too.
        {"kasvo", "kasvo"},
        {"zorrot", "zorro"},
        // The nominative before the genitive spelt alike.
        {"seitsemän", "seitsemän", analysis::Tense::None, analysis::Case::Nominative},
    };
    const auto& dict = analysed_dictionary().dict;
    for (const auto& row : rows) {
        const auto readings = analyse_afresh(dict, row.word);
        ASSERT_FALSE(readings.empty()) << row.word;
        EXPECT_EQ(readings.front().lemma, row.lemma) << row.word;
        if (row.tense != analysis::Tense::None) {
            EXPECT_EQ(readings.front().form.tense, row.tense) << row.word;
        }
        if (row.grammatical_case != analysis::Case::None) {
            EXPECT_EQ(readings.front().form.grammatical_case, row.grammatical_case) << row.word;
        }
    }
}

// Ranks (0 the most used) given to the headwords in byte order, none for
// unranked, and the first lemma each word is then read as.
struct Ranked {
    std::vector<std::uint16_t> ranks;
    std::vector<std::pair<std::string, std::string>> firsts;
};

// Builds a data set of the headwords, analysed by the lexicon, once per row.
void expect_first_lemmas(const std::vector<testing::TestHeadword>& headwords, const std::vector<std::string>& lexicon,
                         const std::vector<Ranked>& rows) {
    auto builder = testing::test_builder(headwords, {});
    builder.set_analyser(testing::lexicon(lexicon));
    for (const auto& [ranks, firsts] : rows) {
        auto ranked = builder;
        if (!ranks.empty()) ranked.set_ranks(ranks);
        const auto data = ranked.build();
        ASSERT_TRUE(data.has_value());
        const auto dict = load_dictionary(data->files());
        ASSERT_TRUE(dict.has_value());
        for (const auto& [word, lemma] : firsts) {
            const auto readings = analyse_afresh(*dict, word);
            ASSERT_FALSE(readings.empty()) << word;
            EXPECT_EQ(readings.front().lemma, lemma) << word << (ranks.empty() ? " unranked" : " ranked");
        }
    }
}

// A word's basic form comes before another verb's command spelt alike when
// the word is used nearly as much as the verb.
TEST(ReadingOrder, ABasicFormBeforeTheCommandOfAVerbUsedFarMore) {
    expect_first_lemmas({{"tapa", {{"noun", {"way"}}}},
                         {"tappaa", {{"verb", {"kill"}}}},
                         {"tee", {{"noun", {"tea"}}}},
                         {"tehdä", {{"verb", {"do"}}}}},
                        {"[Lt][Xp]tappaa[X]tapa[Tk][Ap][P2][Ny][Eb]", "[Ln][Xp]tapa[X]tapa[Sn][Ny]",
                         "[Lt][Xp]tehdä[X]tee[Tk][Ap][P2][Ny][Eb]", "[Ln][Xp]tee[X]tee[Sn][Ny]"},
                        {{{164, 69, 60, 8}, {{"tapa", "tapa"}, {"Tapa", "tapa"}, {"tee", "tehdä"}}},
                         // Unranked, the order is left to the other rules.
                         {{}, {{"tapa", "tappaa"}, {"tee", "tehdä"}}}});
}

// A pronoun comes before the forms of more used words spelt alike: as
// written ("kukin": each, not "I bloom"), and inflected, whatever rank an
// indefinite pronoun has ("kustakin": kukin's, not a partitive of kusi).
TEST(ReadingOrder, APronounBeforeTheFormsOfWordsSpeltAlike) {
    expect_first_lemmas({{"kukin", {{"pron", {"each"}}}}, {"kukkia", {{"verb", {"bloom"}}}}, {"kusi", {{"noun", {"urine"}}}}},
                        {"[Lt][Xp]kukkia[X]kuki[Tt][Ap][P1][Ny]n", "[Lr][Xp]kukin[X]ku[Sn][Ny]kin",
                         "[Ln][Xp]kusi[X]kus[Sp][Ny]ta[Fkin][Ef]kin", "[Lr][Xp]kuka[X]ku[Sela][Ny]sta[Fkin][Ef]kin"},
                        {{{900, 50, 40}, {{"kukin", "kukin"}, {"kustakin", "kukin"}}}});
}

// A noun comes before an adjective spelt alike in a case they share, when
// the two are used about as much ("vaaleissa": in the elections, not in
// pale ones); not in the nominative, where the adjective stands alone.
TEST(ReadingOrder, ANounBeforeAnAdjectiveInTheirCaseWhenUsedAboutAsMuch) {
    expect_first_lemmas({{"vaalea", {{"adj", {"pale"}}}}, {"vaali", {{"noun", {"election"}}}}},
                        {"[Ll][Xp]vaalea[X]vaale[Sine][Nm]issa", "[Ln][Xp]vaali[X]vaale[Sine][Nm]issa",
                         "[Ll][Xp]vaalea[X]vaale[Sn][Nm]at", "[Ln][Xp]vaali[X]vaale[Sn][Nm]at"},
                        {{{2167, 2722}, {{"vaaleissa", "vaali"}, {"vaaleat", "vaalea"}}},
                         // A noun used far less than the adjective stays after it.
                         {{100, 2722}, {{"vaaleissa", "vaalea"}}}});
}

// A case of a noun whose entry leads with a particle comes after another
// word's verb spelt alike that is used about as much as the whole headword
// ("vastaa": vastata's, not a partitive of vasta, a bath whisk; the adverb
// vasta earned the rank), not after one used far less ("kohtaa": kohta's).
TEST(ReadingOrder, ACaseOfAWordLedByAParticleAfterAVerbUsedAboutAsMuch) {
    expect_first_lemmas({{"kohdata", {{"verb", {"meet"}}}},
                         {"kohta", {{"adv", {"soon"}}, {"noun", {"point"}}}},
                         {"vasta", {{"adv", {"only"}}, {"noun", {"bath whisk"}}}},
                         {"vastata", {{"verb", {"answer"}}}}},
                        {"[Ln][Xp]kohta[X]koht[Sp][Ny]aa", "[Lt][Xp]kohdata[X]kohta[Tt][Ap][P3][Ny][Eb]a",
                         "[Ln][Xp]vasta[X]vast[Sp][Ny]aa", "[Lt][Xp]vastata[X]vasta[Tt][Ap][P3][Ny][Eb]a"},
                        {{{708, 306, 226, 266}, {{"vastaa", "vastata"}, {"kohtaa", "kohta"}}}});
}

}  // namespace
}  // namespace lomperi::morphology
