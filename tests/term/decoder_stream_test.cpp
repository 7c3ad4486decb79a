#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "term_test_support.hpp"

namespace lomperi::term {
namespace {

using namespace std::string_literals;

// Inputs with multi-byte sequences of every family.
const std::vector<std::string> kSamples = {
    "\xc3\xa4",
    "\xf0\x9f\x98\x80x",
    "\x1b[1;5A",
    "\x1bOA",
    "\x1b[15;2~",
    "\x1b" "a",
    "\x1b[<35;120;40M\x1b[<0;3;4m",
    "\x1b[32;10;5M",
    "\x1b[M !!",
    "\x1b[I\x1b[O",
    "\x1b[200~p\xc3\xa4ste\x1b[A\x1b[201~q",
    "a\x1b[99;5ub",
};

std::vector<Event> feed_pieces(const std::vector<std::string_view>& pieces) {
    Decoder d;
    std::vector<Event> events;
    for (auto piece : pieces) {
        for (Event& ev : d.feed(piece)) events.push_back(std::move(ev));
    }
    for (Event& ev : d.flush_pending()) events.push_back(std::move(ev));
    return events;
}

TEST(DecoderSplitReads, EverySplitPointGivesTheSameEvents) {
    for (const std::string& whole : kSamples) {
        SCOPED_TRACE(testing_support::visible(whole));
        const std::vector<Event> expected = decode_all(whole);
        ASSERT_FALSE(expected.empty());
        const std::string_view w = whole;
        for (std::size_t k = 1; k < whole.size(); ++k) {
            SCOPED_TRACE(k);
            EXPECT_EQ(feed_pieces({w.substr(0, k), w.substr(k)}), expected);
        }
    }
}

// Bytes that make up every family of input, weighted towards the ones that
// start, continue and end sequences.
std::string random_input(std::mt19937& rng) {
    static const std::vector<std::string> pieces = {
        "\x1b", "\x1b", "\x1b[", "\x1bO", "[", "O", "M", "<", ";", ";", "1", "5", "9", "0", "~", "A", "u", "m",
        "a", "b", " ", "\x7f", "\r", "\t", "\x03", "\xc3", "\xa4", "\xe2\x82", "\xac", "\xf0\x9f\x98\x80",
        "\x80", "\xff", "\x9b", "\x1b[200~", "\x1b[201~", "\x1b[201", "\x1b[<0;3;4", "\x1b[M", "\x1b[[",
        "\x1b\x1b", "1111111111",
    };
    std::uniform_int_distribution<std::size_t> count(1, 40);
    std::uniform_int_distribution<std::size_t> which(0, pieces.size() - 1);
    std::string out;
    for (std::size_t n = count(rng); n > 0; --n) out += pieces[which(rng)];
    return out;
}

std::vector<std::string_view> random_pieces(std::string_view whole, std::mt19937& rng) {
    std::uniform_int_distribution<std::size_t> length(1, 9);
    std::vector<std::string_view> pieces;
    while (!whole.empty()) {
        const std::size_t n = std::min(length(rng), whole.size());
        pieces.push_back(whole.substr(0, n));
        whole.remove_prefix(n);
    }
    return pieces;
}

// However the bytes are split into reads, the events are the same as from one read.
TEST(DecoderSplitReads, RandomInputsAndRandomReads) {
    std::mt19937 rng(20261209);
    std::vector<std::string> inputs = kSamples;
    inputs.push_back("\x1bO111111abc\x1b");
    inputs.push_back("\x1b[" + std::string(70, '1') + "Axy");
    for (int k = 0; k < 20000; ++k) inputs.push_back(random_input(rng));
    for (const std::string& whole : inputs) {
        const std::vector<Event> expected = decode_all(whole);
        for (int split = 0; split < 4; ++split) {
            const auto pieces = random_pieces(whole, rng);
            ASSERT_EQ(feed_pieces(pieces), expected) << testing_support::visible(whole);
        }
    }
}

TEST(DecoderSplitReads, OneByteAtATime) {
    for (const std::string& whole : kSamples) {
        SCOPED_TRACE(testing_support::visible(whole));
        std::vector<std::string_view> bytes;
        for (std::size_t i = 0; i < whole.size(); ++i) bytes.push_back(std::string_view(whole).substr(i, 1));
        EXPECT_EQ(feed_pieces(bytes), decode_all(whole));
    }
}

TEST(DecoderPaste, ArrivesAsOneEvent) {
    EXPECT_EQ(decode_all("\x1b[200~hello\r\nworld\x1b[201~"), (std::vector<Event>{Paste{"hello\r\nworld"}}));
    EXPECT_EQ(decode_all("\x1b[200~a\x1b[Ab\x03\x1b[201~x"),
              (std::vector<Event>{Paste{"a\x1b[Ab\x03"}, char_key(U'x')}));
    EXPECT_EQ(decode_all("\x1b[200~\x1b[201~"), (std::vector<Event>{Paste{""}}));
    const std::string full(Decoder::kMaxPaste, 'a');
    EXPECT_EQ(decode_all("\x1b[200~" + full + "\x1b[201~"), (std::vector<Event>{Paste{full, false}}));
}

TEST(DecoderPaste, LongPasteIsCutAtTheCapOnACharacterBoundary) {
    std::string body(Decoder::kMaxPaste - 1, 'a');
    body += "\xc3\xa4";  // would straddle the cap
    body += std::string(1000, 'b');
    Decoder d;
    std::vector<Event> events;
    for (Event& ev : d.feed("\x1b[200~")) events.push_back(ev);
    for (std::size_t i = 0; i < body.size(); i += 4096) {
        for (Event& ev : d.feed(std::string_view(body).substr(i, 4096))) events.push_back(ev);
    }
    for (Event& ev : d.feed("\x1b[201~z")) events.push_back(ev);
    ASSERT_EQ(events.size(), 2u);
    const auto* paste = std::get_if<Paste>(&events[0]);
    ASSERT_NE(paste, nullptr);
    EXPECT_EQ(paste->text.size(), Decoder::kMaxPaste - 1);
    EXPECT_EQ(paste->text.find_first_not_of('a'), std::string::npos);
    EXPECT_TRUE(paste->cut);
    EXPECT_EQ(events[1], Event{char_key(U'z')});
}

TEST(DecoderPaste, UnterminatedPasteEndsAfterTheLongWait) {
    Decoder d;
    EXPECT_TRUE(d.feed("\x1b[200~abc\x1b[20").empty());
    ASSERT_TRUE(d.pending_wait().has_value());
    EXPECT_GT(d.pending_wait()->count(), 50);
    EXPECT_EQ(d.flush_pending(), (std::vector<Event>{Paste{"abc\x1b[20"}}));
    EXPECT_EQ(d.feed("x"), (std::vector<Event>{char_key(U'x')}));
}

TEST(DecoderGarbage, MalformedSequencesAreDroppedWhole) {
    const std::vector<std::string> inputs = {
        "\x1b[999;999;999X",   // unknown final
        "\x1b[?1;2c",          // a device attributes answer
        "\x1b[1;5",            // cut off
        "\x1b[12\x03",         // broken by a control byte
        "\x1b[201~",           // paste end without a start
        "\x1b[ q",             // with an intermediate byte
        "\x1b[5A",             // a letter key with a bad first parameter
        "\x1bOz",              // unknown SS3
        "\x1bO1;2A",           // SS3 with too many parameters
        "\x1b[27;5;1~",        // a control code point as a key
        "\xff\xfe",            // never UTF-8
        "\xc0\xaf",            // overlong
        "\xed\xa0\x80",        // surrogate
        "\xc2\x9b",            // C1 control
        "\x80\x80",            // lone continuation bytes
    };
    for (const auto& bytes : inputs) {
        SCOPED_TRACE(testing_support::visible(bytes));
        EXPECT_TRUE(decode_all(bytes).empty());
    }
}

TEST(DecoderGarbage, GoodInputAfterGarbageStillDecodes) {
    struct Case {
        std::string bytes;
        std::vector<Event> expected;
    };
    const std::vector<Case> cases = {
        {"\xff" "a", {char_key(U'a')}},
        {"\xc3(", {char_key(U'(')}},
        {"\x1b[12\x1b[A", {key(KeyCode::Up)}},
        {"\x1b[?1;2cq", {char_key(U'q')}},
        {"\x1bOzq", {char_key(U'q')}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing_support::visible(c.bytes));
        EXPECT_EQ(decode_all(c.bytes), c.expected);
    }
}

// An endless parameter list is cut off at the length bound and none of its
// bytes, nor its final byte, comes out as typed text.
TEST(DecoderGarbage, OverlongSequenceIsBoundedAndSwallowed) {
    Decoder d;
    EXPECT_TRUE(d.feed("\x1b[").empty());
    for (int i = 0; i < 1000; ++i) EXPECT_TRUE(d.feed("12;").empty());
    EXPECT_TRUE(d.feed("A").empty());
    EXPECT_EQ(d.feed("b"), (std::vector<Event>{char_key(U'b')}));

    // Cut off before its final byte, it is given up at the next timeout.
    EXPECT_TRUE(d.feed("\x1b[" + std::string(200, '1')).empty());
    EXPECT_TRUE(d.flush_pending().empty());
    EXPECT_EQ(d.feed("x"), (std::vector<Event>{char_key(U'x')}));
}

TEST(DecoderGarbage, RandomBytesNeverCrashOrStall) {
    static constexpr char kAlphabet[] = "\x1b[]<>?;:0123456789MmAZO~Iu\x03\r\x7f\xc3\xa4\xe2\x82\xac\xff\x80 a";
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
    std::uniform_int_distribution<int> any_byte(0, 255);
    std::uniform_int_distribution<int> length(0, 300);
    for (int round = 0; round < 3000; ++round) {
        std::string input;
        const int n = length(rng);
        for (int i = 0; i < n; ++i) {
            input.push_back(rng() % 4 == 0 ? static_cast<char>(any_byte(rng)) : kAlphabet[pick(rng)]);
        }
        Decoder d;
        std::size_t pos = 0;
        while (pos < input.size()) {
            const std::size_t take = std::min<std::size_t>(1 + rng() % 17, input.size() - pos);
            (void)d.feed(std::string_view(input).substr(pos, take));
            pos += take;
        }
        (void)d.flush_pending();
        ASSERT_FALSE(d.has_pending()) << testing_support::visible(input);
        ASSERT_EQ(d.feed("x"), (std::vector<Event>{char_key(U'x')})) << testing_support::visible(input);
    }
}

}  // namespace
}  // namespace lomperi::term
