#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "term_test_support.hpp"

namespace lomperi::term {
namespace {

struct MouseCase {
    std::string bytes;
    MouseEvent expected;
};

MouseEvent mouse(MouseKind kind, MouseButton button, std::uint16_t col, std::uint16_t row,
                 std::uint8_t mods = NoKeyModifier) {
    return MouseEvent{kind, button, col, row, mods};
}
MouseEvent moved(MouseKind kind, std::uint16_t col, std::uint16_t row, std::uint8_t mods = NoKeyModifier) {
    return mouse(kind, MouseButton::Left, col, row, mods);
}

void expect_one_mouse(const std::vector<MouseCase>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(testing_support::visible(c.bytes));
        EXPECT_EQ(decode_all(c.bytes), (std::vector<Event>{c.expected}));
    }
}

// X10 reports carry each value as one byte with 32 added.
std::string x10(int b, int col, int row) {
    return std::string("\x1b[M") + static_cast<char>(b + 32) + static_cast<char>(col + 32) + static_cast<char>(row + 32);
}

using enum MouseKind;

TEST(DecoderMouse, Sgr) {
    expect_one_mouse({
        {"\x1b[<0;10;5M", mouse(Down, MouseButton::Left, 9, 4)},
        {"\x1b[<0;10;5m", mouse(Up, MouseButton::Left, 9, 4)},
        {"\x1b[<1;1;1M", mouse(Down, MouseButton::Middle, 0, 0)},
        {"\x1b[<2;1;1M", mouse(Down, MouseButton::Right, 0, 0)},
        {"\x1b[<2;1;1m", mouse(Up, MouseButton::Right, 0, 0)},
        {"\x1b[<32;3;4M", mouse(Drag, MouseButton::Left, 2, 3)},
        {"\x1b[<34;3;4M", mouse(Drag, MouseButton::Right, 2, 3)},
        {"\x1b[<35;3;4M", moved(Moved, 2, 3)},
        {"\x1b[<64;3;4M", moved(ScrollUp, 2, 3)},
        {"\x1b[<65;3;4M", moved(ScrollDown, 2, 3)},
        {"\x1b[<66;3;4M", moved(ScrollLeft, 2, 3)},
        {"\x1b[<67;3;4M", moved(ScrollRight, 2, 3)},
        {"\x1b[<0;300;200M", mouse(Down, MouseButton::Left, 299, 199)},
    });
}

TEST(DecoderMouse, SgrModifiers) {
    expect_one_mouse({
        {"\x1b[<4;1;1M", mouse(Down, MouseButton::Left, 0, 0, Shift)},
        {"\x1b[<8;1;1M", mouse(Down, MouseButton::Left, 0, 0, Alt)},
        {"\x1b[<16;1;1M", mouse(Down, MouseButton::Left, 0, 0, Ctrl)},
        {"\x1b[<20;1;1M", mouse(Down, MouseButton::Left, 0, 0, Shift | Ctrl)},
        {"\x1b[<48;2;2M", mouse(Drag, MouseButton::Left, 1, 1, Ctrl)},
        {"\x1b[<80;1;1M", moved(ScrollUp, 0, 0, Ctrl)},
    });
}

TEST(DecoderMouse, ExtendedDecimal) {
    expect_one_mouse({
        {"\x1b[32;10;5M", mouse(Down, MouseButton::Left, 9, 4)},
        {"\x1b[34;10;5M", mouse(Down, MouseButton::Right, 9, 4)},
        {"\x1b[35;10;5M", mouse(Up, MouseButton::Left, 9, 4)},
        {"\x1b[64;1;1M", mouse(Drag, MouseButton::Left, 0, 0)},
        {"\x1b[67;7;8M", moved(Moved, 6, 7)},
        {"\x1b[96;1;1M", moved(ScrollUp, 0, 0)},
        {"\x1b[97;1;1M", moved(ScrollDown, 0, 0)},
        {"\x1b[48;1;1M", mouse(Down, MouseButton::Left, 0, 0, Ctrl)},
        {"\x1b[32;500;300M", mouse(Down, MouseButton::Left, 499, 299)},
    });
}

TEST(DecoderMouse, LegacyX10) {
    expect_one_mouse({
        {x10(0, 10, 5), mouse(Down, MouseButton::Left, 9, 4)},
        {x10(1, 1, 1), mouse(Down, MouseButton::Middle, 0, 0)},
        {x10(3, 10, 5), mouse(Up, MouseButton::Left, 9, 4)},
        {x10(32, 2, 2), mouse(Drag, MouseButton::Left, 1, 1)},
        {x10(35, 2, 2), moved(Moved, 1, 1)},
        {x10(64, 1, 1), moved(ScrollUp, 0, 0)},
        {x10(65, 1, 1), moved(ScrollDown, 0, 0)},
        {x10(4, 1, 1), mouse(Down, MouseButton::Left, 0, 0, Shift)},
        {x10(0, 223, 223), mouse(Down, MouseButton::Left, 222, 222)},
    });
}

TEST(DecoderMouse, ReportsThatMeanNothingAreDropped) {
    for (std::string bytes : {"\x1b[<128;1;1M", "\x1b[<0;1M", "\x1b[<0;1;1;1M", "\x1b[<64;1;1m", "\x1b[<3;1;1M",
                              "\x1b[5;1;1M", "\x1b[>0;1;1M"}) {
        SCOPED_TRACE(testing_support::visible(bytes));
        EXPECT_TRUE(decode_all(bytes).empty());
    }
}

TEST(DecoderMouse, ZeroCoordinatesStayAtZero) {
    EXPECT_EQ(decode_all("\x1b[<0;0;0M"), (std::vector<Event>{mouse(Down, MouseButton::Left, 0, 0)}));
}

}  // namespace
}  // namespace lomperi::term
