#pragma once
// The expansions and links of a whole entry, computed when it is shown.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/expand/expansion.hpp"
#include "core/expand/link_span.hpp"
#include "core/morphology/dictionary.hpp"
#include "format/gloss.hpp"

namespace lomperi::expand {

// Both lists are indexed by meaning number: the meanings of all groups in
// order, the first group's first.
struct EntryView {
    std::vector<std::vector<Expansion>> lines;
    std::vector<std::vector<LinkSpan>> links;
    friend bool operator==(const EntryView&, const EntryView&) = default;
};

EntryView build_entry_view(const morphology::Dictionary& dictionary, std::string_view headword,
                           const format::GlossRecord& record);

// An entry as the pane shows it.
struct Entry {
    std::string headword;
    std::optional<format::GlossRecord> record;  // none: no record to show ("(no entry)")
    EntryView view;
    std::vector<Entry> also;  // entries shown after this one: the query's own, when it is a form of this headword
    friend bool operator==(const Entry&, const Entry&) = default;
};

// The entry of `headword` showing `record`, expanded and linked.
Entry build_entry(const morphology::Dictionary& dictionary, std::string headword,
                  std::optional<format::GlossRecord> record);

}  // namespace lomperi::expand
