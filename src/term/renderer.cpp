#include "term/renderer.hpp"

#include <cstdlib>
#include <iterator>

#include <fmt/format.h>

#include "term/screen_modes.hpp"
#include "term/sgr.hpp"
#include "base/utf8.hpp"

namespace lomperi::term {
namespace {

// Characters up to the Latin extensions take exactly one column on every
// terminal; after anything else the cursor is placed again, so that a wide or
// combining character cannot shift the cells after it.
bool one_column_for_sure(char32_t ch) { return ch < 0x300; }

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

void Renderer::invalidate() { previous_.reset(); }

Result<void> Renderer::draw(const Buffer& frame) {
    const bool full = !previous_ || previous_->area() != frame.area();
    std::string& out = frame_bytes_;
    out.clear();
    if (full) out += kClearScreen;
    write_frame(frame, full, out);
    out += kHideCursor;
    previous_ = frame;
    auto written = sink_(out);
    if (!written) previous_.reset();
    return written;
}

void Renderer::write_frame(const Buffer& frame, bool full, std::string& out) {
    const Rect area = frame.area();
    const auto& cells = frame.cells();
    Style current;
    bool cursor_known = false;  // the cursor stands right after the last cell written
    std::size_t i = 0;
    for (std::uint16_t row = 0; row < area.height; ++row) {
        cursor_known = false;
        for (std::uint16_t col = 0; col < area.width; ++col, ++i) {
            const Cell& cell = cells[i];
            if (!full && previous_->cells()[i] == cell) {
                cursor_known = false;
                continue;
            }
            if (!cursor_known) fmt::format_to(std::back_inserter(out), "\x1b[{};{}H", area.y + row + 1, area.x + col + 1);
            Style wanted = cell.style;
            if (wanted.fg && colors_off()) wanted.fg.reset();
            if (wanted != current) {
                out += sgr_sequence(wanted, true);
                current = wanted;
            }
            const char32_t ch = displayable(cell.ch);
            append_utf8(out, ch);
            cursor_known = one_column_for_sure(ch);
        }
    }
    if (current != Style{}) out += "\x1b[0m";
}

}  // namespace lomperi::term
