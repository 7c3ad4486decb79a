#include "assembly.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "fixtures.hpp"
#include "word_case.hpp"

namespace lomperi::data_build {
namespace {

using format::PosGroup;
using testing::fixture_analyses;
using Pair = std::pair<std::string, std::string>;

Entries small_dictionary() {
    return {
        {"olla", {{"verb", {"be"}}}},
        {"talo", {{"noun", {"house"}}}},
        {"hyvä", {{"adj", {"good"}}, {"intj", {"bravo"}}}},
        {"lukea", {{"verb", {"read"}}}},
        {"koti", {{"noun", {"home"}}}},
        {"suomi", {{"noun", {"Finnish"}}}},
        {"Suomi", {{"name", {"Finland"}}}},
        {"ovat", {{"noun", {"a made-up headword that shares a form"}}}},
    };
}

Analyzer fixture_analyzer() {
    return [analyses = fixture_analyses()](const std::string& form) {
        const auto found = analyses.find(form);
        return found == analyses.end() ? std::vector<Analysis>{} : found->second;
    };
}

Assembly assemble_fixture(std::size_t max_entries = kMaxFormEntries, unsigned threads = 1) {
    AssemblyInput input;
    input.dictionary = small_dictionary();
    input.listed = {"TALON", "kotitalo", "lukemaan", "lukeva", "oli", "Suomen", "talo", "tuntematon", "Virtaselle"};
    input.frequency = {"oli", "ovat", "parempi", "talossa", "lukeva", "talo"};
    // "talossa" and "talon" come from the paradigms only; "talon" is a plain form.
    input.paradigms = {"talossa"};
    input.plain_paradigms = {"talon", "talo"};
    input.max_form_entries = max_entries;
    input.threads = threads;
    return assemble(std::move(input), [] { return fixture_analyzer(); });
}

bool has_pair(const Assembly& assembly, const Pair& pair) {
    const auto pairs = assembly.pairs();
    return std::ranges::find(pairs, pair) != pairs.end();
}

TEST(Assembly, FormsLeadToTheirHeadwordBases) {
    const auto assembly = assemble_fixture();
    const std::vector<std::pair<Pair, bool>> rows{
        {{"oli", "olla"}, true},
        {{"talossa", "talo"}, true},
        {{"Suomen", "suomi"}, true},
        {{"Suomen", "Suomi"}, true},
        {{"lukemaan", "lukea"}, true},
        {{"lukeva", "lukea"}, true},      // participle without an entry of its own
        {{"kotitalo", "talo"}, false},    // a compound is no form of its last part
        {{"kotitalo", "kotitalo"}, true}, // but has an entry of its own
        {{"kotitalon", "kotitalo"}, true},  // and the plain forms of its last part
        {{"TALON", "talo"}, true},        // all capitals, but no other spelling is listed
        {{"talo", "talo"}, true},
        {{"koti", "koti"}, true},         // every headword leads to itself
        {{"oli", "oli"}, true},           // and so does a generated entry
    };
    for (const auto& [pair, expected] : rows) {
        EXPECT_EQ(has_pair(assembly, pair), expected) << pair.first << " -> " << pair.second;
    }
    EXPECT_EQ(assembly.counts.listed_forms, 12u);
    EXPECT_EQ(assembly.counts.shared_forms, 1u);  // Suomen
}

TEST(Assembly, FrequentInflectedFormsGetGeneratedEntries) {
    const auto assembly = assemble_fixture();
    const std::vector<std::pair<std::string, std::vector<PosGroup>>> rows{
        {"oli", {{"verb", {"third-person singular past indicative of olla"}}}},
        {"talossa", {{"noun", {"inessive singular of talo"}}}},
        {"parempi", {{"adj", {"comparative degree of hyvä"}}}},
        {"lukeva", {{"verb", {"present active participle of lukea"}}}},
        // a headword keeps its own entry, and a frequent one gains the generated meaning
        {"ovat", {{"noun", {"a made-up headword that shares a form"}},
                  {"verb", {"third-person plural present indicative of olla"}}}},
        {"talo", {{"noun", {"house"}}}},
    };
    for (const auto& [headword, expected] : rows) {
        ASSERT_TRUE(assembly.entries.contains(headword)) << headword;
        EXPECT_EQ(assembly.entries.at(headword), expected) << headword;
    }
    EXPECT_EQ(assembly.counts.form_entries, 4u);
    EXPECT_EQ(assembly.counts.augmented_entries, 1u);
    EXPECT_EQ(assembly.counts.dictionary_headwords, 8u);
}

TEST(Assembly, CompoundsTheDictionaryLacksNameTheirParts) {
    const auto assembly = assemble_fixture();
    ASSERT_TRUE(assembly.entries.contains("kotitalo"));
    EXPECT_EQ(assembly.entries.at("kotitalo"), (std::vector<PosGroup>{{"noun", {"compound of koti + talo"}}}));
    EXPECT_EQ(assembly.counts.compound_entries, 1u);
}

TEST(Assembly, NamesTheDictionaryLacksAreToldByTheirKind) {
    const auto assembly = assemble_fixture();
    ASSERT_TRUE(assembly.entries.contains("Virtanen"));
    EXPECT_EQ(assembly.entries.at("Virtanen"), (std::vector<PosGroup>{{"name", {"a surname"}}}));
    EXPECT_TRUE(has_pair(assembly, {"Virtaselle", "Virtanen"}));
}

// A place name whose parts are words is the place, not a compound of them;
// the common noun spelt alike in lower case is the compound.
TEST(Assembly, ANameIsToldByItsKindNotSplitIntoParts) {
    AssemblyInput input;
    input.dictionary = {{"he", {{"pron", {"they"}}}},
                        {"heinä", {{"noun", {"hay"}}}},
                        {"kiuru", {{"noun", {"lark"}}}},
                        {"vesi", {{"noun", {"water"}}}}};
    input.listed = {"Heinä", "Heinävedellä", "Kiuruvedellä"};
    const auto assembly = assemble(std::move(input), [] { return fixture_analyzer(); });
    for (const char* place : {"Heinävesi", "Kiuruvesi"}) {
        ASSERT_TRUE(assembly.entries.contains(place)) << place;
        EXPECT_EQ(assembly.entries.at(place), (std::vector<PosGroup>{{"name", {"a place name"}}})) << place;
    }
    ASSERT_TRUE(assembly.entries.contains("heinävesi"));
    EXPECT_EQ(assembly.entries.at("heinävesi"), (std::vector<PosGroup>{{"noun", {"compound of heinä + vesi"}}}));
}

TEST(Assembly, TheNumberOfThreadsChangesNothing) {
    const auto one = assemble_fixture(kMaxFormEntries, 1);
    const auto three = assemble_fixture(kMaxFormEntries, 3);
    EXPECT_EQ(one.entries, three.entries);
    EXPECT_EQ(one.pairs(), three.pairs());
}

TEST(Assembly, GeneratedEntriesAreLimitedMostFrequentFirst) {
    const auto assembly = assemble_fixture(2);
    EXPECT_TRUE(assembly.entries.contains("oli"));
    EXPECT_TRUE(assembly.entries.contains("parempi"));
    EXPECT_FALSE(assembly.entries.contains("talossa"));
    EXPECT_FALSE(assembly.entries.contains("lukeva"));
}

// A headword whose meanings are all inverted and that voikko reads only as
// a form of another word is told as that form first, unless it is a case
// form whose meanings make it a particle of its own: a lexicalised adverb
// keeps them first.
TEST(Assembly, InvertedOnlyFormsLeadWithTheirFormUnlessLexicalisedParticles) {
    AssemblyInput input;
    input.dictionary = {
        {"tieto", {{"noun", {"knowledge"}}}},
        {"tiedot", {{"noun", {"information"}}}},
        {"varsi", {{"noun", {"shaft"}}}},
        {"varsinkin", {{"adv", {"especially"}}}},
        {"erityinen", {{"adj", {"special"}}}},
        {"erityisen", {{"adv", {"especially"}}}},
        {"olla", {{"verb", {"be"}}}},
        {"ollenkaan", {{"adv", {"at all"}}}},
        {"kuulla", {{"verb", {"hear"}}}},
        {"kuule", {{"intj", {"listen"}}}},
    };
    input.listed = {"tiedot", "varsinkin", "erityisen", "ollenkaan", "kuule"};
    input.inverted_only = {"tiedot", "varsinkin", "erityisen", "ollenkaan", "kuule"};
    input.everyday_particles = {"varsinkin", "erityisen", "ollenkaan", "kuule"};
    const auto assembly = assemble(std::move(input), [] { return fixture_analyzer(); });
    const std::vector<std::pair<std::string, std::string>> rows{
        {"tiedot", "nominative plural of tieto"},
        {"varsinkin", "especially"},
        // An adjective's genitive as a degree word is a form of the adjective.
        {"erityisen", "genitive singular of erityinen"},
        // So is a verb's infinitive in a case.
        {"ollenkaan", "at all"},
        // A finite verb form is the verb's.
        {"kuule", "second-person singular imperative of kuulla"},
    };
    for (const auto& [headword, first] : rows) {
        ASSERT_TRUE(assembly.entries.contains(headword)) << headword;
        EXPECT_EQ(assembly.entries.at(headword).front().meanings.front(), first) << headword;
    }
}

TEST(WordCase, AllCapitalDuplicatesAreDropped) {
    const std::vector<std::pair<std::string, bool>> capitals{
        {"TALO", true}, {"ÄITI", true}, {"EU", true}, {"A", false}, {"Talo", false}, {"A-vitamiini", false},
        {"HÄmÄrä", false}, {"A-VITAMIINI", true},
    };
    for (const auto& [word, expected] : capitals) EXPECT_EQ(is_all_capitals(word), expected) << word;
    EXPECT_EQ(lower_case("ÄITI"), "äiti");
    EXPECT_EQ(capitalized("ÄITI"), "Äiti");
    const std::vector<std::string> forms{"AALTO", "AIDS", "EU", "KALLE", "Kalle", "aalto"};
    const std::vector<std::string> expected{"AIDS", "EU", "Kalle", "aalto"};
    EXPECT_EQ(drop_capital_duplicates(forms), expected);
}

}  // namespace
}  // namespace lomperi::data_build
