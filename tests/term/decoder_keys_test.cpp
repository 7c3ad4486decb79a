#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "term/decoder.hpp"
#include "term_test_support.hpp"

namespace lomperi::term {
namespace {

using namespace std::string_literals;

struct KeyCase {
    std::string bytes;
    KeyEvent expected;
};

void expect_one_key(const std::vector<KeyCase>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(testing_support::visible(c.bytes));
        EXPECT_EQ(decode_all(c.bytes), (std::vector<Event>{c.expected}));
    }
}

TEST(DecoderKeys, TextAndControlBytes) {
    expect_one_key({
        {"a", char_key(U'a')},
        {"A", char_key(U'A')},
        {" ", char_key(U' ')},
        {"\xc3\xa4", char_key(U'ä')},
        {"\xe2\x82\xac", char_key(U'€')},
        {"\xf0\x9f\x98\x80", char_key(U'\U0001F600')},
        {"\r", key(KeyCode::Enter)},
        {"\n", key(KeyCode::Enter)},
        {"\t", key(KeyCode::Tab)},
        {"\x7f", key(KeyCode::Backspace)},
        {"\x08", key(KeyCode::Backspace)},
        {"\x01", char_key(U'a', Ctrl)},
        {"\x03", char_key(U'c', Ctrl)},
        {"\x06", char_key(U'f', Ctrl)},
        {"\x0c", char_key(U'l', Ctrl)},
        {"\x1a", char_key(U'z', Ctrl)},
        {"\x1c", char_key(U'4', Ctrl)},
        {"\0"s, char_key(U' ', Ctrl)},
    });
}

TEST(DecoderKeys, CursorAndEditingKeys) {
    expect_one_key({
        {"\x1b[A", key(KeyCode::Up)},
        {"\x1b[B", key(KeyCode::Down)},
        {"\x1b[C", key(KeyCode::Right)},
        {"\x1b[D", key(KeyCode::Left)},
        {"\x1b[H", key(KeyCode::Home)},
        {"\x1b[F", key(KeyCode::End)},
        {"\x1bOA", key(KeyCode::Up)},
        {"\x1bOB", key(KeyCode::Down)},
        {"\x1bOH", key(KeyCode::Home)},
        {"\x1bOF", key(KeyCode::End)},
        {"\x1b[Z", key(KeyCode::BackTab, Shift)},
        {"\x1b[1~", key(KeyCode::Home)},
        {"\x1b[2~", key(KeyCode::Insert)},
        {"\x1b[3~", key(KeyCode::Delete)},
        {"\x1b[4~", key(KeyCode::End)},
        {"\x1b[5~", key(KeyCode::PageUp)},
        {"\x1b[6~", key(KeyCode::PageDown)},
        {"\x1b[7~", key(KeyCode::Home)},
        {"\x1b[8~", key(KeyCode::End)},
    });
}

TEST(DecoderKeys, FunctionKeys) {
    expect_one_key({
        {"\x1bOP", function_key(1)},
        {"\x1bOS", function_key(4)},
        {"\x1b[11~", function_key(1)},
        {"\x1b[15~", function_key(5)},
        {"\x1b[17~", function_key(6)},
        {"\x1b[21~", function_key(10)},
        {"\x1b[23~", function_key(11)},
        {"\x1b[24~", function_key(12)},
        {"\x1b[[A", function_key(1)},
        {"\x1b[[E", function_key(5)},
    });
}

TEST(DecoderModifiers, ModifierParameters) {
    expect_one_key({
        {"\x1b[1;5A", key(KeyCode::Up, Ctrl)},
        {"\x1b[1;5B", key(KeyCode::Down, Ctrl)},
        {"\x1b[1;2C", key(KeyCode::Right, Shift)},
        {"\x1b[1;3D", key(KeyCode::Left, Alt)},
        {"\x1b[1;6A", key(KeyCode::Up, Shift | Ctrl)},
        {"\x1b[1;8H", key(KeyCode::Home, Shift | Alt | Ctrl)},
        {"\x1b[3;5~", key(KeyCode::Delete, Ctrl)},
        {"\x1b[5;3~", key(KeyCode::PageUp, Alt)},
        {"\x1b[15;2~", function_key(5, Shift)},
        {"\x1bO5A", key(KeyCode::Up, Ctrl)},
        {"\x1b[1;5P", function_key(1, Ctrl)},
    });
}

TEST(DecoderModifiers, AltIsEscapeBeforeAKey) {
    expect_one_key({
        {"\x1b" "a", char_key(U'a', Alt)},
        {"\x1b" "A", char_key(U'A', Alt)},
        {"\x1b\xc3\xa4", char_key(U'ä', Alt)},
        {"\x1b\x03", char_key(U'c', Ctrl | Alt)},
        {"\x1b\r", key(KeyCode::Enter, Alt)},
        {"\x1b\x7f", key(KeyCode::Backspace, Alt)},
        {"\x1b\t", key(KeyCode::Tab, Alt)},
    });
}

TEST(DecoderModifiers, KeysGivenByCodePoint) {
    expect_one_key({
        {"\x1b[99;5u", char_key(U'c', Ctrl)},
        {"\x1b[102;5u", char_key(U'f', Ctrl)},
        {"\x1b[13;2u", key(KeyCode::Enter, Shift)},
        {"\x1b[27u", key(KeyCode::Esc)},
        {"\x1b[27;5;108~", char_key(U'l', Ctrl)},
        {"\x1b[9;2u", key(KeyCode::BackTab, Shift)},
    });
}

TEST(DecoderKeys, FocusReports) {
    EXPECT_EQ(decode_all("\x1b[I"), (std::vector<Event>{FocusGained{}}));
    EXPECT_EQ(decode_all("\x1b[O"), (std::vector<Event>{FocusLost{}}));
}

TEST(DecoderKeys, SeveralKeysInOneRead) {
    EXPECT_EQ(decode_all("ab\x1b[A\r\x03"),
              (std::vector<Event>{char_key(U'a'), char_key(U'b'), key(KeyCode::Up), key(KeyCode::Enter),
                                  char_key(U'c', Ctrl)}));
}

// A lone ESC waits for the next byte; only the caller's timeout makes it Esc.
TEST(DecoderEscape, LoneEscapeNeedsTheTimeout) {
    Decoder d;
    EXPECT_TRUE(d.feed("\x1b").empty());
    EXPECT_TRUE(d.has_pending());
    ASSERT_TRUE(d.pending_wait().has_value());
    EXPECT_LE(d.pending_wait()->count(), 50);
    EXPECT_EQ(d.flush_pending(), (std::vector<Event>{key(KeyCode::Esc)}));
    EXPECT_FALSE(d.has_pending());
    EXPECT_FALSE(d.pending_wait().has_value());
}

TEST(DecoderEscape, WhatATimeoutMakesOfHeldBytes) {
    struct Case {
        std::string bytes;
        std::vector<Event> on_feed;
        std::vector<Event> on_flush;
    };
    const std::vector<Case> cases = {
        {"\x1b\x1b", {key(KeyCode::Esc)}, {key(KeyCode::Esc)}},
        {"\x1b[", {}, {char_key(U'[', Alt)}},
        {"\x1bO", {}, {char_key(U'O', Alt)}},
        {"\x1b[1;", {}, {}},
        {"\x1b[<0;12", {}, {}},
        {"\xc3", {}, {}},
        {"\x1b\xe2\x82", {}, {}},
        {"a\x1b", {char_key(U'a')}, {key(KeyCode::Esc)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing_support::visible(c.bytes));
        Decoder d;
        EXPECT_EQ(d.feed(c.bytes), c.on_feed);
        EXPECT_EQ(d.flush_pending(), c.on_flush);
        EXPECT_EQ(d.feed("x"), (std::vector<Event>{char_key(U'x')}));
    }
}

}  // namespace
}  // namespace lomperi::term
