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
    std::uint16_t start = 0;
    std::uint16_t end = 0;
    std::string target;
    friend bool operator==(const LinkRegion&, const LinkRegion&) = default;
};

}  // namespace lomperi::expand
