#include <gtest/gtest.h>

#include "core/morphology/dictionary.hpp"
#include "core/word_map/builder.hpp"
#include "format/gloss_writer.hpp"
#include "support/test_data.hpp"

namespace lomperi::morphology {
namespace {

using Buffer = std::vector<std::uint8_t>;
using format::GlossRecord;

const std::vector<std::string> kNames = {"noun", "verb"};

// A gloss half whose map values are given as they are, over a hand-made body.
struct HandMade {
    Buffer fst;
    Buffer bin;
    Dictionary dict;
};

HandMade hand_made(const std::vector<std::pair<std::string, std::uint64_t>>& offsets, const Buffer& body) {
    HandMade made{*word_map::build_word_map(offsets), *format::write_glosses_bin(kNames, body, 3), {}};
    auto half = std::move(*load_glosses(made.fst, made.bin));
    made.dict = Dictionary{std::move(half.gloss_store), half.glosses, {}, {}, {}, std::nullopt, {}, {}};
    return made;
}

TEST(GlossRecord, ReturnsTheRecordOrNothing) {
    const Buffer cat = *format::encode_gloss_record(GlossRecord{{{"noun", {"cat"}}}}, kNames);
    Buffer body = cat;
    body.insert(body.end(), {1, 9, 0});  // a record with pos_idx 9
    body.push_back(0);                    // an empty record
    const auto made = hand_made(
        {
            {"bad", cat.size()},
            {"cat", 0},
            {"empty", cat.size() + 3},
            {"end", body.size()},
            {"middle", 2},
            {"past", body.size() + 1},
            {"zzz", std::uint64_t{1} << 40},
        },
        body);
    const struct {
        const char* headword;
        std::optional<GlossRecord> expected;
    } cases[] = {
        {"cat", GlossRecord{{{"noun", {"cat"}}}}},
        {"empty", GlossRecord{}},
        {"dog", std::nullopt},     // not a key
        {"ca", std::nullopt},      // a prefix of a key
        {"cats", std::nullopt},    // an extension of a key
        {"", std::nullopt},        // the empty key
        {"bad", std::nullopt},     // pos_idx out of range
        {"end", std::nullopt},     // offset at the end of the body: empty buffer
        {"past", std::nullopt},    // offset past the end
        {"zzz", std::nullopt},     // offset far past the end
        {"middle", std::nullopt},  // inside a record: pos_idx 3 here
    };
    for (const auto& c : cases) EXPECT_EQ(made.dict.gloss_record(c.headword), c.expected) << c.headword;
}

TEST(GlossRecord, ReadsEveryHeadwordOfABuiltDataSet) {
    const std::vector<testing::TestHeadword> headwords = {
        {"talo", {{"noun", {"house", "building"}}}},
        {"kuusi", {{"num", {"six"}}, {"noun", {"spruce"}}}},
        {"in", {{"adj", {"(colloquial) in, fashionable"}}}},
        {"Äänekoski", {{"name", {"a town in Finland"}}}},
        {"olla", {{"verb", {"to be", "", "to have"}}}},
        {"tyhjä", {}},
    };
    const auto t = testing::make_test_dictionary(headwords);
    for (const auto& entry : headwords) {
        const auto record = t.dict.gloss_record(entry.headword);
        ASSERT_TRUE(record.has_value()) << entry.headword;
        EXPECT_EQ(record->groups, entry.groups) << entry.headword;
    }
}

}  // namespace
}  // namespace lomperi::morphology
