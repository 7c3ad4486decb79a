#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/morphology/note_line.hpp"

namespace lomperi::expand {

// A clickable byte range [start, end) of one meaning text.
using morphology::LinkSpan;

// A clickable column range [start, end) of one wrapped line.
struct LinkRegion {
    // A word to look up, or the line that opens the word's inflection table.
    enum class Kind : std::uint8_t { Word, Table };
    std::uint16_t start = 0;
    std::uint16_t end = 0;
    std::string target;
    Kind kind = Kind::Word;
    friend bool operator==(const LinkRegion&, const LinkRegion&) = default;
};

}  // namespace lomperi::expand
