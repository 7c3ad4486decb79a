#include <gtest/gtest.h>

#include "format/headword_table.hpp"

#include <optional>
#include "bytes_helpers.hpp"

namespace lomperi::format {
namespace {

using test::Buffer;
using test::bytes_of;
using test::concat;
using test::u32le;

Buffer table_of(std::initializer_list<std::string_view> headwords) {
    HeadwordTableWriter writer;
    for (const auto headword : headwords) EXPECT_TRUE(writer.add(headword));
    return std::move(writer).finish();
}

TEST(HeadwordTable, RoundTrip) {
    const Buffer file = table_of({"aamu", "", "äiti", "yö"});
    const auto table = HeadwordTable::parse(file);
    ASSERT_TRUE(table) << table.error().report();
    ASSERT_EQ(table->size(), 4u);
    const std::optional<std::string_view> expected[] = {"aamu", "", "äiti", "yö", std::nullopt};
    for (std::size_t id = 0; id < std::size(expected); ++id) EXPECT_EQ(table->at(id), expected[id]) << id;
    EXPECT_EQ(HeadwordTable::parse(table_of({}))->size(), 0u);
}

Buffer header(std::uint32_t count) { return concat({bytes_of("LMPH"), {1}, u32le(count)}); }

TEST(HeadwordTable, DamagedHeaderFailsTheParse) {
    const struct {
        Buffer input;
        std::string message;
    } damaged[] = {
        {bytes_of("LMPH"), "truncated headword header"},
        {concat({bytes_of("LMPX"), {1}, u32le(0)}), "bad headword magic"},
        {concat({bytes_of("LMPH"), {2}, u32le(0)}), "unsupported headword version 2"},
        {concat({header(2), u32le(1)}), "truncated headword offsets"},
        {concat({header(0xFFFFFFFF), u32le(1)}), "truncated headword offsets"},
        {concat({header(1), u32le(3), bytes_of("ab")}), "headword offsets do not end at the text's end"},
        {concat({header(1), u32le(1), bytes_of("ab")}), "headword offsets do not end at the text's end"},
        {concat({header(0), bytes_of("ab")}), "headword offsets do not end at the text's end"},
    };
    for (const auto& c : damaged) {
        const auto parsed = HeadwordTable::parse(c.input);
        ASSERT_FALSE(parsed) << c.message;
        EXPECT_EQ(parsed.error().message(), c.message);
    }
}

// Damage inside the table shows as the headwords it touches being absent.
TEST(HeadwordTable, DamagedHeadwordsReadAsAbsent) {
    const struct {
        Buffer input;
        std::vector<std::optional<std::string_view>> headwords;
    } cases[] = {
        {concat({header(3), u32le(2), u32le(1), u32le(3), bytes_of("abc")}), {"ab", std::nullopt, "bc"}},
        {concat({header(2), u32le(1), u32le(3), bytes_of("\xC3\xA4x")}), {std::nullopt, std::nullopt}},
        {concat({header(2), u32le(1), u32le(2), bytes_of("a\xFF")}), {"a", std::nullopt}},
        {concat({header(2), u32le(5), u32le(2), bytes_of("ab")}), {std::nullopt, std::nullopt}},
    };
    for (const auto& c : cases) {
        const auto table = HeadwordTable::parse(c.input);
        ASSERT_TRUE(table) << table.error().report();
        for (std::size_t id = 0; id < c.headwords.size(); ++id) EXPECT_EQ(table->at(id), c.headwords[id]) << id;
    }
}

}  // namespace
}  // namespace lomperi::format
