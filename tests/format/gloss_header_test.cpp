#include <gtest/gtest.h>

#include "format/gloss.hpp"
#include "format/gloss_writer.hpp"
#include "bytes_helpers.hpp"

namespace lomperi::format {
namespace {

using test::Buffer;
using test::bytes_of;
using test::concat;
using test::u32le;

// "LMPB", version 1, the names noun and verb, plain size 7, C = 3, body abc.
Buffer valid_header() {
    return concat({bytes_of("LMPB"), {1, 2, 4}, bytes_of("noun"), {4}, bytes_of("verb"), u32le(7), u32le(3),
                   bytes_of("abc")});
}

Buffer prefix(const Buffer& bytes, std::size_t length) { return Buffer(bytes.begin(), bytes.begin() + length); }

struct HeaderFailure {
    const char* name;
    Buffer input;
    std::string report;
};

TEST(ParseGlossHeader, ReportsEachDamageWithItsMessage) {
    const Buffer valid = valid_header();
    const std::vector<HeaderFailure> cases = {
        {"empty", {}, "truncated header"},
        {"three bytes not a magic prefix", {'x', 'y', 'z'}, "truncated header"},
        {"magic alone", bytes_of("LMPB"), "truncated header"},
        {"wrong magic", concat({bytes_of("LMPX"), {1, 0}}), "bad magic"},
        {"wrong magic, four bytes", bytes_of("LMPX"), "bad magic"},
        {"version 2", concat({bytes_of("LMPB"), {2}}), "unsupported version 2"},
        {"version 0", concat({bytes_of("LMPB"), {0, 0}}), "unsupported version 0"},
        {"version 255", concat({bytes_of("LMPB"), {255}}), "unsupported version 255"},
        {"no name count", concat({bytes_of("LMPB"), {1}}), "truncated header"},
        {"no name length", concat({bytes_of("LMPB"), {1, 1}}), "truncated header"},
        {"name cut short", concat({bytes_of("LMPB"), {1, 1, 4}, bytes_of("nou")}), "truncated header"},
        {"bad utf8 name", concat({bytes_of("LMPB"), {1, 1, 2, 'a', 0xFF}}),
         "bad utf8 in pos table\n\nCaused by:\n    invalid utf-8 sequence of 1 bytes from index 1"},
        {"incomplete utf8 name", concat({bytes_of("LMPB"), {1, 1, 1, 0xC3}}),
         "bad utf8 in pos table\n\nCaused by:\n    incomplete utf-8 byte sequence from index 0"},
        {"plain size cut", prefix(valid, 19), "truncated header"},
        {"no compressed size", prefix(valid, 20), "truncated header"},
        {"compressed size cut", prefix(valid, 23), "truncated header"},
        {"body one byte short", prefix(valid, valid.size() - 1), "truncated header"},
        {"C larger than the rest",
         concat({bytes_of("LMPB"), {1, 0}, u32le(0), u32le(0xFFFFFFFF), bytes_of("abc")}), "truncated header"},
    };
    for (const auto& c : cases) {
        const auto header = parse_gloss_header(c.input);
        ASSERT_FALSE(header.has_value()) << c.name;
        EXPECT_EQ(header.error().report(), c.report) << c.name;
    }
}

TEST(ParseGlossHeader, ReadsNamesSizesAndBodyAsViews) {
    const Buffer input = valid_header();
    const auto header = parse_gloss_header(input);
    ASSERT_TRUE(header.has_value()) << header.error().report();
    EXPECT_EQ(header->pos_names, (std::vector<std::string_view>{"noun", "verb"}));
    EXPECT_EQ(header->plain_size, 7u);
    EXPECT_EQ(as_text(header->compressed), "abc");
    EXPECT_EQ(header->compressed.data(), input.data() + input.size() - 3);
    EXPECT_EQ(header->pos_names[0].data(), reinterpret_cast<const char*>(input.data()) + 7);
}

TEST(ParseGlossHeader, AcceptsEdgeShapes) {
    const struct {
        const char* name;
        Buffer input;
        std::size_t names;
        std::size_t compressed;
    } cases[] = {
        {"no names, empty body", concat({bytes_of("LMPB"), {1, 0}, u32le(0), u32le(0)}), 0, 0},
        {"trailing bytes ignored", concat({valid_header(), bytes_of("trailing")}), 2, 3},
        {"empty name", concat({bytes_of("LMPB"), {1, 1, 0}, u32le(5), u32le(1), {9}}), 1, 1},
    };
    for (const auto& c : cases) {
        const auto header = parse_gloss_header(c.input);
        ASSERT_TRUE(header.has_value()) << c.name << ": " << header.error().report();
        EXPECT_EQ(header->pos_names.size(), c.names) << c.name;
        EXPECT_EQ(header->compressed.size(), c.compressed) << c.name;
    }
}

TEST(AssembleGlossesBin, WritesTheLayoutTheParserReads) {
    const std::vector<std::string> names = {"noun", "verb"};
    const auto bytes = assemble_glosses_bin(names, 7, as_bytes("abc"));
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, valid_header());
}

TEST(WriteGlossesBin, RejectsTablesThatDoNotFit) {
    const std::vector<std::string> long_name = {std::string(256, 'a')};
    EXPECT_FALSE(write_glosses_bin(long_name, {}, 1).has_value());
    const std::vector<std::string> many(256, "x");
    EXPECT_FALSE(write_glosses_bin(many, {}, 1).has_value());
}

}  // namespace
}  // namespace lomperi::format
