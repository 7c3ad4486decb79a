#include "core/legal/wrap_document.hpp"

#include <algorithm>
#include <cstddef>

#include "term/char_width.hpp"
#include "term/line_filler.hpp"

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
    const std::size_t indent_width = term::display_width(indent);
    // Every line starts with the indent; the words fill the room after it.
    term::LineFiller filler(width - indent_width);
    for (const std::string_view word : split_words(rest)) {
        filler.add(word, 1, [&](std::string_view piece, term::LineFiller::Place place) {
            if (place == term::LineFiller::Place::NewLine) {
                out.emplace_back(indent);
            } else {
                out.back() += ' ';
            }
            out.back() += piece;
        });
    }
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
