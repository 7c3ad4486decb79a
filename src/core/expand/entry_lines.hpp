#pragma once
// The styled lines of the entry pane for one entry.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/expand/entry_view.hpp"
#include "core/expand/expansion.hpp"
#include "core/expand/link_span.hpp"
#include "core/expand/wrap_with_links.hpp"
#include "core/morphology/note_line.hpp"
#include "format/gloss.hpp"

namespace lomperi::expand {

// How an entry is drawn: the shown entry in its colours, or the entry kept
// on screen after the query was cleared, all in dark grey without bold,
// underline or dim.
enum class EntryLook : std::uint8_t { Shown, Kept };

// The headword line, an empty line, then per group its "(pos)" line and its
// meanings, each followed by its expansion blocks; every paragraph wrapped to
// `width`. `links` holds the clickable words per meaning (none: empty).
std::vector<EntryLine> entry_lines(std::string_view headword, const format::GlossRecord& record,
                                   const std::vector<std::vector<Expansion>>& expansions,
                                   std::span<const std::vector<LinkSpan>> links, EntryLook look,
                                   std::uint16_t width);

// The lines of an entry with a record: `notes` in grey above it (how the
// query was found, which form it is), then its lines and those of the
// entries after it, linked only when shown.
std::vector<EntryLine> entry_pane_lines(const Entry& entry, std::span<const morphology::NoteLine> notes,
                                        EntryLook look, std::uint16_t width);

}  // namespace lomperi::expand
