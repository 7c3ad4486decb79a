#include "core/answer/answer.hpp"

#include "core/morphology/analysis.hpp"

namespace lomperi::answer {

Answer answer(const morphology::Dictionary& dictionary, std::string_view word, Detail detail, const KnownLists& known) {
    Answer found{choose_entry(dictionary, word, known), {}, {}};
    EntryChoice& choice = found.choice;
    if (choice.record) found.meaning = format::first_meaning(*choice.record);
    if (detail == Detail::Meaning) return found;
    for (auto& line : morphology::analysis_lines(dictionary, choice.listed, choice.readings)) {
        choice.notes.push_back(std::move(line));
    }
    if (detail == Detail::Notes || !choice.record) return found;
    found.entry = entry_with_also(dictionary, *choice.headword, choice.record, choice.also);
    return found;
}

expand::Entry entry_with_also(const morphology::Dictionary& dictionary, std::string headword,
                              std::optional<format::GlossRecord> record, const std::optional<std::string>& also) {
    expand::Entry entry = expand::build_entry(dictionary, std::move(headword), std::move(record));
    if (also) entry.also.push_back(expand::build_entry(dictionary, *also, dictionary.gloss_record(*also)));
    return entry;
}

}  // namespace lomperi::answer
