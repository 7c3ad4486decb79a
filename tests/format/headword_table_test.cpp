#include <gtest/gtest.h>

#include "format/headword_table.hpp"
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

TEST(HeadwordTable, RoundTripAndDamage) {
    const Buffer file = table_of({"aamu", "", "äiti", "yö"});
    const auto table = HeadwordTable::parse(file);
    ASSERT_TRUE(table) << table.error().report();
    ASSERT_EQ(table->size(), 4u);
    EXPECT_EQ((*table)[0], "aamu");
    EXPECT_EQ((*table)[1], "");
    EXPECT_EQ((*table)[2], "äiti");
    EXPECT_EQ((*table)[3], "yö");
    EXPECT_EQ(HeadwordTable::parse(table_of({}))->size(), 0u);

    const auto header = [](std::uint32_t count) { return concat({bytes_of("LMPH"), {1}, u32le(count)}); };
    const struct {
        Buffer input;
        std::string message;
    } damaged[] = {
        {bytes_of("LMPH"), "truncated headword header"},
        {concat({bytes_of("LMPX"), {1}, u32le(0)}), "bad headword magic"},
        {concat({bytes_of("LMPH"), {2}, u32le(0)}), "unsupported headword version 2"},
        {concat({header(2), u32le(1)}), "truncated headword offsets"},
        {concat({header(0xFFFFFFFF), u32le(1)}), "truncated headword offsets"},
        {concat({header(2), u32le(2), u32le(1), bytes_of("ab")}), "headword 1 ends out of order"},
        {concat({header(1), u32le(3), bytes_of("ab")}), "headword 0 ends out of order"},
        {concat({header(2), u32le(1), u32le(3), bytes_of("\xC3\xA4x")}), "headword 0 ends inside a character"},
        {concat({header(1), u32le(1), bytes_of("ab")}), "headword text longer than its headwords"},
        {concat({header(1), u32le(1), bytes_of("\xFF")}), "non-utf8 headword text"},
    };
    for (const auto& c : damaged) {
        const auto parsed = HeadwordTable::parse(c.input);
        ASSERT_FALSE(parsed) << c.message;
        EXPECT_EQ(parsed.error().message(), c.message);
    }
}

}  // namespace
}  // namespace lomperi::format
