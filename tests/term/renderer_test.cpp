#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <string_view>

#include "term/renderer.hpp"
#include "term/output.hpp"
#include "term_test_support.hpp"

namespace lomperi::term {
namespace {

using testing_support::visible;

struct Screen {
    std::string out;
    int probes = 0;
    bool no_color = false;
    Renderer renderer{string_sink(out), [this] {
                          ++probes;
                          return no_color;
                      }};

    std::string draw(const Buffer& frame) {
        out.clear();
        renderer.next_frame(frame.area()) = frame;
        auto drawn = renderer.present();
        EXPECT_TRUE(drawn.has_value());
        return out;
    }
};

Buffer frame(std::uint16_t w, std::uint16_t h, std::string_view first_row = "", Style style = {}) {
    Buffer b(Rect{0, 0, w, h});
    b.set_string(0, 0, first_row, style, w);
    return b;
}

TEST(Renderer, FirstFrameClearsAndDrawsEveryCell) {
    Screen s;
    EXPECT_EQ(visible(s.draw(frame(3, 2, "ab"))), visible("\x1b[2J\x1b[1;1Hab \x1b[2;1H   \x1b[?25l"));
}

TEST(Renderer, IdenticalFrameWritesOnlyTheCursorHide) {
    Screen s;
    const Buffer f = frame(5, 3, "hello", Style{}.with_fg(Color::Cyan).adding(Bold));
    s.draw(f);
    EXPECT_EQ(visible(s.draw(f)), visible("\x1b[?25l"));
}

TEST(Renderer, OneChangedCellWritesOnePositionedCell) {
    Screen s;
    Buffer f = frame(5, 3, "hello");
    s.draw(f);
    f.set(2, 1, Cell{U'x', Style{}});
    EXPECT_EQ(visible(s.draw(f)), visible("\x1b[2;3Hx\x1b[?25l"));
    f.set(4, 2, Cell{U'y', Style{}.with_fg(Color::Cyan).adding(Bold)});
    EXPECT_EQ(visible(s.draw(f)), visible("\x1b[3;5H\x1b[0;1;36my\x1b[0m\x1b[?25l"));
}

TEST(Renderer, AdjacentChangesShareOnePositioning) {
    Screen s;
    Buffer f = frame(6, 1);
    s.draw(f);
    f.set_string(1, 0, "ab", Style{}, 2);
    f.set(4, 0, Cell{U'c', Style{}});
    EXPECT_EQ(visible(s.draw(f)), visible("\x1b[1;2Hab\x1b[1;5Hc\x1b[?25l"));
}

TEST(Renderer, StylesBecomeSgrSequences) {
    struct Case {
        Style style;
        std::string sgr;
    };
    const std::vector<Case> cases = {
        {Style{}.with_fg(Color::Red), "\x1b[0;31m"},
        {Style{}.with_fg(Color::Yellow), "\x1b[0;33m"},
        {Style{}.with_fg(Color::Cyan), "\x1b[0;36m"},
        {Style{}.with_fg(Color::DarkGray), "\x1b[0;90m"},
        {Style{}.adding(Bold | Dim | Underlined | Reversed), "\x1b[0;1;2;4;7m"},
        {Style{}.with_fg(Color::DarkGray).adding(Dim), "\x1b[0;2;90m"},
    };
    for (const auto& c : cases) {
        Screen s;
        s.draw(frame(1, 1));
        Buffer f = frame(1, 1, "z", c.style);
        EXPECT_EQ(visible(s.draw(f)), visible("\x1b[1;1H" + c.sgr + "z\x1b[0m\x1b[?25l"));
    }
}

TEST(Renderer, NoColorDropsColoursButKeepsAttributes) {
    Screen s;
    s.no_color = true;
    s.draw(frame(3, 1));
    EXPECT_EQ(s.probes, 0);  // asked only once a colour is drawn
    Buffer f = frame(3, 1);
    f.set(0, 0, Cell{U'a', Style{}.with_fg(Color::Cyan).adding(Bold)});
    f.set(1, 0, Cell{U'b', Style{}.with_fg(Color::Red)});
    f.set(2, 0, Cell{U'c', Style{}.with_fg(Color::DarkGray).adding(Underlined)});
    EXPECT_EQ(visible(s.draw(f)), visible("\x1b[1;1H\x1b[0;1ma\x1b[0mb\x1b[0;4mc\x1b[0m\x1b[?25l"));
    s.draw(frame(3, 1, "xyz", Style{}.with_fg(Color::Yellow)));
    EXPECT_EQ(s.probes, 1);
}

TEST(Renderer, ColourProbeIsAskedOnceEvenWhenColoursAreOn) {
    Screen s;
    s.draw(frame(2, 1, "ab", Style{}.with_fg(Color::Cyan)));
    s.no_color = true;  // too late: read once
    EXPECT_NE(s.draw(frame(2, 1, "ba", Style{}.with_fg(Color::Red))).find("31m"), std::string::npos);
    EXPECT_EQ(s.probes, 1);
}

TEST(Renderer, SizeChangeClearsAndDrawsInFull) {
    Screen s;
    s.draw(frame(3, 1, "abc"));
    const std::string out = s.draw(frame(2, 2, "ab"));
    EXPECT_EQ(visible(out), visible("\x1b[2J\x1b[1;1Hab\x1b[2;1H  \x1b[?25l"));
    s.renderer.invalidate();
    EXPECT_EQ(s.draw(frame(2, 2, "ab")).rfind("\x1b[2J", 0), 0u);
}

// The text with the sequences the renderer writes itself taken out: clearing,
// cursor moves, hiding the cursor and SGR.
std::string without_own_sequences(std::string_view out) {
    std::string text;
    for (std::size_t i = 0; i < out.size();) {
        if (out.substr(i, 2) != "\x1b[") {
            text += out[i++];
            continue;
        }
        std::size_t end = i + 2;
        while (end < out.size() && (std::isdigit(static_cast<unsigned char>(out[end])) || out[end] == ';' || out[end] == '?')) ++end;
        if (end < out.size() && (out[end] == 'J' || out[end] == 'H' || out[end] == 'l' || out[end] == 'm')) {
            i = end + 1;
        } else {
            text += out[i++];
        }
    }
    return text;
}

TEST(Renderer, ControlCharactersNeverReachTheOutput) {
    Screen s;
    Buffer f = frame(12, 1, "a\x1b]0;x\x07\x9b\xc2\x9b\r\x7f");
    const std::string out = s.draw(f);
    SCOPED_TRACE(visible(out));
    // Without the renderer's own sequences, no ESC and no control byte is left.
    const std::string text = without_own_sequences(out);
    EXPECT_EQ(visible(text), visible("a\uFFFD]0;x\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD "));
}

// After a character whose width the terminal may see otherwise, the next cell
// is placed explicitly.
// A wide character takes two cells; after it, and after combining marks, the
// next cell is placed explicitly in case the terminal counts otherwise.
TEST(Renderer, RepositionsAfterCharactersOfUncertainWidth) {
    Screen s;
    s.draw(frame(5, 1));
    EXPECT_EQ(visible(s.draw(frame(5, 1, "\u6f22ae\u0301b"))),
              visible("\x1b[1;1H\u6f22\x1b[1;3Hae\u0301\x1b[1;5Hb\x1b[?25l"));
}

// Writing over half of a wide character rewrites what is left of the pair.
TEST(Renderer, HalfOfAWideCharacterOverwritten) {
    Screen s;
    Buffer f = frame(4, 1, "\u6f22\u5b57");
    s.draw(f);
    f.set(1, 0, Cell{U'x', Style{}});
    EXPECT_EQ(visible(s.draw(f)), visible("\x1b[1;1H x\x1b[?25l"));
}

TEST(Renderer, WriteErrorIsAValueAndForcesAFullRedraw) {
    bool broken = true;
    std::string out;
    Renderer r(
        [&](std::string_view bytes) -> Result<void> {
            if (broken) return fail("Broken pipe");
            out.append(bytes);
            return {};
        },
        [] { return false; });
    const Buffer f = frame(2, 1, "ab");
    r.next_frame(f.area()) = f;
    auto drawn = r.present();
    ASSERT_FALSE(drawn.has_value());
    EXPECT_EQ(drawn.error().message(), "Broken pipe");
    broken = false;
    r.next_frame(f.area()) = f;
    ASSERT_TRUE(r.present().has_value());
    EXPECT_EQ(visible(out), visible("\x1b[2J\x1b[1;1Hab\x1b[?25l"));
}

TEST(ScreenModes, StartAndEndSequencesInOrder) {
    std::string out;
    const Sink sink = string_sink(out);
    ASSERT_TRUE(enter_interactive_screen(sink).has_value());
    EXPECT_EQ(visible(out), visible("\x1b[?1049h\x1b[?1000h\x1b[?1002h\x1b[?1003h\x1b[?1015h\x1b[?1006h\x1b[?2004h"));
    out.clear();
    ASSERT_TRUE(leave_interactive_screen(sink).has_value());
    EXPECT_EQ(visible(out),
              visible("\x1b[?2004l\x1b[?1006l\x1b[?1015l\x1b[?1003l\x1b[?1002l\x1b[?1000l\x1b[?1049l\x1b[?25h"));
}

}  // namespace
}  // namespace lomperi::term
