#include "gloss_merge.hpp"

#include <gtest/gtest.h>

#include "fixtures.hpp"

namespace lomperi::data_build {
namespace {

using format::PosGroup;
using testing::fixture_text;

std::map<std::string, std::vector<PosGroup>> merge_fixtures() {
    const auto forward = read_dictd(fixture_text("fin-eng.index"), fixture_text("fin-eng.dict"));
    const auto inverted = read_dictd(fixture_text("eng-fin.index"), fixture_text("eng-fin.dict"));
    if (!forward || !inverted) throw std::runtime_error("fixture databases do not parse");
    GlossMerger merger;
    for (const auto& record : *forward) merger.add_record(record);
    for (const auto& record : *inverted) merger.add_inverted_record(record);
    return merger.entries();
}

TEST(GlossMerge, ForwardRecordsGiveOneMeaningPerSense) {
    const auto entries = merge_fixtures();
    const std::vector<std::pair<std::string, std::vector<PosGroup>>> rows{
        {"aallonpituus", {{"noun", {"wavelength"}}}},
        {"albuminuria", {{"noun", {"albuminuria"}}}},
        {"Abu Dhabi", {{"name", {"Abu Dhabi"}}}},
        {"Suomi", {{"name", {"Finland"}}}},
    };
    for (const auto& [headword, expected] : rows) {
        ASSERT_TRUE(entries.contains(headword)) << headword;
        EXPECT_EQ(entries.at(headword), expected) << headword;
    }
    // Forward groups first; the inverted "good" (a noun there) adds a group of its own.
    const auto& hyva = entries.at("hyvä");
    ASSERT_EQ(hyva.size(), 3u);
    EXPECT_EQ(hyva[0], (PosGroup{"adj", {"good"}}));
    EXPECT_EQ(hyva[1].pos, "intj");
    EXPECT_EQ(hyva[1].meanings[0], "bravo");
    EXPECT_EQ(hyva[2].pos, "noun");
}

TEST(GlossMerge, DamagedSuffixEntriesAreDroppedAndRestoredFromTheInvertedSide) {
    const auto entries = merge_fixtures();
    EXPECT_FALSE(entries.contains("kin"));
    EXPECT_FALSE(entries.contains("ni"));
    ASSERT_TRUE(entries.contains("-kin"));
    ASSERT_TRUE(entries.contains("-ni"));
    const auto& kin = entries.at("-kin");
    ASSERT_EQ(kin.size(), 1u);
    EXPECT_EQ(kin[0].pos, "adv");
    EXPECT_TRUE(kin[0].meanings[0].starts_with("also (")) << kin[0].meanings[0];
    EXPECT_EQ(entries.at("-ni")[0].pos, "det");
}

TEST(GlossMerge, InvertedMeaningsSkipWordsTheForwardGroupHas) {
    const auto entries = merge_fixtures();
    // talo already says "house"; kissa already says "cat".
    for (const auto& group : entries.at("talo")) {
        for (const auto& meaning : group.meanings) EXPECT_FALSE(meaning.starts_with("house (")) << meaning;
    }
    for (const auto& meaning : entries.at("kissa")[0].meanings) EXPECT_FALSE(meaning.starts_with("cat (")) << meaning;
    // "kehittäjä" comes from "(filmin) kehittäjä"; the qualifier is gone.
    ASSERT_TRUE(entries.contains("kehittäjä"));
    EXPECT_FALSE(entries.contains("(filmin) kehittäjä"));
}

TEST(GlossMerge, AtMostTwelveInvertedMeaningsPerGroup) {
    GlossMerger merger;
    merger.add_record({"sana", "n", {{"word0", {}}}});
    for (int i = 0; i < 20; ++i) {
        merger.add_inverted_record({"word" + std::to_string(i), "n", {{"sana", {"meaning"}}}});
    }
    const auto entries = merger.entries();
    ASSERT_EQ(entries.at("sana").size(), 1u);
    const auto& meanings = entries.at("sana")[0].meanings;
    ASSERT_EQ(meanings.size(), 1 + kMaxInvertedPerGroup);
    EXPECT_EQ(meanings[0], "word0");
    EXPECT_EQ(meanings[1], "word1 (meaning)");  // word0 is already there
    EXPECT_EQ(meanings.back(), "word12 (meaning)");
}

TEST(GlossMerge, ForwardDuplicatesMergeIntoOneGroup) {
    GlossMerger merger;
    merger.add_record({"kuusi", "numeral", {{"six", {}}}});
    merger.add_record({"kuusi", "n", {{"spruce", {}}}});
    merger.add_record({"kuusi", "n", {{"spruce", {}}, {"fir", {}}}});
    const std::vector<PosGroup> expected{{"num", {"six"}}, {"noun", {"spruce", "fir"}}};
    EXPECT_EQ(merger.entries().at("kuusi"), expected);
}

}  // namespace
}  // namespace lomperi::data_build
