#include <gtest/gtest.h>

#include "format/multi_index.hpp"
#include "format/multi_writer.hpp"
#include "bytes_helpers.hpp"

namespace lomperi::format {
namespace {

using test::Buffer;
using test::bytes_of;
using test::concat;
using test::u32le;

Buffer multi_file(std::uint32_t count, const Buffer& entries) {
    return concat({bytes_of("LMPM"), {1}, u32le(count), entries});
}

TEST(MultiIndexParse, ReportsEachDamageWithItsMessage) {
    const struct {
        const char* name;
        Buffer input;
        std::string message;
    } cases[] = {
        {"empty", {}, "truncated multi header"},
        {"eight bytes of a valid start", concat({bytes_of("LMPM"), {1, 0, 0, 0}}), "truncated multi header"},
        {"eight zero bytes", Buffer(8, 0), "truncated multi header"},
        {"wrong magic", concat({bytes_of("LMPB"), {1}, u32le(0)}), "bad multi magic"},
        {"version 2", concat({bytes_of("LMPM"), {2}, u32le(0)}), "unsupported multi version 2"},
        {"version 0", concat({bytes_of("LMPM"), {0}, u32le(0)}), "unsupported multi version 0"},
        {"one entry, no bytes", multi_file(1, {}), "truncated multi entry header"},
        {"one entry, ids missing", multi_file(1, {2}), "truncated multi entry body"},
        {"one entry, one id byte short", multi_file(1, concat({{1}, {1, 2, 3}})), "truncated multi entry body"},
        {"second entry missing", multi_file(2, concat({{1}, u32le(5)})), "truncated multi entry header"},
        {"huge count, few bytes", multi_file(0xFFFFFFFF, {0, 0}), "truncated multi entry header"},
    };
    for (const auto& c : cases) {
        const auto index = MultiIndex::parse(c.input);
        ASSERT_FALSE(index.has_value()) << c.name;
        EXPECT_EQ(index.error().report(), c.message) << c.name;
    }
}

TEST(MultiIndexParse, FindsEntryStartsAndKeepsTheBodyAsAView) {
    const Buffer input = multi_file(3, concat({{2}, u32le(4), u32le(9), {0}, {1}, u32le(0x7FFFFFFF), {7, 7}}));
    const auto index = MultiIndex::parse(input);
    ASSERT_TRUE(index.has_value()) << index.error().report();
    EXPECT_EQ(index->entry_offsets, (std::vector<std::uint32_t>{0, 9, 10}));
    EXPECT_EQ(index->size(), 3u);
    EXPECT_EQ(index->body.data(), input.data() + 9);
    EXPECT_EQ(index->body.size(), input.size() - 9);

    const std::vector<std::vector<std::uint32_t>> expected = {{4, 9}, {}, {0x7FFFFFFF}};
    for (std::uint32_t k = 0; k < 3; ++k) {
        const auto ids = index->base_ids(k);
        ASSERT_TRUE(ids.has_value()) << k;
        EXPECT_EQ(*ids, expected[k]) << k;
    }
    EXPECT_EQ(index->base_ids(3).error().message(), "multi index 3 out of range");
    EXPECT_EQ(index->base_ids(0xFFFFFFFF).error().message(), "multi index 4294967295 out of range");
}

TEST(MultiIndexParse, EdgeShapes) {
    const Buffer empty_file = multi_file(0, {});
    const auto empty = MultiIndex::parse(empty_file);
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->size(), 0u);
    EXPECT_EQ(empty->base_ids(0).error().message(), "multi index 0 out of range");

    const Buffer single_file = multi_file(1, concat({{1}, u32le(0x01020304)}));
    const auto single = MultiIndex::parse(single_file);
    ASSERT_TRUE(single.has_value());
    EXPECT_EQ(*single->base_ids(0), std::vector<std::uint32_t>{0x01020304});

