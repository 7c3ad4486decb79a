#include "core/expand/entry_view.hpp"

#include "core/expand/meaning_scan.hpp"

namespace lomperi::expand {

EntryView build_entry_view(const morphology::Dictionary& dictionary, std::string_view headword,
                           const format::GlossRecord& record) {
    EntryView view;
    // One set for the whole entry, so a word is expanded under the first
    // meaning that mentions it only; links only ever exclude the headword.
    Visited visited{std::string(headword)};
    const Visited own_headword{std::string(headword)};
    for (const format::PosGroup& group : record.groups) {
        for (const std::string& meaning : group.meanings) {
            MeaningScan scan(dictionary, meaning);
            view.lines.push_back(expand_meaning(scan, 1, visited));
            view.links.push_back(link_meaning(scan, own_headword));
        }
    }
    return view;
}

Entry build_entry(const morphology::Dictionary& dictionary, std::string headword,
                  std::optional<format::GlossRecord> record) {
    Entry entry{std::move(headword), std::move(record), {}, {}};
    if (entry.record) entry.view = build_entry_view(dictionary, entry.headword, *entry.record);
    return entry;
}

}  // namespace lomperi::expand
