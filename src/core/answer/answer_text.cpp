#include "core/answer/answer_text.hpp"

#include "core/expand/entry_lines.hpp"
#include "term/char_width.hpp"
#include "term/renderer.hpp"

namespace lomperi::answer {
namespace {

void append_line(std::string& out, const term::Line& line, bool styles) {
    std::string text;
    for (const auto& span : line.spans) {
        const bool styled = styles && span.style != term::Style{};
        if (styled) text += term::sgr_sequence(span.style);
        term::append_printable(text, span.text);
        if (styled) text += "\x1b[0m";
    }
    while (text.ends_with(' ')) text.pop_back();
    out += text;
    out += '\n';
}

}  // namespace

std::string answer_text(const Answer& answer, std::uint16_t width, bool styles) {
    std::string out;
    if (!answer.entry && answer.choice.notes.empty()) return out;
    const expand::Entry none;
    const expand::Entry& entry = answer.entry ? *answer.entry : none;
    for (const auto& line : expand::entry_pane_lines(entry, answer.choice.notes, expand::EntryLook::Shown, width)) {
        append_line(out, line.line, styles);
    }
    return out;
}

std::string translation_lines(const std::vector<morphology::EnglishMatch>& matches) {
    std::string out;
    for (const auto& match : matches) {
        term::append_printable(out, match.headword);
        out += '\t';
        term::append_printable(out, match.meaning);
        out += '\n';
    }
    return out;
}

}  // namespace lomperi::answer
