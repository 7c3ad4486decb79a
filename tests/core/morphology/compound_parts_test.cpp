// The parts a compound without an entry of its own is told by, on a small
// dictionary with a hand-made analyser.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/morphology/analysis.hpp"
#include "support/analysed_data.hpp"
#include "support/test_transducer.hpp"

namespace lomperi::morphology {
namespace {

std::string parts_of(const analysis::Reading& reading) {
    std::string out;
    for (const auto& part : reading.parts) out += (out.empty() ? "" : " + ") + part.text + "/" + part.lemma;
    return out;
}

// Parts that make a word with an entry of its own are that word; an entry
// that only names its own parts does not count.
TEST(CompoundParts, PartsThatMakeAWordWithAnEntryAreThatWord) {
    using testing::TestHeadword;
    const std::vector<TestHeadword> headwords = {
        {"kalu", {{"noun", {"thing"}}}},
        {"kuva", {{"noun", {"image"}}}},
        {"kuvankäsittely", {{"noun", {"image processing"}}}},
        {"käsitellä", {{"verb", {"handle"}}}},
        {"maalaus", {{"noun", {"painting"}}}},
        {"maalaustyö", {{"noun", {"compound of maalaus + työ"}}}},
        {"maalaustyökalu", {{"noun", {"compound of maalaus + työkalu"}}}},
        {"ohjelma", {{"noun", {"program"}}}},
        {"työ", {{"noun", {"work"}}}},
        {"työkalu", {{"noun", {"tool"}}}},
        {"yläpalkki", {{"noun", {"compound of ylä + palkki"}}}},
    };
    const auto t = testing::make_analysed_dictionary(headwords, {}, testing::lexicon({
        "[Lt][Xp]maalata[X]maala[Ln][Xj]us[X]u[Sn][Ny]s[Bh][Bc][Ln][Xp]työ[X]työ[Sn][Ny][Bh][Bc][Ln][Xp]kalu[X]kalu[Sp][Ny]a",
        "[Ln][Xp]kuva[X]kuv[Sg][Ny]an[Bh][Bc][Lt][Xp]käsitellä[X]käsittel[Ln][Xj]y[X]y[Sn][Ny][Bh][Bc][Ln][Xp]ohjelma[X]ohjelm[Sn][Ny]a",
        "[Ln][Xp]ylä[X]ylä[Sn][Ny][Bh][Bc][Ln][Xp]talo[X]talo[Sn][Ny][Bh][Bc][Ln][Xp]kalu[X]kalu[Sn][Ny]",
    }));
    const auto* dict = &t.dict;
    const std::vector<std::pair<std::string, std::string>> rows = {
        // työ + kalu is työkalu; maalaus + työ names only its parts.
        {"maalaustyökalua", "maalaus/maalata + työkalua/työkalu"},
        // A derived part as written: kuvankäsittely, whose last part's lemma is käsitellä.
        {"kuvankäsittelyohjelma", "kuvankäsittely/kuvankäsittely + ohjelma/ohjelma"},
        // No two parts make a word: the parts stay as voikko has them.
        {"ylätalokalu", "ylä/ylä + talo/talo + kalu/kalu"},
    };
    for (const auto& [word, parts] : rows) {
        const auto readings = analyse_afresh(*dict, word);
        ASSERT_FALSE(readings.empty()) << word;
        EXPECT_EQ(parts_of(readings.front()), parts) << word;
        EXPECT_EQ(readings.front().compound_parts, readings.front().parts.size()) << word;
        for (const auto& morph : readings.front().morphs) EXPECT_LT(morph.part, readings.front().parts.size()) << word;
    }
    // An entry that only names the parts is told by their meanings, in the analysis line too.
    const auto readings = analyse_afresh(*dict, "maalaustyökalua");
    ASSERT_FALSE(readings.empty());
    EXPECT_EQ(reading_meaning(*dict, readings.front().lemma, readings.front()), "painting + tool");
}

// A compound's tail written apart from its first part ("Tulosta
// -valintaikkuna") is read as the word without the hyphen; a headword that
// begins with a hyphen keeps it.
TEST(CompoundParts, ATailWrittenApartIsTheWordWithoutItsHyphen) {
    using testing::TestHeadword;
    const std::vector<TestHeadword> headwords = {
        {"ikkuna", {{"noun", {"window"}}}},
        {"valita", {{"verb", {"choose"}}}},
        {"valintaikkuna", {{"noun", {"dialogue"}}}},
        {"kuvake", {{"noun", {"icon"}}}},
        {"-kuvake", {{"noun", {"a suffix for the test"}}}},
    };
    const auto t = testing::make_analysed_dictionary(headwords, {}, testing::lexicon({
        "-[Bc][Lt][Xp]valita[X]vali[Ln]n[Xj]ta[X]t[Sn][Ny]a[Bh][Bc][Ln][Xp]ikkuna[X]ikkuna[Sine][Ny]ssa",
        "-[Bc][Ln][Xp]ikkuna[X]ikkuna[Sn][Ny]",
        "-[Bc][Ln][Xp]kuvake[X]kuvake[Sn][Ny]",
    }));
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"-valintaikkunassa", "valintaikkuna"},
        {"-ikkuna", "ikkuna"},
        {"-kuvake", "-kuvake"},
    };
    for (const auto& [word, lemma] : rows) {
        const auto readings = analyse_afresh(t.dict, word);
        ASSERT_FALSE(readings.empty()) << word;
        EXPECT_EQ(readings.front().lemma, lemma) << word;
    }
}

// A compound's entry that only names its parts says their meanings, and a
// part whose own entry only names its parts says theirs; a loop in the data
// ends at a bound.
TEST(CompoundParts, AnEntryThatOnlyNamesPartsSaysTheirMeanings) {
    using testing::TestHeadword;
    const std::vector<TestHeadword> headwords = {
        {"laite", {{"noun", {"apparatus"}}}},
        {"silmukka", {{"noun", {"compound of silmukka + laite"}}}},
        {"tulo", {{"noun", {"coming"}}}},
        {"ulos", {{"adv", {"out"}}}},
        {"ulostulo", {{"noun", {"compound of ulos + tulo"}}}},
        {"ulostulolaite", {{"noun", {"compound of ulostulo + laite"}}}},
    };
    const auto t = testing::make_analysed_dictionary(headwords, {}, testing::lexicon({}));
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"ulostulo", "out + coming"},
        {"ulostulolaite", "out + coming + apparatus"},
        {"laite", "apparatus"},
    };
    for (const auto& [headword, meaning] : rows) EXPECT_EQ(said_meaning(t.dict, headword), meaning) << headword;
    EXPECT_NE(said_meaning(t.dict, "silmukka").find("apparatus"), std::string::npos);
}

}  // namespace
}  // namespace lomperi::morphology
