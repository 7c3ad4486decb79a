#pragma once
// One paragraph wrapped to a width, with the screen regions of its links.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/expand/link_span.hpp"
#include "term/style.hpp"

namespace lomperi::expand {

struct EntryLine {
    term::Line line;
    std::vector<LinkRegion> links;  // left to right
    friend bool operator==(const EntryLine&, const EntryLine&) = default;
};

// Wraps `text` at White_Space to `width` characters, after `prefix` on the
// first line and as many spaces on the others; tokens are never broken. The
// parts of tokens inside `links` get `style` plus underlined and a region.
std::vector<EntryLine> wrap_with_links(std::string_view prefix, std::string_view text,
                                       std::span<const LinkSpan> links, term::Style style, std::uint16_t width);

}  // namespace lomperi::expand
