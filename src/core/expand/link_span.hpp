#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace lomperi::expand {

// A clickable byte range [start, end) of one meaning text.
struct LinkSpan {
    std::string target;
    std::size_t start = 0;
    std::size_t end = 0;
    friend bool operator==(const LinkSpan&, const LinkSpan&) = default;
};

// A clickable column range [start, end) of one wrapped line.
struct LinkRegion {
    std::uint16_t start = 0;
    std::uint16_t end = 0;
    std::string target;
    friend bool operator==(const LinkRegion&, const LinkRegion&) = default;
};

}  // namespace lomperi::expand
