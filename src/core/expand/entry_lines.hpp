#pragma once
// The styled lines of the entry pane for one entry.
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/expand/expansion.hpp"
#include "core/expand/link_span.hpp"
#include "core/expand/wrap_with_links.hpp"
#include "format/gloss.hpp"

namespace lomperi::expand {

// The headword line, an empty line, then per group its "(pos)" line and its
// meanings, each followed by its expansion blocks; every paragraph wrapped to
// `width`. `links` may be null (no clickable words). A dim entry is drawn all
// in dark grey, without bold, underline or dim.
std::vector<EntryLine> entry_lines(std::string_view headword, const format::GlossRecord& record,
                                   const std::vector<std::vector<Expansion>>& expansions,
                                   const std::vector<std::vector<LinkSpan>>* links, bool dim, std::uint16_t width);

}  // namespace lomperi::expand