    const Buffer excess_file = multi_file(1, concat({{0}, {0xFF, 0xFF}}));
    const auto excess = MultiIndex::parse(excess_file);
    ASSERT_TRUE(excess.has_value());
    EXPECT_EQ(*excess->base_ids(0), std::vector<std::uint32_t>{});
}

TEST(MultiIndexBaseIds, GuardsAnIndexBuiltByHand) {
    const Buffer body = {2, 1, 0, 0, 0};
    MultiIndex index;
    index.body = body;
    index.entry_offsets = {0, 5, 9};
    EXPECT_EQ(index.base_ids(0).error().message(), "truncated multi ids");
    EXPECT_EQ(index.base_ids(1).error().message(), "truncated multi entry");
    EXPECT_EQ(index.base_ids(2).error().message(), "truncated multi entry");
}

// Stored starts stand in for the walk; those that disagree with the entries
// fail the parse when sampled, and otherwise fail the read of their entry.
TEST(MultiIndexParse, StoredOffsetsReadAsTheWalk) {
    const Buffer input = multi_file(3, concat({{2}, u32le(4), u32le(9), {0}, {1}, u32le(7)}));
    const auto walked = MultiIndex::parse(input);
    ASSERT_TRUE(walked.has_value());
    const Buffer offsets = write_multi_offsets(*walked);
    const auto stored = MultiIndex::parse(input, offsets);
    ASSERT_TRUE(stored.has_value()) << stored.error().report();
    ASSERT_EQ(stored->size(), 3u);
    for (std::uint32_t k = 0; k < 3; ++k) EXPECT_EQ(*stored->base_ids(k), *walked->base_ids(k)) << k;

    const auto offsets_of = [](std::uint32_t count, std::initializer_list<std::uint32_t> starts) {
        Buffer out = concat({bytes_of("LMPO"), {1}, u32le(count)});
        for (const auto start : starts) out = concat({out, u32le(start)});
        return out;
    };
    const struct {
        Buffer offsets;
        std::string message;
    } damaged[] = {
        {bytes_of("LMPO"), "truncated multi offsets header"},
        {concat({bytes_of("LMPX"), {1}, u32le(3)}), "bad multi offsets magic"},
        {concat({bytes_of("LMPO"), {2}, u32le(3)}), "unsupported multi offsets version 2"},
        {offsets_of(2, {0, 9}), "multi offsets do not match the entries"},
        {offsets_of(3, {0, 9}), "multi offsets do not match the entries"},
        {offsets_of(3, {0, 9, 11}), "multi offsets do not match the entries"},
        {offsets_of(3, {0, 10, 9}), "multi offsets do not match the entries"},
        {offsets_of(3, {0, 9, 0xFFFFFFFF}), "multi offsets do not match the entries"},
    };
    for (const auto& c : damaged) {
        const auto parsed = MultiIndex::parse(input, c.offsets);
        ASSERT_FALSE(parsed.has_value()) << c.message;
        EXPECT_EQ(parsed.error().message(), c.message);
    }
}

TEST(MultiWriter, RoundTripsThroughTheParser) {
    const std::vector<std::vector<std::uint32_t>> entries = {
        {1, 2}, {}, {0xFFFFFFFF}, std::vector<std::uint32_t>(255, 3), {5, 6, 7}};
    const auto bytes = write_multi_bin(entries);
    ASSERT_TRUE(bytes.has_value());
    const auto index = MultiIndex::parse(*bytes);
    ASSERT_TRUE(index.has_value()) << index.error().report();
    ASSERT_EQ(index->size(), entries.size());
    for (std::uint32_t k = 0; k < entries.size(); ++k) EXPECT_EQ(*index->base_ids(k), entries[k]) << k;
    EXPECT_EQ(bytes->size(), index->body.size() + 9);
}

TEST(MultiWriter, RefusesMoreThan255Ids) {
    const std::vector<std::vector<std::uint32_t>> entries = {std::vector<std::uint32_t>(256, 1)};
    EXPECT_FALSE(write_multi_bin(entries).has_value());
}

}  // namespace
}  // namespace lomperi::format
