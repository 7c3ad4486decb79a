#include <gtest/gtest.h>

#include "format/gloss.hpp"
#include "format/gloss_writer.hpp"
#include "bytes_helpers.hpp"

namespace lomperi::format {
namespace {

using test::Buffer;
using test::bytes_of;
using test::concat;
using test::u16le;

const std::vector<std::string> kNames = {"noun", "verb", "adj"};

Buffer meaning(std::string_view text) { return concat({u16le(static_cast<std::uint16_t>(text.size())), bytes_of(text)}); }

TEST(ParseGlossRecord, DecodesTheDocumentedExample) {
    const Buffer input = concat({{0x01, 0x00, 0x02}, meaning("building"), meaning("farm, homestead")});
    ASSERT_EQ(input.size(), 30u);
    const auto record = parse_gloss_record(input, kNames);
    ASSERT_TRUE(record.has_value()) << record.error().report();
    EXPECT_EQ(*record, (GlossRecord{{{"noun", {"building", "farm, homestead"}}}}));
}

TEST(ParseGlossRecord, DecodesEdgeShapes) {
    const struct {
        const char* name;
        Buffer input;
        GlossRecord expected;
    } cases[] = {
        {"no groups", {0x00}, GlossRecord{}},
        {"bytes after the record are not read", {0x00, 0xFF, 0xFF}, GlossRecord{}},
        {"empty meaning", concat({{1, 2, 1}, meaning("")}), GlossRecord{{{"adj", {""}}}}},
        {"group without meanings", {1, 1, 0}, GlossRecord{{{"verb", {}}}}},
        {"groups keep stored order, pos may repeat",
         concat({{3, 1, 1}, meaning("to run"), {0, 1}, meaning("a run"), {1, 1}, meaning("to flee")}),
         GlossRecord{{{"verb", {"to run"}}, {"noun", {"a run"}}, {"verb", {"to flee"}}}}},
        {"multibyte text", concat({{1, 0, 1}, meaning("äiti, Äänekoski €𝄞")}),
         GlossRecord{{{"noun", {"äiti, Äänekoski €𝄞"}}}}},
    };
    for (const auto& c : cases) {
        const auto record = parse_gloss_record(c.input, kNames);
        ASSERT_TRUE(record.has_value()) << c.name << ": " << record.error().report();
        EXPECT_EQ(*record, c.expected) << c.name;
    }
}

TEST(ParseGlossRecord, ReportsEachDamageWithItsMessage) {
    const struct {
        const char* name;
        Buffer input;
        std::vector<std::string> names;
        std::string report;
    } cases[] = {
        {"empty", {}, kNames, "empty buffer"},
        {"no group header", {1}, kNames, "truncated record"},
        {"ends right after pos_idx", {1, 0}, kNames, "truncated record"},
        {"second group missing", concat({{2, 0, 1}, meaning("a")}), kNames, "truncated record"},
        {"pos_idx out of range", {1, 3, 0}, kNames, "pos_idx 3 out of range"},
        {"pos_idx 255", {1, 255, 0}, kNames, "pos_idx 255 out of range"},
        {"no names at all", {1, 0, 0}, {}, "pos_idx 0 out of range"},
        {"bad index before missing meanings", {1, 7, 5}, kNames, "pos_idx 7 out of range"},
        {"meaning length missing", {1, 0, 1}, kNames, "truncated meaning length"},
        {"meaning length half there", {1, 0, 1, 5}, kNames, "truncated meaning length"},
        {"second meaning length missing", concat({{1, 0, 2}, meaning("ab")}), kNames, "truncated meaning length"},
        {"meaning one byte short", concat({{1, 0, 1}, u16le(3), bytes_of("ab")}), kNames, "truncated meaning bytes"},
        {"meaning length 65535", concat({{1, 0, 1}, u16le(0xFFFF), bytes_of("ab")}), kNames, "truncated meaning bytes"},
        {"bad utf8 meaning", concat({{1, 0, 1}, u16le(3), {'a', 'b', 0x80}}), kNames,
         "bad utf8 in meaning\n\nCaused by:\n    invalid utf-8 sequence of 1 bytes from index 2"},
        {"meaning ends inside a character", concat({{1, 0, 1}, u16le(2), {'a', 0xE2}, {0x82, 0xAC}}), kNames,
         "bad utf8 in meaning\n\nCaused by:\n    incomplete utf-8 byte sequence from index 1"},
    };
    for (const auto& c : cases) {
        const auto record = parse_gloss_record(c.input, c.names);
        ASSERT_FALSE(record.has_value()) << c.name;
        EXPECT_EQ(record.error().report(), c.report) << c.name;
    }
}

TEST(GlossRecordWriter, RoundTripsThroughTheParser) {
    const std::vector<GlossRecord> records = {
        {},
        {{{"noun", {"building", "farm, homestead"}}}},
        {{{"verb", {"", std::string(65535, 'x')}}, {"adj", {"good"}}, {"noun", {}}}},
        {{{"noun", std::vector<std::string>(255, "m")}}},
        {std::vector<PosGroup>(255, PosGroup{"adj", {"a"}})},
    };
    for (const auto& record : records) {
        const auto bytes = encode_gloss_record(record, kNames);
        ASSERT_TRUE(bytes.has_value()) << bytes.error().report();
        const auto decoded = parse_gloss_record(*bytes, kNames);
        ASSERT_TRUE(decoded.has_value()) << decoded.error().report();
        EXPECT_EQ(*decoded, record);
    }
}

TEST(GlossRecordWriter, RefusesWhatTheFieldsCannotHoldAndLeavesOutputAlone) {
    const std::vector<GlossRecord> records = {
        {{{"pron", {"I"}}}},
        {{{"noun", {std::string(65536, 'x')}}}},
        {{{"noun", std::vector<std::string>(256, "m")}}},
        {std::vector<PosGroup>(256, PosGroup{"adj", {}})},
        {{{"noun", {"ok"}}, {"nope", {}}}},
    };
    for (const auto& record : records) {
        Buffer out = {42};
        EXPECT_FALSE(append_gloss_record(out, record, kNames).has_value());
        EXPECT_EQ(out, Buffer{42});
    }
}

}  // namespace
}  // namespace lomperi::format
