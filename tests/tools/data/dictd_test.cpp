#include "dictd.hpp"

#include <gtest/gtest.h>

#include "fixtures.hpp"

namespace lomperi::data_build {
namespace {

using testing::fixture_text;

TEST(DictdNumber, DecodesBase64Digits) {
    const std::vector<std::pair<std::string, std::optional<std::uint64_t>>> rows{
        {"A", 0}, {"B", 1}, {"/", 63}, {"BA", 64}, {"Ca", 154}, {"R6yt", 4697261},
        {"", std::nullopt}, {"A=", std::nullopt}, {"AAAAAAAAAAA", std::nullopt},
    };
    for (const auto& [digits, expected] : rows) EXPECT_EQ(decode_dictd_number(digits), expected) << digits;
}

TEST(DictdIndex, SkipsDatabaseEntriesAndRejectsBrokenLines) {
    const auto entries = parse_dictd_index("00databaseinfo\tc\tRA\nkissa\tYX\tDW\ntalo\tWq\tBt\n");
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 2u);
    EXPECT_EQ((*entries)[0].word, "kissa");
    EXPECT_EQ((*entries)[0].offset, 24u * 64 + 23);
    EXPECT_EQ((*entries)[1].length, 109u);

    for (const std::string broken : {"kissa\tYX\n", "kissa\tY!\tDW\n", "kissa\tYX\t\n"}) {
        EXPECT_FALSE(parse_dictd_index(broken).has_value()) << broken;
    }
}

struct RecordRow {
    std::string text;
    DictdRecord expected;
};

TEST(DictdRecordParse, TakesHeadwordPosAndSenses) {
    const std::vector<RecordRow> rows{
        // Headword from the record, not the lower-cased index; " 2." marks continuations.
        {"Abu Dhabi /ˈabu dhˈabɪ/ <pn>\nAbu Dhabi 2.\nsuurin emiraatti\n 3.\npääkaupunki\n",
         {"Abu Dhabi", "pn", {{"Abu Dhabi", {"suurin emiraatti", "pääkaupunki"}}}}},
        // A description that starts with a number is no sense of its own.
        {"joulupäivä /jˈoulupˌæivæ/ <n>\nChristmas Day\n25. joulukuuta\n",
         {"joulupäivä", "n", {{"Christmas Day", {"25. joulukuuta"}}}}},
        // Numbered senses; a sense may have no description.
        {"away //əˈweɪ// <adv>\n1. irti, pois\n2. kuluttua\nat a distance\n3. pois 2.\nbegone\n 3.\nout of existence\n",
         {"away", "adv", {{"irti, pois", {}}, {"kuluttua", {"at a distance"}}, {"pois", {"begone", "out of existence"}}}}},
        // Several pronunciations, no part of speech.
        {"above all /əbˌʌv ˈɔːl/\nennen kaikkea\nof prime importance\n",
         {"above all", "", {{"ennen kaikkea", {"of prime importance"}}}}},
        {"behind //bəˈhaɪnd// //bɪˈhaɪnd// <preposition>\n1. takana\n", {"behind", "preposition", {{"takana", {}}}}},
    };
    for (const auto& [text, expected] : rows) {
        const auto record = parse_dictd_record(text);
        ASSERT_TRUE(record.has_value()) << text;
        EXPECT_EQ(*record, expected) << text;
    }
    EXPECT_FALSE(parse_dictd_record("").has_value());
    EXPECT_FALSE(parse_dictd_record("\nkissa\n").has_value());
}

TEST(DictdDatabase, ReadsTheFixtureExcerpts) {
    const auto forward = read_dictd(fixture_text("fin-eng.index"), fixture_text("fin-eng.dict"));
    ASSERT_TRUE(forward.has_value()) << forward.error().report();
    ASSERT_EQ(forward->size(), 15u);
    EXPECT_EQ((*forward)[0].senses.size(), 1u);
    const auto& kieltaa = (*forward)[6];
    EXPECT_EQ(kieltaa.headword, "kieltää");
    ASSERT_EQ(kieltaa.senses.size(), 3u);
    EXPECT_EQ(kieltaa.senses[2].translations, "renounce, repudiate");
    EXPECT_EQ((*forward)[13].headword, "Suomi");
    EXPECT_EQ((*forward)[14].headword, "suomi");

    const auto inverted = read_dictd(fixture_text("eng-fin.index"), fixture_text("eng-fin.dict"));
    ASSERT_TRUE(inverted.has_value()) << inverted.error().report();
    EXPECT_GE(inverted->size(), 13u);
}

TEST(DictdDatabase, RejectsOffsetsPastTheEnd) {
    const auto records = read_dictd("kissa\tA\tZ\n", "kissa /kˈissa/ <n>\ncat\n");
    ASSERT_FALSE(records.has_value());
    EXPECT_EQ(records.error().message(), "index entry \"kissa\" points past the end of the dictionary");
}

TEST(DictdDatabase, ReadsARecordListedTwiceOnce) {
    const std::string dict = "kissa /kˈissa/ <n>\ncat\n";
    const auto records = read_dictd("kissa\tA\tY\nkisu\tA\tY\n", dict);
    ASSERT_TRUE(records.has_value());
    EXPECT_EQ(records->size(), 1u);
}

}  // namespace
}  // namespace lomperi::data_build
