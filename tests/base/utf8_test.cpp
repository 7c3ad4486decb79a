#include <gtest/gtest.h>

#include "base/utf8.hpp"
#include <string>
#include <vector>

namespace lomperi {
namespace {

using Buffer = std::vector<std::uint8_t>;

struct Utf8Case {
    const char* name;
    Buffer input;
    const char* error;  // nullptr: valid
};

const Utf8Case kCases[] = {
    {"empty", {}, nullptr},
    {"ascii", {'a', 'b', 'c'}, nullptr},
    {"two-byte", {0xC3, 0xA4}, nullptr},
    {"three-byte", {0xE2, 0x82, 0xAC}, nullptr},
    {"four-byte", {0xF0, 0x9D, 0x84, 0x9E}, nullptr},
    {"U+0080, lowest two-byte", {0xC2, 0x80}, nullptr},
    {"U+0800, lowest three-byte", {0xE0, 0xA0, 0x80}, nullptr},
    {"U+D7FF, below surrogates", {0xED, 0x9F, 0xBF}, nullptr},
    {"U+E000, above surrogates", {0xEE, 0x80, 0x80}, nullptr},
    {"U+FFFF", {0xEF, 0xBF, 0xBF}, nullptr},
    {"U+10000, lowest four-byte", {0xF0, 0x90, 0x80, 0x80}, nullptr},
    {"U+10FFFF, highest", {0xF4, 0x8F, 0xBF, 0xBF}, nullptr},
    {"NUL", {0x00}, nullptr},

    {"lone continuation", {0x80}, "invalid utf-8 sequence of 1 bytes from index 0"},
    {"continuation after ascii", {'a', 0xBF, 'b'}, "invalid utf-8 sequence of 1 bytes from index 1"},
    {"overlong NUL C0 80", {0xC0, 0x80}, "invalid utf-8 sequence of 1 bytes from index 0"},
    {"overlong C1 BF", {0xC1, 0xBF}, "invalid utf-8 sequence of 1 bytes from index 0"},
    {"overlong three-byte E0 80 80", {0xE0, 0x80, 0x80}, "invalid utf-8 sequence of 1 bytes from index 0"},
    {"overlong three-byte E0 9F BF", {0xE0, 0x9F, 0xBF}, "invalid utf-8 sequence of 1 bytes from index 0"},
    {"overlong four-byte F0 8F BF BF", {0xF0, 0x8F, 0xBF, 0xBF}, "invalid utf-8 sequence of 1 bytes from index 0"},
    {"surrogate D800", {0xED, 0xA0, 0x80}, "invalid utf-8 sequence of 1 bytes from index 0"},
    {"surrogate DFFF", {0xED, 0xBF, 0xBF}, "invalid utf-8 sequence of 1 bytes from index 0"},
    {"U+110000", {0xF4, 0x90, 0x80, 0x80}, "invalid utf-8 sequence of 1 bytes from index 0"},
    {"lead F5", {0xF5, 0x80, 0x80, 0x80}, "invalid utf-8 sequence of 1 bytes from index 0"},
    {"lead FE", {0xFE}, "invalid utf-8 sequence of 1 bytes from index 0"},
    {"lead FF after text", {'o', 'k', 0xFF}, "invalid utf-8 sequence of 1 bytes from index 2"},
    {"index counts bytes, not characters", {0xC3, 0xA4, 0xC3, 0xB6, 0xFF}, "invalid utf-8 sequence of 1 bytes from index 4"},

    {"two-byte cut at end", {'a', 'b', 0xC3}, "incomplete utf-8 byte sequence from index 2"},
    {"three-byte cut after 1", {0xE2}, "incomplete utf-8 byte sequence from index 0"},
    {"three-byte cut after 2", {'x', 0xE2, 0x82}, "incomplete utf-8 byte sequence from index 1"},
    {"four-byte cut after 1", {0xF0}, "incomplete utf-8 byte sequence from index 0"},
    {"four-byte cut after 2", {0xF0, 0x9D}, "incomplete utf-8 byte sequence from index 0"},
    {"four-byte cut after 3", {0xF0, 0x9D, 0x84}, "incomplete utf-8 byte sequence from index 0"},
    {"E0 cut after a bad second byte", {0xE0, 0x80}, "invalid utf-8 sequence of 1 bytes from index 0"},
    {"surrogate prefix at end", {0xED, 0xA0}, "invalid utf-8 sequence of 1 bytes from index 0"},
    {"above U+10FFFF prefix at end", {0xF4, 0x90}, "invalid utf-8 sequence of 1 bytes from index 0"},

    {"two-byte cut in the middle", {0xC3, 'a'}, "invalid utf-8 sequence of 1 bytes from index 0"},
    {"two-byte lead twice", {0xC3, 0xC3, 0xA4}, "invalid utf-8 sequence of 1 bytes from index 0"},
    {"three-byte cut after 1 in the middle", {0xE2, 'a', 'b'}, "invalid utf-8 sequence of 1 bytes from index 0"},
    {"three-byte cut after 2 in the middle", {'x', 0xE2, 0x82, 'y'}, "invalid utf-8 sequence of 2 bytes from index 1"},
    {"four-byte cut after 2 in the middle", {0xF0, 0x9D, 'a'}, "invalid utf-8 sequence of 2 bytes from index 0"},
    {"four-byte cut after 3 in the middle", {0xF0, 0x9D, 0x84, 'a'}, "invalid utf-8 sequence of 3 bytes from index 0"},
    {"four-byte followed by a new lead", {0xF0, 0x9D, 0x84, 0xC3, 0xA4}, "invalid utf-8 sequence of 3 bytes from index 0"},
    {"first fault wins over a later one", {0xE2, 0x82, 'a', 0xF0}, "invalid utf-8 sequence of 2 bytes from index 0"},
};

TEST(CheckUtf8, FollowsTheMaximalSubpartRule) {
    for (const auto& c : kCases) {
        const auto result = check_utf8(c.input);
        if (c.error == nullptr) {
            EXPECT_TRUE(result.has_value()) << c.name << ": " << result.error().report();
            EXPECT_TRUE(utf8_text(c.input).has_value()) << c.name;
            continue;
        }
        ASSERT_FALSE(result.has_value()) << c.name;
        EXPECT_EQ(result.error().report(), c.error) << c.name;
        EXPECT_FALSE(is_utf8(c.input)) << c.name;
    }
}

// Runs of ASCII are skipped in steps of several bytes: a fault or a letter
// is found at every place in and after such a run, and at its true index.
TEST(CheckUtf8, FindsAFaultAtEveryPlaceInLongAscii) {
    for (std::size_t place = 0; place < 40; ++place) {
        Buffer bad(40, 'a');
        bad[place] = 0xFF;
        const auto result = check_utf8(bad);
        ASSERT_FALSE(result.has_value()) << place;
        EXPECT_EQ(result.error().report(), "invalid utf-8 sequence of 1 bytes from index " + std::to_string(place));
        Buffer good(40, 'a');
        good.insert(good.begin() + static_cast<std::ptrdiff_t>(place), {0xC3, 0xA4});
        EXPECT_TRUE(check_utf8(good).has_value()) << place;
        Buffer cut(40, 'a');
        cut.push_back(0xC3);
        EXPECT_FALSE(check_utf8(Bytes(cut).subspan(place)).has_value()) << place;
    }
}

// Every two-byte string is judged as a reference decoder of the rule would
// judge it.
TEST(CheckUtf8, AgreesWithAReferenceOverAllTwoByteInputs) {
    for (unsigned a = 0; a < 256; ++a) {
        for (unsigned b = 0; b < 256; ++b) {
            const Buffer input = {static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b)};
            const bool a_ascii = a < 0x80;
            const bool b_ascii = b < 0x80;
            const bool b_cont = (b & 0xC0) == 0x80;
            const bool expected = (a_ascii && b_ascii) || (a >= 0xC2 && a <= 0xDF && b_cont);
            EXPECT_EQ(is_utf8(input), expected) << std::hex << a << " " << b;
        }
    }
}

// The encoder and the decoder agree on every scalar value; anything else
// encodes as U+FFFD.
TEST(Utf8, EveryScalarValueRoundTrips) {
    std::string text;
    for (char32_t ch = 0; ch <= 0x110000; ++ch) {
        text.clear();
        append_utf8(text, ch);
        const bool scalar = ch <= 0x10FFFF && (ch < 0xD800 || ch > 0xDFFF);
        const Utf8Step step = decode_utf8(text);
        ASSERT_EQ(step.status, Utf8Step::Ok) << std::hex << static_cast<std::uint32_t>(ch);
        ASSERT_EQ(step.length, text.size()) << std::hex << static_cast<std::uint32_t>(ch);
        ASSERT_EQ(step.code_point, scalar ? ch : U'\uFFFD') << std::hex << static_cast<std::uint32_t>(ch);
    }
}

// Every byte belongs to one character; bytes that are not UTF-8 come as
// U+FFFD, a maximal invalid subpart or a sequence cut off by the end each one.
TEST(CodePoints, WalkEveryByteOnce) {
    using S = Utf8Step;
    struct Row {
        const char* name;
        std::string text;
        std::vector<CodePoint> expected;  // offset, length, value, status
    };
    const Row rows[] = {
        {"empty", "", {}},
        {"ascii", "ab", {{0, 1, U'a', S::Ok}, {1, 1, U'b', S::Ok}}},
        {"letters of two to four bytes", "\xC3\xA4\xE2\x82\xAC\xF0\x9D\x84\x9E",
         {{0, 2, U'\u00E4', S::Ok}, {2, 3, U'\u20AC', S::Ok}, {5, 4, U'\U0001D11E', S::Ok}}},
        {"NUL is a character", std::string("a\0b", 3), {{0, 1, U'a', S::Ok}, {1, 1, 0, S::Ok}, {2, 1, U'b', S::Ok}}},
        {"lone continuation", "a\x80" "b", {{0, 1, U'a', S::Ok}, {1, 1, U'\uFFFD', S::Invalid}, {2, 1, U'b', S::Ok}}},
        {"an overlong start, then a lone continuation", "\xE0\x80x", {{0, 1, U'\uFFFD', S::Invalid}, {1, 1, U'\uFFFD', S::Invalid},
                                                          {2, 1, U'x', S::Ok}}},
        {"a sequence broken by ascii", "\xE2\x82x", {{0, 2, U'\uFFFD', S::Invalid}, {2, 1, U'x', S::Ok}}},
        {"cut off by the end", "x\xF0\x9D\x84", {{0, 1, U'x', S::Ok}, {1, 3, U'\uFFFD', S::Incomplete}}},
        {"bytes never in UTF-8", "\xFF\xFE", {{0, 1, U'\uFFFD', S::Invalid}, {1, 1, U'\uFFFD', S::Invalid}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<CodePoint> seen;
        for (const CodePoint& ch : code_points(row.text)) seen.push_back(ch);
        ASSERT_EQ(seen.size(), row.expected.size());
        for (std::size_t k = 0; k < seen.size(); ++k) {
            EXPECT_EQ(seen[k].offset, row.expected[k].offset) << k;
            EXPECT_EQ(seen[k].length, row.expected[k].length) << k;
            EXPECT_EQ(seen[k].value, row.expected[k].value) << k;
            EXPECT_EQ(seen[k].status, row.expected[k].status) << k;
        }
    }
}

// Over every input of up to two bytes and many of three, the walk agrees with
// the validator and covers the input without a gap.
TEST(CodePoints, AgreeWithTheValidator) {
    const auto check = [](const std::string& text) {
        std::size_t next = 0;
        bool all_valid = true;
        for (const CodePoint& ch : code_points(text)) {
            ASSERT_EQ(ch.offset, next);
            ASSERT_GE(ch.length, 1u);
            all_valid = all_valid && ch.valid();
            next = ch.end();
        }
        ASSERT_EQ(next, text.size());
        ASSERT_EQ(all_valid, is_utf8(text));
    };
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            check({static_cast<char>(a), static_cast<char>(b)});
            check({static_cast<char>(a), static_cast<char>(b), static_cast<char>(0x80 + (a + b) % 64)});
        }
    }
}

}  // namespace
}  // namespace lomperi
