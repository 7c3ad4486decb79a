#include "core/answer/answer.hpp"

#include <algorithm>

#include "base/text.hpp"
#include "core/analysis/labels.hpp"
#include "core/answer/unknown_words.hpp"
#include "core/morphology/analysis.hpp"
#include "core/morphology/form_wordings.hpp"
#include "core/suggest/suggester.hpp"

namespace lomperi::answer {

namespace {

// The class whose group tells the word (morphology::told_class), when the
// entry is of its lemma: "kohdalla", a case of the noun kohta; koko read as
// the adjective.
analysis::WordClass read_class(const EntryChoice& choice) {
    if (choice.readings.empty()) return analysis::WordClass::None;
    const analysis::Reading& first = choice.readings.front();
    // A participle of a verb chain is told by its verb's group ("ovat taanneet": guarantee, not taata's noun).
    if (first.lemma == choice.headword && first.form.participle != analysis::Participle::None &&
        first.form.word_class == analysis::WordClass::Verb) {
        return analysis::WordClass::Verb;
    }
    // A derived word is told by its base's entry, whose classes are not its own ("kokoinen": koko's).
    if (first.lemma != choice.headword || first.derivations > 0) return analysis::WordClass::None;
    return morphology::told_class(first);
}

// What the entry says first (morphology::said_meaning); a compound's entry
// that only points to its parts says their meanings (morphology::parts_meaning).
std::optional<std::string> told_meaning(const morphology::Dictionary& dictionary, const EntryChoice& choice,
                                        analysis::WordClass word_class) {
    const format::GlossRecord& record = *choice.record;
    if (auto parts = morphology::parts_meaning(dictionary, record)) return parts;
    // A participle's entry of its own, in the sense of its verb ("valittavaa": selectable).
    if (!choice.readings.empty() && choice.headword) {
        const auto& top = choice.readings.front();
        if (auto of_verb = morphology::meaning_of_its_verb(dictionary, *choice.headword, top, choice.readings)) return of_verb;
    }
    std::string said = morphology::said_meaning(dictionary, record, word_class);
    return said.empty() ? std::nullopt : std::optional(std::move(said));
}

// "Apple (name)", "ticket (English word)".
std::string with_class(const std::string& text, analysis::WordClass word_class) {
    return text + " (" + std::string(analysis::label(word_class).json) + ")";
}

// A name's entry that only repeats the name says what the name is
// ("Helsinki": "Helsinki (place name)"), as the analyser tells it.
std::optional<std::string> with_name_class(std::optional<std::string> meaning, const EntryChoice& choice) {
    if (!meaning || !choice.headword || lower_case(*meaning) != lower_case(*choice.headword)) return meaning;
    const auto name = std::ranges::find_if(choice.readings, [&](const analysis::Reading& r) {
        return r.lemma == *choice.headword && analysis::is_name(r.form.word_class);
    });
    if (name == choice.readings.end()) return meaning;
    return with_class(*meaning, name->form.word_class);
}

// A name without an entry says what the name is ("Apple": "Apple (name)"),
// and so do an English word in the text ("ticket (English word)"), a
// number ("256:lla": "256 (numeral)") and a word told by its shape
// ("Ctrl+Z (key)").
std::optional<std::string> class_without_entry(const EntryChoice& choice) {
    if (choice.readings.empty()) return std::nullopt;
    const analysis::Reading& word = choice.readings.front();
    // A number as it stands needs no gloss ("2", "3.12.4").
    const auto grammatical_case = word.form.grammatical_case;
    const bool inflected_number = word.form.word_class == analysis::WordClass::Numeral &&
                                  grammatical_case != analysis::Case::None && grammatical_case != analysis::Case::Nominative;
    if (!analysis::told_by_class(word.form.word_class) && !word.guessed && !inflected_number) return std::nullopt;
    return with_class(word.lemma, word.form.word_class);
}

}  // namespace

Answer answer(const morphology::Dictionary& dictionary, std::string_view word, Detail detail, const KnownLists& known,
              NeighbourRules* neighbours) {
    Answer found{choose_entry(dictionary, word, known, neighbours), {}, {}};
    EntryChoice& choice = found.choice;
    if (!choice.headword && !choice.damaged && !known.being_typed) tell_without_entry(dictionary, word, choice.readings);
    if (choice.record) found.meaning = with_name_class(told_meaning(dictionary, choice, read_class(choice)), choice);
    if (!choice.record) found.meaning = class_without_entry(choice);
    if (detail == Detail::Meaning) return found;
    for (auto& line : morphology::analysis_lines(dictionary, choice.listed, choice.readings)) {
        choice.notes.push_back(std::move(line));
    }
    if (detail == Detail::Notes || !choice.record) return found;
    found.entry = entry_with_also(dictionary, *choice.headword, choice.record, choice.also);
    return found;
}

bool reads_as_a_word(const EntryChoice& choice) { return !choice.readings.empty() && !choice.readings.front().guessed; }

suggest::Suggestions suggest_for(const morphology::Dictionary& dictionary, std::string_view word,
                                 const EntryChoice& choice) {
    if (choice.headword || reads_as_a_word(choice) || choice.damaged) return {};
    return suggest::suggest(dictionary, word);
}

std::vector<std::string> suggestions_for(const morphology::Dictionary& dictionary, std::string_view word,
                                         const EntryChoice& choice) {
    std::vector<std::string> words;
    for (auto& suggestion : suggest_for(dictionary, word, choice).words) words.push_back(std::move(suggestion.word));
    return words;
}

expand::Entry entry_with_also(const morphology::Dictionary& dictionary, std::string headword,
                              std::optional<format::GlossRecord> record, const std::optional<std::string>& also) {
    expand::Entry entry = expand::build_entry(dictionary, std::move(headword), std::move(record));
    if (also) entry.also.push_back(expand::build_entry(dictionary, *also, dictionary.gloss_record(*also)));
    return entry;
}

}  // namespace lomperi::answer
