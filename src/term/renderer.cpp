#include "term/renderer.hpp"

#include <cstdlib>
#include <iterator>

#include <fmt/format.h>

#include "term/output.hpp"
#include "base/utf8.hpp"

namespace lomperi::term {
namespace {

// Characters up to the Latin extensions take exactly one column on every
// terminal; after anything else the cursor is placed again, so that a wide or
// combining character cannot shift the cells after it.
bool one_column_for_sure(char32_t ch) { return ch < 0x300; }

}  // namespace

std::string sgr_sequence(const Style& style) {
    std::string out = "\x1b[0";
    if (style.add & Bold) out += ";1";
    if (style.add & Dim) out += ";2";
    if (style.add & Underlined) out += ";4";
    if (style.add & Reversed) out += ";7";
    if (style.fg) {
        const unsigned n = static_cast<unsigned>(*style.fg);
        out += fmt::format(";{}", n < 8 ? 30 + n : 90 + (n - 8));
    }
    out += 'm';
    return out;
}

namespace {

}  // namespace

bool no_color_from_environment() {
    const char* value = std::getenv("NO_COLOR");
    return value != nullptr && value[0] != '\0';
}

Renderer::Renderer(Sink sink, NoColorProbe no_color) : sink_(std::move(sink)), probe_(std::move(no_color)) {}

bool Renderer::colors_off() {
    if (!no_color_) no_color_ = probe_ ? probe_() : false;
    return *no_color_;
}

void Renderer::invalidate() { shown_valid_ = false; }

Buffer& Renderer::next_frame(Rect area) {
    if (next_.area() == area) {
        next_.reset();
    } else {
        next_.resize(area);
    }
    return next_;
}

Result<void> Renderer::present() {
    const bool full = !shown_valid_ || shown_.area() != next_.area();
    std::string& out = frame_bytes_;
    out.clear();
    if (full) out += kClearScreen;
    write_frame(full, out);
    out += kHideCursor;
    std::swap(shown_, next_);
    auto written = sink_(out);
    shown_valid_ = written.has_value();
    return written;
}

void Renderer::write_frame(bool full, std::string& out) {
    const Rect area = next_.area();
    const auto& cells = next_.cells();
    Style current;
    bool cursor_known = false;  // the cursor stands right after the last cell written
    std::size_t i = 0;
    for (std::uint16_t row = 0; row < area.height; ++row) {
        cursor_known = false;
        for (std::uint16_t col = 0; col < area.width; ++col, ++i) {
            const Cell& cell = cells[i];
            // A wide character is written with its left cell, and again when
            // only its right half changed (a style laid over part of it).
            const bool tail_changed = !full && col + 1 < area.width && cells[i + 1].ch == kWideTail &&
                                      !(shown_.cells()[i + 1] == cells[i + 1]);
            if (cell.ch == kWideTail || (!full && shown_.cells()[i] == cell && !tail_changed)) {
                cursor_known = false;
                continue;
            }
            if (!cursor_known) fmt::format_to(std::back_inserter(out), "\x1b[{};{}H", area.y + row + 1, area.x + col + 1);
            Style wanted = cell.style;
            if (wanted.fg && colors_off()) wanted.fg.reset();
            if (wanted != current) {
                out += sgr_sequence(wanted);
                current = wanted;
            }
            const char32_t ch = displayable(cell.ch);
            append_utf8(out, ch);
            for (const char32_t mark : cell.marks) {
                if (mark != 0) append_utf8(out, displayable(mark));
            }
            cursor_known = one_column_for_sure(ch) && cell.marks[0] == 0;
        }
    }
    if (current != Style{}) out += "\x1b[0m";
}

}  // namespace lomperi::term
