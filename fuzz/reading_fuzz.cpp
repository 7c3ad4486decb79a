// A text opened for reading: arbitrary bytes made safe, split into words,
// wrapped to a width taken from the input and walked line by line; and the
// same bytes as a line of the interlinear gloss. Every word and line lies
// inside the text, every move lands on a word, and no control byte reaches
// the screen or the output.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/utf8.hpp"
#include "core/cli/interlinear.hpp"
#include "core/reading/reading_layout.hpp"
#include "core/reading/reading_text.hpp"

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
    check(is_utf8(as_bytes(text.text())));
    check(!has_control(text.text()));
    for (std::size_t k = 0; k < text.word_count(); ++k) {
        const auto word = text.at(k);
        check(word.offset + word.length <= text.text().size());
        check(!text.word(k).empty());
        check(text.sentence_of(k).size() <= reading::kMaxSentenceBytes + 8);
    }
    const auto layout = reading::ReadingLayout::wrap(text, width);
    std::uint32_t previous = 0;
    for (const auto& line : layout.lines()) {
        check(line.start <= line.end && line.end <= text.text().size() && line.start >= previous);
        previous = line.start;
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
    const std::string lines = cli::interlinear_lines(bytes.substr(0, 4096), width + 1, [](std::string_view w) {
        return cli::InterlinearWord{std::string(w.substr(0, 8)), "x"};
    });
    check(!has_control(lines));
    return 0;
}
