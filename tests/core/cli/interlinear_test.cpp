#include "core/cli/interlinear.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "core/morphology/analysis.hpp"
#include "support/analysed_data.hpp"

namespace lomperi::cli {
namespace {

// Each morph is glossed by what it adds; the stem, without an entry, by its lemma.
TEST(Interlinear, LabelsBecomeShortGlosses) {
    using namespace analysis;
    const morphology::Dictionary none;
    const auto morph = [](std::string text, Form form) { return Morph{std::move(text), form, 0}; };
    Form han;
    han.clitics.push_back(Clitic::Han);
    const struct {
        std::string word;
        std::vector<Morph> morphs;
        InterlinearWord expected;
    } cases[] = {
        {"taloissa", {morph("talo", {}), morph("issa", {.grammatical_case = Case::Inessive, .number = Number::Plural})},
         {"talo-issa", "talo-in.plural"}},
        {"lukisin",
         {morph("luk", {}), morph("isin", {.person = Person::First, .mood = Mood::Conditional})},
         {"luk-isin", "talo-would.1sg"}},
        {"lukee", {morph("luke", {}), morph("e", {.number = Number::Singular, .person = Person::Third})}, {"luke-e", "talo-3sg"}},
        {"luemme", {morph("lue", {}), morph("mme", {.number = Number::Plural, .person = Person::First})}, {"lue-mme", "talo-1pl"}},
        {"lukematon", {morph("luke", {}), morph("maton", {.participle = Participle::Negative})}, {"luke-maton", "talo-un.ed"}},
        {"talohan", {morph("talo", {}), morph("han", han)}, {"talo-han", "talo-I.wonder"}},
        // A form that adds no letters is told after the stem.
        {"lue", {morph("lue", {}), morph("", {.person = Person::Second, .mood = Mood::Imperative})}, {"lue", "talo.command.2sg"}},
    };
    for (const auto& c : cases) {
        Reading reading;
        reading.lemma = "talo";
        reading.morphs = c.morphs;
        const InterlinearWord got = interlinear_word(none, c.word, std::span(&reading, 1));
        EXPECT_EQ(got.cut, c.expected.cut) << c.word;
        EXPECT_EQ(got.gloss, c.expected.gloss) << c.word;
    }
}

TEST(Interlinear, ColumnsAlignAndRunsWrapAtTheWidth) {
    const std::map<std::string, InterlinearWord, std::less<>> words = {
        {"Talossamme", {"talo-ssa-mme", "house-in-our"}}, {"on", {"o-n", "be-3sg"}}, {"kissa", {"kissa", "cat"}}};
    const auto word_of = [&](std::string_view word) { return words.find(word)->second; };
    EXPECT_EQ(interlinear_lines("Talossamme on kissa.", 80, word_of),
              "Talossamme    on      kissa.\n"
              "talo-ssa-mme  o-n     kissa\n"
              "house-in-our  be-3sg  cat\n\n");
    EXPECT_EQ(interlinear_lines("Talossamme on \x1b kissa.", 20, word_of),
              "Talossamme    on\n"
              "talo-ssa-mme  o-n\n"
              "house-in-our  be-3sg\n\n"
              "\xEF\xBF\xBD  kissa.\n"
              "   kissa\n"
              "   cat\n\n");
    EXPECT_EQ(interlinear_lines("", 20, word_of), "\n");
}

// A control character splits a word in two, as --gloss reads it: each part
// has its column and is looked up, the control byte shown as U+FFFD.
TEST(Interlinear, EachWordOfATokenHasItsColumn) {
    const std::map<std::string, InterlinearWord, std::less<>> words = {
        {"koira", {"koira", "dog"}}, {"ki", {"ki", "chi"}}, {"ssa", {"ssa", "?"}}, {"talo", {"talo", "house"}}};
    std::vector<std::string> asked;
    const auto word_of = [&](std::string_view word) {
        asked.emplace_back(word);
        return words.find(word)->second;
    };
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"koira ki\x1bssa talo", "koira  ki   \xEF\xBF\xBDssa  talo\nkoira  ki   ssa   talo\ndog    chi  ?     house\n\n"},
        {"(ki\x1b\x1bssa),", "(ki  \xEF\xBF\xBD\xEF\xBF\xBDssa),\nki   ssa\nchi  ?\n\n"},
    };
    for (const auto& [line, lines] : cases) {
        asked.clear();
        EXPECT_EQ(interlinear_lines(line, 80, word_of), lines) << line;
        EXPECT_TRUE(std::ranges::find(asked, "ssa") != asked.end()) << line;
    }
}

TEST(Interlinear, AWordWithoutAReadingIsGlossedByItsEntry) {
    const morphology::Dictionary none;
    const std::tuple<std::string_view, std::string_view, InterlinearWord> cases[] = {
        {"ćevapi", "cevapi (Balkan food dish)", {"ćevapi", "cevapi"}},
        {"Nokia", "Finnish company, telecom maker", {"Nokia", "Finnish.company"}},
        {"xyzzy", "", {"xyzzy", "?"}},
        {"--", "", {"--", ""}},
        {"te\x1b", "", {"te\xEF\xBF\xBD", "?"}},
    };
    for (const auto& [word, meaning, expected] : cases) {
        const InterlinearWord got = interlinear_word(none, word, {}, meaning);
        EXPECT_EQ(got.cut, expected.cut) << word;
        EXPECT_EQ(got.gloss, expected.gloss) << word;
    }
}

// A compound with an entry of its own is glossed as one word; one without,
// part by part; a word by the meaning its reading tells it by.
TEST(Interlinear, ACompoundWithItsOwnEntryIsOneWord) {
    const auto& dictionary = testing::analysed_dictionary().dict;
    const std::vector<std::pair<std::string, InterlinearWord>> rows = {
        {"tietokoneessa", {"tietokonee-ssa", "computer-in"}},
        {"yläpalkki", {"ylä-palkki", "top-bar"}},
        {"talossa", {"talo-ssa", "house-in"}},
        // Only the last part's endings: not "y-ksinkertai-sia", the first part's instructive plural.
        {"yksinkertaisia", {"yksinkertai-sia", "simple-some.plural"}},
        // A participle whose entry only names its form: its verb's meaning.
        {"määritelty", {"määritel-ty", "define-ed"}},
    };
    for (const auto& [word, expected] : rows) {
        const auto readings = morphology::analyse(dictionary, word);
        ASSERT_FALSE(readings.empty()) << word;
        const InterlinearWord got = interlinear_word(dictionary, word, readings);
        EXPECT_EQ(got.cut, expected.cut) << word;
        EXPECT_EQ(got.gloss, expected.gloss) << word;
    }
}

}  // namespace
}  // namespace lomperi::cli
