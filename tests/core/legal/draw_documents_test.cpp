#include "core/legal/draw_documents.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "core/legal/documents.hpp"
#include "core/legal/wrap_document.hpp"

namespace lomperi::legal {
namespace {

// The characters of one buffer row.
std::u32string row_text(const term::Buffer& buffer, std::uint16_t y) {
    std::u32string text;
    const term::Rect area = buffer.area();
    for (std::uint16_t x = area.x; x < area.x + area.width; ++x) text.push_back(buffer.get(x, y).ch);
    return text;
}

// The document bodies are ASCII.
std::u32string widen(std::string_view ascii) { return std::u32string(ascii.begin(), ascii.end()); }

// The title sits after the corner and is cut before the other corner.
std::u32string top_border(std::u32string_view title, std::uint16_t width) {
    std::u32string cells(width, U'─');
    cells.front() = U'┌';
    cells.back() = U'┐';
    for (std::size_t i = 0; i < title.size() && i + 2 < width; ++i) cells[i + 1] = title[i];
    return cells;
}

struct TitleCase {
    std::uint8_t doc;
    std::uint16_t width;
    std::u32string title;
};

TEST(DrawDocuments, TitleAtEachWidth) {
    const TitleCase cases[] = {
        {0, 120, U" Lomperi License Agreement  \u00b7  Tab: next document  \u00b7  Esc: close "},
        {0, 67, U" Lomperi License Agreement  \u00b7  Tab: next document  \u00b7  Esc: close "},
        {0, 66, U" Lomperi License Agreement  \u00b7  Tab  \u00b7  Esc "},
        {0, 45, U" Lomperi License Agreement  \u00b7  Tab  \u00b7  Esc "},
        {0, 44, U" License "},
        {0, 6, U" License "},  // cut off by the box
        {1, 56, U" Privacy Policy  \u00b7  Tab: next document  \u00b7  Esc: close "},
        {1, 55, U" Privacy Policy  \u00b7  Tab  \u00b7  Esc "},
        {2, 30, U" Sources "},
        {3, 43, U" Verifying Your Download  \u00b7  Tab  \u00b7  Esc "},
        {3, 42, U" Verify "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "doc " << int(c.doc) << " width " << c.width);
        term::Buffer buffer({0, 0, c.width, 10});
        std::uint16_t scroll = 0;
        draw_documents(buffer, c.doc, scroll);
        EXPECT_EQ(row_text(buffer, 0), top_border(c.title, c.width));
    }
}

TEST(DrawDocuments, BodyFromTheScrolledLine) {
    term::Buffer buffer({0, 0, 40, 12});
    const auto lines = wrap_document(documents()[1].body, 38);
    std::uint16_t scroll = 3;
    draw_documents(buffer, 1, scroll);
    EXPECT_EQ(scroll, 3);
    for (std::uint16_t row = 0; row < 10; ++row) {
        const std::u32string expected = U"│" + widen(lines[3 + row]) + std::u32string(38 - lines[3 + row].size(), U' ') + U"│";
        EXPECT_EQ(row_text(buffer, row + 1), expected) << "row " << row;
    }
    EXPECT_EQ(row_text(buffer, 11), U"└" + std::u32string(38, U'─') + U"┘");
}

TEST(DrawDocuments, ScrollClampedToTheLastFullScreen) {
    struct Case {
        std::uint16_t width, height, scroll;
        std::size_t expected;
    };
    const auto lines_at = [](std::uint16_t inner) { return wrap_document(documents()[0].body, inner).size(); };
    const Case cases[] = {
        {80, 20, 65535, lines_at(78) - 18},
        {80, 20, 1, 1},
        {30, 8, 65535, lines_at(28) - 6},
        {80, 2, 65535, lines_at(78)},   // no inner rows
        {2, 5, 65535, lines_at(1) - 3},  // no inner columns: wrapped at 1
        {80, 500, 7, 0},                 // everything fits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        term::Buffer buffer({0, 0, c.width, c.height});
        std::uint16_t scroll = c.scroll;
        draw_documents(buffer, 0, scroll);
        EXPECT_EQ(scroll, c.expected);
    }
}

TEST(DrawDocuments, LastLineShownAtFullScroll) {
    term::Buffer buffer({0, 0, 60, 10});
    const auto lines = wrap_document(documents()[3].body, 58);
    std::uint16_t scroll = 65535;
    draw_documents(buffer, 3, scroll);
    EXPECT_EQ(row_text(buffer, 8).substr(1, lines.back().size()), widen(lines.back()));
}

TEST(DrawDocuments, TinyScreensAndClosedViewer) {
    for (std::uint16_t w = 0; w <= 4; ++w) {
        for (std::uint16_t h = 0; h <= 4; ++h) {
            term::Buffer buffer({0, 0, w, h});
            std::uint16_t scroll = 65535;
            draw_documents(buffer, 2, scroll);
        }
    }
    term::Buffer buffer({0, 0, 20, 5});
    std::uint16_t scroll = 9;
    draw_documents(buffer, 255, scroll);
    EXPECT_EQ(scroll, 9);
    EXPECT_EQ(row_text(buffer, 0), std::u32string(20, U' '));
}

}  // namespace
}  // namespace lomperi::legal
