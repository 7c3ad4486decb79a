#include "core/legal/wrap_document.hpp"

#include <algorithm>
#include <cstddef>

#include "base/utf8.hpp"
#include "term/char_width.hpp"

namespace lomperi::legal {
namespace {


bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::vector<std::string_view> source_lines(std::string_view body) {
    std::vector<std::string_view> lines;
    while (!body.empty()) {
        const std::size_t end = body.find('\n');
        std::string_view line = body.substr(0, end);
        if (end != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        body.remove_prefix(end == std::string_view::npos ? body.size() : end + 1);
    }
    return lines;
}

std::vector<std::string_view> split_words(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && is_space(text[i])) ++i;
        const std::size_t start = i;
        while (i < text.size() && !is_space(text[i])) ++i;
        if (i > start) words.push_back(text.substr(start, i - start));
    }
    return words;
}

// Fills lines of one source line, all starting with the kept indent.
class LineFiller {
public:
    LineFiller(std::vector<std::string>& out, std::string_view indent, std::size_t width)
        : out_(out), indent_(indent), indent_width_(term::display_width(indent)), width_(width) {
        start_line();
    }

    void add(std::string_view word) {
        std::size_t n = term::display_width(word);
        if (width_used_ > indent_width_) {
            if (width_used_ + 1 + n <= width_) {
                current_ += ' ';
                current_ += word;
                width_used_ += 1 + n;
                return;
            }
            finish_line();
        }
        const std::size_t room = width_ - indent_width_;
        while (indent_width_ + n > width_) {
            std::size_t cut = term::display_prefix(word, room);
            // A wide character where one cell is left still takes the line.
            if (cut == 0) cut = code_point_prefix(word, 1);
            current_ += word.substr(0, cut);
            word.remove_prefix(cut);
            n = term::display_width(word);
            finish_line();
        }
        current_ += word;
        width_used_ = indent_width_ + n;
    }

    void finish() { out_.push_back(std::move(current_)); }

private:
    void start_line() {
        current_.assign(indent_);
        width_used_ = indent_width_;
    }
    void finish_line() {
        out_.push_back(std::move(current_));
        start_line();
    }

    std::vector<std::string>& out_;
    std::string_view indent_;
    std::size_t indent_width_;
    std::size_t width_;
    std::string current_;
    std::size_t width_used_ = 0;
};

void wrap_line(std::vector<std::string>& out, std::string_view line, std::size_t width) {
    std::size_t indent_end = 0;
    while (indent_end < line.size() && is_space(line[indent_end])) ++indent_end;
    const std::string_view rest = line.substr(indent_end);
    if (rest.empty()) {
        out.emplace_back();
        return;
    }
    std::string_view indent = line.substr(0, indent_end);
    if (term::display_width(indent) + 1 >= width) indent = {};
    LineFiller filler(out, indent, width);
    for (const std::string_view word : split_words(rest)) filler.add(word);
    filler.finish();
}

}  // namespace

std::vector<std::string> wrap_document(std::string_view body, std::uint16_t width) {
    // A width of 0 would leave no room to cut a word into, and never finish.
    const std::size_t w = std::max<std::uint16_t>(width, 1);
    std::vector<std::string> lines;
    for (const std::string_view line : source_lines(body)) wrap_line(lines, line, w);
    return lines;
}

}  // namespace lomperi::legal
