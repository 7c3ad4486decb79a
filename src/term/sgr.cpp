#include "term/sgr.hpp"

#include <fmt/format.h>

namespace lomperi::term {

std::string sgr_sequence(const Style& style, bool colors) {
    std::string out = "\x1b[0";
    if (style.add & Bold) out += ";1";
    if (style.add & Dim) out += ";2";
    if (style.add & Underlined) out += ";4";
    if (style.add & Reversed) out += ";7";
    if (colors && style.fg) {
        const unsigned n = static_cast<unsigned>(*style.fg);
        out += fmt::format(";{}", n < 8 ? 30 + n : 90 + (n - 8));
    }
    out += 'm';
    return out;
}

}  // namespace lomperi::term
