// A text opened for reading: arbitrary bytes made safe and composed, split
// into words, wrapped to a width taken from the input and walked line by
// line; and the same bytes as a line of the interlinear gloss. Every word and
// line lies inside the text, no line is wider than the width, every move
// lands on a word, and no control byte reaches the screen or the output.
// Inputs of megabytes are meant: `-max_len=4000000`.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/composition.hpp"
#include "base/utf8.hpp"
#include "core/cli/interlinear.hpp"
#include "core/reading/reading_layout.hpp"
#include "core/reading/reading_text.hpp"
#include "term/char_width.hpp"

namespace {

using namespace lomperi;

void check(bool condition) {
    if (!condition) std::abort();
}

bool has_control(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\n') return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const auto width = static_cast<std::uint16_t>(data[0] % 120);
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const reading::ReadingText text("fuzz", bytes);
    const std::string_view all(text.text());
    check(is_utf8(as_bytes(all)));
    check(!has_control(all));
    check(composed(all) == all);
    // Every word, a sentence for a few hundred of them spread over the text.
    const std::size_t sentence_step = text.word_count() / 256 + 1;
    for (std::size_t k = 0; k < text.word_count(); ++k) {
        const auto word = text.at(k);
        check(word.offset + word.length <= all.size());
        check(k == 0 || word.offset > text.at(k - 1).offset);
        check(!text.word(k).empty());
        if (k % sentence_step == 0) check(text.sentence_of(k).size() <= reading::kMaxSentenceBytes + 8);
    }
    // The lines in order, none wider than the width (but for one wide
    // character), each word on the line that is said to hold it.
    const auto layout = reading::ReadingLayout::wrap(text, width);
    const auto& lines = layout.lines();
    check(!lines.empty());
    for (std::size_t k = 0; k < lines.size(); ++k) {
        check(lines[k].start <= lines[k].end && lines[k].end <= all.size());
        check(k == 0 || lines[k].start > lines[k - 1].start);
        check(term::display_width(all.substr(lines[k].start, lines[k].end - lines[k].start)) <= std::max(width, std::uint16_t{2}));
    }
    for (std::size_t k = 0; k < text.word_count(); k += sentence_step) {
        const std::size_t line = layout.line_of_word(text, k);
        check(lines[line].start <= text.at(k).offset);
        check(line + 1 == lines.size() || lines[line + 1].start > text.at(k).offset);
    }
    std::size_t word = 0;
    for (std::size_t k = 0; k < bytes.size() && k < 64 && text.word_count() > 0; ++k) {
        const std::int64_t step = static_cast<std::int8_t>(bytes[k]);
        if (const auto next = layout.word_lines_away(text, word, step)) {
            check(*next < text.word_count());
            word = *next;
        }
        check(layout.line_of_word(text, word) < std::max<std::size_t>(layout.line_count(), 1));
    }
    const std::string interlinear = cli::interlinear_lines(bytes.substr(0, 4096), width + 1, [](std::string_view w) {
        return cli::InterlinearWord{std::string(w.substr(0, 8)), "x"};
    });
    check(!has_control(interlinear));
    return 0;
}
