// The parts of a data set that spare start-up work: the gloss body in frames
// and the stored headword table. Each must read exactly as the plain layout.
#include <gtest/gtest.h>

#include <fmt/format.h>

#include "core/morphology/dictionary.hpp"
#include "support/test_data.hpp"

namespace lomperi::morphology {
namespace {

// Records of different lengths, so that frames end at different places.
std::vector<testing::TestHeadword> headwords() {
    std::vector<testing::TestHeadword> out;
    for (int k = 0; k < 300; ++k) {
        std::vector<std::string> meanings;
        for (int m = 0; m <= k % 7; ++m) meanings.push_back(fmt::format("meaning {} of word {}", m, k));
        out.push_back({fmt::format("sana{:03}", k), {{k % 3 == 0 ? "verb" : "noun", meanings}}});
    }
    return out;
}

DataSet built(std::size_t frame_size) {
    auto builder = testing::test_builder(headwords(), {});
    builder.set_frame_size(frame_size);
    return std::move(*builder.build());
}

// Counted on a fresh load: frames already read are not counted.
std::size_t frame_count(const DataSet& data) {
    const auto dict = load_dictionary(data.files());
    std::size_t frames = 0;
    while (dict && dict->gloss_store.decompress_next()) ++frames;
    return frames;
}

TEST(FramedGlosses, EveryRecordReadsAsFromOneFrame) {
    const DataSet one = built(std::size_t{1} << 30);
    const auto reference = load_dictionary(one.files());
    ASSERT_TRUE(reference) << reference.error().report();
    EXPECT_EQ(frame_count(one), 1u);
    const struct {
        std::size_t frame_size;
        std::size_t frames;
    } cases[] = {{1, 300}, {100, 0}, {4096, 0}};
    for (const auto& c : cases) {
        const DataSet data = built(c.frame_size);
        const auto dict = load_dictionary(data.files());
        ASSERT_TRUE(dict) << dict.error().report();
        EXPECT_EQ(dict->gloss_store.plain_size(), reference->gloss_store.plain_size());
        for (const auto& entry : headwords()) {
            EXPECT_EQ(dict->gloss_record(entry.headword), reference->gloss_record(entry.headword))
                << entry.headword << " in frames of " << c.frame_size;
        }
        const std::size_t frames = frame_count(data);
        EXPECT_TRUE(c.frames == 0 || frames == c.frames) << frames << ": not a frame for each record";
        EXPECT_GT(frames, 1u) << c.frame_size;
    }
}

TEST(StoredHeadwords, ListAsFromTheMapAndMustMatchIt) {
    const DataSet data = built(4096);
    DataSet listed = data;
    listed[DataFile::headwords_bin].clear();
    const auto stored = load_dictionary(data.files());
    const auto from_map = load_dictionary(listed.files());
    ASSERT_TRUE(stored && from_map);
    EXPECT_TRUE(std::ranges::equal(stored->headwords, from_map->headwords));
    EXPECT_EQ(stored->headwords.size(), 300u);

    const auto other = testing::build_test_data({{"aamu", {}}, {"ilta", {}}}, {});
    auto shifted = headwords();
    shifted.front().headword = "sana";
    const auto renamed = testing::build_test_data(shifted, {});
    for (const auto* table : {&(*other)[DataFile::headwords_bin], &(*renamed)[DataFile::headwords_bin]}) {
        DataSet mixed = data;
        mixed[DataFile::headwords_bin] = *table;
        const auto loaded = load_dictionary(mixed.files());
        ASSERT_FALSE(loaded);
        EXPECT_EQ(loaded.error().report(), "headwords.bin does not match glosses.fst");
    }
}

}  // namespace
}  // namespace lomperi::morphology
