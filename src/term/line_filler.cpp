#include "term/line_filler.hpp"

#include "base/utf8.hpp"

namespace lomperi::term {

Cut cut_to_width(std::string_view text, std::size_t cells) {
    Cut cut;
    for (const CodePoint& ch : code_points(text)) {
        const std::size_t width = char_width(displayable(ch.value));
        if (cut.cells + width > cells && cut.bytes > 0) break;
        cut = {ch.end(), cut.cells + width};
        if (cut.cells > cells) break;
    }
    return cut;
}

}  // namespace lomperi::term
