#include "core/reading/reading_layout.hpp"

#include <algorithm>
#include <string_view>

#include "term/char_width.hpp"
#include "term/line_filler.hpp"

namespace lomperi::reading {
namespace {

// Fills display lines from one line of the text, [start, end) of `all`:
// its chunks between spaces, each after as many cells as spaces drawn before it.
class TextLineFiller {
public:
    TextLineFiller(std::string_view all, std::uint16_t width, std::vector<DisplayLine>& lines)
        : all_(all), filler_(width), lines_(lines) {}

    void fill(std::size_t start, std::size_t end) {
        std::size_t whole = 0;  // the line's width from its first chunk to its last
        std::size_t previous_end = start;
        filler_.break_line();
        for (std::size_t at = start; at < end;) {
            if (all_[at] == ' ') {
                ++at;
                continue;
            }
            std::size_t chunk_end = all_.substr(0, end).find(' ', at);
            if (chunk_end == std::string_view::npos) chunk_end = end;
            const std::size_t spaces = filler_.open() ? at - previous_end : 0;
            whole += spaces + filler_.add(all_.substr(at, chunk_end - at), spaces, [&](std::string_view piece, Place place) {
                const auto piece_start = static_cast<std::uint32_t>(piece.data() - all_.data());
                const auto piece_end = static_cast<std::uint32_t>(piece_start + piece.size());
                if (place == Place::OpenLine) {
                    lines_.back().end = piece_end;
                } else {
                    lines_.push_back({piece_start, piece_end});
                }
            });
            previous_end = chunk_end;
            at = chunk_end;
        }
        if (!filler_.open()) lines_.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(start)});
        widest_ = std::max(widest_, whole);
    }

    // The widest line of the text, in cells.
    std::size_t widest() const { return widest_; }

private:
    using Place = term::LineFiller::Place;

    std::string_view all_;
    term::LineFiller filler_;
    std::vector<DisplayLine>& lines_;
    std::size_t widest_ = 0;
};

// Room enough for the lines of most texts, so that a long text's lines are
// not copied as they grow: one for a line of the text no wider than the
// width, and one for each half a width of a longer line's bytes.
std::size_t most_lines(std::string_view all, std::uint16_t width) {
    const std::size_t half = std::max(width / 2, 1);
    std::size_t lines = 0;
    for (std::size_t start = 0; start <= all.size();) {
        std::size_t end = all.find('\n', start);
        if (end == std::string_view::npos) end = all.size();
        lines += end - start <= width ? 1 : (end - start) / half + 1;
        start = end + 1;
    }
    return lines;
}

}  // namespace

ReadingLayout ReadingLayout::wrap(const ReadingText& text, std::uint16_t width, const Interrupted& interrupted) {
    ReadingLayout layout;
    layout.width_ = width;
    const std::string_view all(text.text());
    layout.lines_.reserve(most_lines(all, width));
    TextLineFiller filler(all, width, layout.lines_);
    for (std::size_t start = 0, count = 1; start <= all.size(); ++count) {
        std::size_t end = all.find('\n', start);
        if (end == std::string_view::npos) end = all.size();
        filler.fill(start, end);
        start = end + 1;
        if (count % kWorkBetweenQuestions == 0 && interrupted && interrupted()) break;
    }
    layout.widest_ = filler.widest();
    // Much spare room is given back; a text of many short lines, whose lines
    // a copy would hold twice for a moment, leaves little.
    if (layout.lines_.capacity() - layout.lines_.size() > layout.lines_.size() / 8) layout.lines_.shrink_to_fit();
    return layout;
}

bool ReadingLayout::wraps_alike(std::uint16_t width) const {
    const std::size_t cells = std::max<std::uint16_t>(width, 1);
    const std::size_t own = std::max<std::uint16_t>(width_, 1);
    return cells == own || (widest_ <= cells && widest_ <= own);
}

std::size_t ReadingLayout::line_of_word(const ReadingText& text, std::size_t word) const {
    if (lines_.empty() || word >= text.word_count()) return 0;
    const std::uint32_t offset = text.at(word).offset;
    // The last line that starts at or before the word (a word cut over two lines starts on the first).
    const auto after = std::ranges::upper_bound(lines_, offset, {}, &DisplayLine::start);
    return after == lines_.begin() ? 0 : static_cast<std::size_t>(after - lines_.begin() - 1);
}

std::pair<std::size_t, std::size_t> ReadingLayout::words_on_line(const ReadingText& text, std::size_t line) const {
    if (line >= lines_.size()) return {0, 0};
    const std::size_t first = text.first_word_from(lines_[line].start);
    const std::size_t end = lines_[line].end == lines_[line].start ? first : text.first_word_from(lines_[line].end);
    return {first, std::max(first, end)};
}

std::uint16_t ReadingLayout::column_of_word(const ReadingText& text, std::size_t word) const {
    if (word >= text.word_count() || lines_.empty()) return 0;
    const DisplayLine& line = lines_[line_of_word(text, word)];
    const std::size_t offset = std::max<std::size_t>(text.at(word).offset, line.start);
    const auto width = term::display_width(std::string_view(text.text()).substr(line.start, offset - line.start));
    return static_cast<std::uint16_t>(std::min<std::size_t>(width, 0xFFFF));
}

std::optional<std::size_t> ReadingLayout::first_line_with_words(const ReadingText& text, std::size_t line) const {
    const std::size_t word = text.first_word_from(lines_[line].start);
    if (word >= text.word_count()) return std::nullopt;
    return line_of_word(text, word);
}

std::optional<std::size_t> ReadingLayout::last_line_with_words(const ReadingText& text, std::size_t line) const {
    const std::size_t end = line + 1 < lines_.size() ? text.first_word_from(lines_[line + 1].start) : text.word_count();
    if (end == 0) return std::nullopt;
    return line_of_word(text, end - 1);
}

std::optional<std::size_t> ReadingLayout::word_lines_away(const ReadingText& text, std::size_t word,
                                                          std::int64_t lines) const {
    if (word >= text.word_count() || lines == 0 || lines_.empty()) return std::nullopt;
    const std::int64_t last = static_cast<std::int64_t>(lines_.size()) - 1;
    const auto from = static_cast<std::int64_t>(line_of_word(text, word));
    const auto target = static_cast<std::size_t>(std::clamp<std::int64_t>(from + lines, 0, last));
    // Past lines without words, then, at an end of the text, back towards the word.
    const auto found = lines > 0 ? first_line_with_words(text, target).or_else([&] { return last_line_with_words(text, target); })
                                 : last_line_with_words(text, target).or_else([&] { return first_line_with_words(text, target); });
    if (!found || *found == static_cast<std::size_t>(from)) return std::nullopt;
    const std::uint16_t column = column_of_word(text, word);
    const auto [first, end] = words_on_line(text, *found);
    std::size_t best = first;
    for (std::size_t w = first; w < end && column_of_word(text, w) <= column; ++w) best = w;
    return best;
}

}  // namespace lomperi::reading
