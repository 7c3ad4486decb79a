// The sense a participle of two verbs spelt alike is told in, on a small
// dictionary with a hand-made analyser.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/morphology/analysis.hpp"
#include "support/analysed_data.hpp"
#include "support/test_transducer.hpp"

namespace lomperi::morphology {
namespace {

TEST(ParticipleSense, OfTwoVerbsSpeltAlikeEachReadingTellsItsOwnVerbsSense) {
    using testing::TestHeadword;
    const std::vector<TestHeadword> headwords = {
        {"valittava", {{"adj", {"groaning", "selectable (capable of being selected)"}}}},
        {"valita", {{"verb", {"choose, pick, select"}}}},
        {"valittaa", {{"verb", {"complain, groan"}}}},
        {"käytetty", {{"adj", {"second-hand", "fermented"}}}},
        {"käyttää", {{"verb", {"use"}}}},
    };
    const auto t = testing::make_analysed_dictionary(headwords, {}, testing::lexicon({
        "[Lt][Xp]valita[X]valit[Ll][Ra]tav[Xj]a[X][Sn][Ny]a",
        "[Lt][Xp]valittaa[X]valitta[Ll][Rv]v[Xj]a[X][Sn][Ny]a",
        "[Lt][Xp]käyttää[X]käyte[Ll][Rt]tt[Xj]y[X]y[Sn][Ny]",
    }));
    const auto readings = analyse_afresh(t.dict, "valittava");
    ASSERT_EQ(readings.size(), 2U);
    for (const auto& reading : readings) {
        ASSERT_FALSE(reading.parts.empty());
        const auto told = meaning_of_its_verb(t.dict, "valittava", reading, readings);
        // valita's reading: the sense that speaks of selecting; valittaa's: the first already does.
        if (reading.parts.front().lemma == "valita") {
            EXPECT_EQ(told.value_or(""), "selectable (capable of being selected)");
        } else {
            EXPECT_FALSE(told.has_value()) << *told;
        }
    }
    // A participle of one verb keeps its entry's order.
    const auto one_verb = analyse_afresh(t.dict, "käytetty");
    ASSERT_FALSE(one_verb.empty());
    EXPECT_FALSE(meaning_of_its_verb(t.dict, "käytetty", one_verb.front(), one_verb).has_value());
}

}  // namespace
}  // namespace lomperi::morphology
