#include "core/reading/reading_layout.hpp"

#include <algorithm>
#include <string_view>

#include "base/utf8.hpp"
#include "term/char_width.hpp"

namespace lomperi::reading {
namespace {

// Fills display lines from one line of the text, [start, end) of `all`.
class LineFiller {
public:
    LineFiller(std::string_view all, std::uint16_t width, std::vector<DisplayLine>& lines)
        : all_(all), width_(std::max<std::uint16_t>(width, 1)), lines_(lines) {}

    void fill(std::size_t start, std::size_t end) {
        bool any = false;
        for (std::size_t at = start; at < end;) {
            if (all_[at] == ' ') {
                ++at;
                continue;
            }
            std::size_t chunk_end = all_.find(' ', at);
            if (chunk_end == std::string_view::npos || chunk_end > end) chunk_end = end;
            add_chunk(at, chunk_end);
            any = true;
            at = chunk_end;
        }
        if (!any) lines_.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(start)});
        open_ = false;
    }

private:
    void add_chunk(std::size_t at, std::size_t end) {
        std::size_t width = term::display_width(all_.substr(at, end - at));
        if (open_ && used_ + 1 + width <= width_) {
            lines_.back().end = static_cast<std::uint32_t>(end);
            used_ += 1 + width;
            return;
        }
        // A chunk wider than a line is cut at the width.
        while (width > width_) {
            std::size_t cut = at;
            std::size_t used = 0;
            while (cut < end) {
                const Utf8Step step = decode_utf8(all_.substr(cut, end - cut));
                const std::size_t length = std::max<std::size_t>(step.length, 1);
                const std::size_t w = step.status == Utf8Step::Ok ? term::char_width(step.code_point) : 1;
                if (used + w > width_ && cut > at) break;
                used += w;
                cut += length;
            }
            lines_.push_back({static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(cut)});
            at = cut;
            width = term::display_width(all_.substr(at, end - at));
        }
        lines_.push_back({static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(end)});
        used_ = width;
        open_ = true;
    }

    std::string_view all_;
    std::size_t width_;
    std::vector<DisplayLine>& lines_;
    std::size_t used_ = 0;
    bool open_ = false;
};

}  // namespace

ReadingLayout ReadingLayout::wrap(const ReadingText& text, std::uint16_t width) {
    ReadingLayout layout;
    layout.width_ = width;
    const std::string_view all(text.text());
    LineFiller filler(all, width, layout.lines_);
    for (std::size_t start = 0; start <= all.size();) {
        std::size_t end = all.find('\n', start);
        if (end == std::string_view::npos) end = all.size();
        filler.fill(start, end);
        start = end + 1;
    }
    layout.lines_.shrink_to_fit();
    return layout;
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

std::optional<std::size_t> ReadingLayout::word_lines_away(const ReadingText& text, std::size_t word,
                                                          std::int64_t lines) const {
    if (word >= text.word_count() || lines == 0 || lines_.empty()) return std::nullopt;
    const std::uint16_t column = column_of_word(text, word);
    const std::int64_t last = static_cast<std::int64_t>(lines_.size()) - 1;
    const std::int64_t from = static_cast<std::int64_t>(line_of_word(text, word));
    std::int64_t target = std::clamp<std::int64_t>(from + lines, 0, last);
    if (target == from) return std::nullopt;
    const auto nearest = [&](std::int64_t line) -> std::optional<std::size_t> {
        const auto [first, end] = words_on_line(text, static_cast<std::size_t>(line));
        if (first == end) return std::nullopt;
        std::size_t best = first;
        for (std::size_t w = first; w < end && column_of_word(text, w) <= column; ++w) best = w;
        return best;
    };
    // Past lines without words, then, at an end of the text, back towards the word.
    const std::int64_t direction = lines > 0 ? 1 : -1;
    for (std::int64_t line = target; line >= 0 && line <= last; line += direction) {
        if (auto found = nearest(line)) return found;
    }
    for (std::int64_t line = target - direction; line != from; line -= direction) {
        if (auto found = nearest(line)) return found;
    }
    return std::nullopt;
}

}  // namespace lomperi::reading
