#include "core/morphology/entry_choice.hpp"

#include <algorithm>

#include "core/analysis/spoken_forms.hpp"
#include "core/morphology/analysis.hpp"
#include "core/morphology/forgiving_lookup.hpp"
#include "core/morphology/form_wordings.hpp"
#include "core/morphology/headword_search.hpp"
#include "core/morphology/inflection_lookup.hpp"

namespace lomperi::morphology {
namespace {

using analysis::Reading;

bool nothing_begins_with(const Dictionary& dictionary, std::string_view query) {
    return search_headwords(dictionary.glosses, query, 1).empty() && search_inflections(dictionary, query, 1).empty();
}

// Whether every meaning of the headword's entry only names the form it is of
// another word ("inessive singular of talo"): then its entry adds nothing to
// that word's.
bool only_describes_form_of(const Dictionary& dictionary, std::string_view headword, std::string_view lemma) {
    const auto record = dictionary.gloss_record(headword);
    if (!record) return true;
    const std::string of_lemma = " of " + std::string(lemma);
    for (const auto& group : record->groups) {
        for (const auto& meaning : group.meanings) {
            if (meaning.find(of_lemma) == std::string::npos) return false;
        }
    }
    return true;
}

// Whether a meaning only names the form the word is of one of its readings'
// lemmas or their verbs ("second-person singular imperative of ottaa").
bool names_form_of_reading(std::string_view meaning, const std::vector<Reading>& readings) {
    const auto named = read_form_of_meaning(meaning);
    if (!named || !named->suffixes.empty()) return false;
    const auto of = [&](std::string_view lemma) { return named->word == lemma; };
    return std::ranges::any_of(readings, [&](const Reading& r) {
        return of(r.lemma) || std::ranges::any_of(r.parts, [&](const auto& part) { return of(part.lemma); });
    });
}

// A headword that is only ever an inflected form of other words keeps its
// own entry when that entry starts with a meaning of its own ("esimerkiksi":
// "for example"), not with the form it is ("tiedot": "nominative plural of
// tieto"); the data build puts such a meaning first. A pronoun's forms are
// read as the pronoun ("sillä": "with it", not the source's "intention").
bool is_lexicalised(const Dictionary& dictionary, std::string_view headword, const std::vector<Reading>& readings) {
    if (readings.empty() || readings.front().form.word_class == analysis::WordClass::Pronoun) return false;
    if (std::ranges::any_of(readings, [&](const Reading& r) { return r.lemma == headword; })) return false;
    const auto record = dictionary.gloss_record(headword);
    if (!record) return false;
    for (const auto& group : record->groups) {
        if (!group.meanings.empty()) return !names_form_of_reading(group.meanings.front(), readings);
    }
    return false;
}

// The compound reading whose parts all have entries, told by them.
std::optional<format::GlossRecord> compound_of_parts(const Dictionary& dictionary, const std::vector<Reading>& readings) {
    for (const Reading& reading : readings) {
        if (reading.compound_parts < 2) continue;
        std::vector<CompoundPart> parts;
        for (const auto& part : reading.parts) {
            if (!dictionary.glosses.get(part.lemma)) break;
            parts.push_back({part.text, part.lemma});
        }
        if (parts.size() == reading.parts.size()) return compound_record(dictionary, parts);
    }
    return std::nullopt;
}

// A derived word without an entry of its own ("tuettu", "sumennus") is told
// by the word it is derived from: its own lemma as the headword, the base
// word's meanings as its entry (the analysis line says which form it is).
const Reading* derived_from_entry(const Dictionary& dictionary, const std::vector<Reading>& readings) {
    for (const Reading& reading : readings) {
        if (reading.derivations == 0 || reading.compound_parts != 1 || reading.parts.empty()) continue;
        if (dictionary.glosses.get(reading.parts.front().lemma)) return &reading;
    }
    return nullptr;
}

// The verb of a participle whose own entry only names the form it is
// ("määritelty": "past passive participle of määrittää"): its entry is the
// answer, not a second look-up.
std::optional<std::string_view> described_verb(const Dictionary& dictionary, std::string_view headword,
                                               const std::vector<Reading>& readings) {
    if (readings.empty()) return std::nullopt;
    const Reading& top = readings.front();
    if (top.form.participle == analysis::Participle::None || top.parts.empty()) return std::nullopt;
    const std::string_view verb = top.parts.front().lemma;
    if (verb == headword || !dictionary.glosses.get(verb)) return std::nullopt;
    if (!only_describes_form_of(dictionary, headword, verb)) return std::nullopt;
    return verb;
}

// The entry of a spelling that the lists show as they are.
void choose_as_listed(const Dictionary& dictionary, EntryChoice& choice) {
    const auto top = std::ranges::find_if(choice.readings, [&](const Reading& r) { return has_entry(dictionary, r); });
    const Reading* best = top == choice.readings.end() ? nullptr : &*top;
    if (dictionary.glosses.get(choice.listed)) {
        choice.headword = choice.listed;
        if (best && best->lemma != choice.listed && !is_basic_form(*best) &&
            !is_lexicalised(dictionary, choice.listed, choice.readings)) {
            choice.headword = best->lemma;
            choice.focus = ListFocus::Inflections;
            if (!only_describes_form_of(dictionary, choice.listed, best->lemma)) choice.also = choice.listed;
        }
        if (const auto verb = described_verb(dictionary, *choice.headword, choice.readings)) {
            choice.headword = std::string(*verb);
            choice.focus = ListFocus::Inflections;
        }
        return;
    }
    if (best) {
        const auto verb = described_verb(dictionary, best->lemma, choice.readings);
        choice.headword = verb ? std::string(*verb) : best->lemma;
        choice.focus = ListFocus::Inflections;
        return;
    }
    if (const Reading* derived = derived_from_entry(dictionary, choice.readings)) {
        choice.headword = derived->lemma;
        choice.built = dictionary.gloss_record(derived->parts.front().lemma);
        choice.focus = ListFocus::Inflections;
        return;
    }
    if (auto compound = compound_of_parts(dictionary, choice.readings)) {
        choice.headword = choice.listed;
        choice.built = std::move(compound);
        return;
    }
    // A word the analyser knows is not some other word that begins the same
    // or ends like a form of one: better no entry than a wrong one.
    if (!choice.readings.empty()) return;
    if (auto base = fallback_headword(dictionary, choice.listed)) {
        choice.headword = std::move(base);
        choice.focus = ListFocus::Inflections;
        return;
    }
    if (const auto first = search_headwords(dictionary.glosses, choice.listed, 1); !first.empty()) {
        choice.headword = first.front().headword;
        choice.only_begins_alike = true;
    }
}

// The standard word of a spoken form that is no word with an entry as written.
std::optional<std::string_view> spoken_standard(const Dictionary& dictionary, std::string_view query) {
    const auto standard = analysis::standard_of_spoken(query);
    if (!standard) return std::nullopt;
    const auto readings = analyse(dictionary, query);
    if (std::ranges::any_of(readings, [&](const Reading& r) { return has_entry(dictionary, r); })) return std::nullopt;
    return standard;
}

NoteLine spoken_note(const Dictionary& dictionary, std::string_view query, std::string_view standard) {
    NoteLine line{std::string(query) + " = spoken form of ", {}};
    const std::size_t start = line.text.size();
    line.text += standard;
    if (dictionary.glosses.get(standard)) line.links.push_back({std::string(standard), start, line.text.size()});
    return line;
}

EntryChoice choose(const Dictionary& dictionary, std::string_view query) {
    EntryChoice choice;
    choice.listed = std::string(query);
    if (query.empty()) return choice;
    if (const auto standard = spoken_standard(dictionary, query)) {
        choice.notes.push_back(spoken_note(dictionary, query, *standard));
        choice.listed = std::string(*standard);
        choice.readings = analyse(dictionary, choice.listed);
        for (auto& line : analysis_lines(dictionary, choice.listed, choice.readings)) choice.notes.push_back(std::move(line));
        choose_as_listed(dictionary, choice);
        return choice;
    }
    // The lists are walked only for a word that needs forgiving: a walk
    // that meets damage in another word's part of a map is no damage of this one.
    const bool needs_forgiving = query.size() <= kMaxKeyBytes && !reaches_entry(dictionary, query);
    auto forgiven =
        needs_forgiving ? forgive_query(dictionary, query, nothing_begins_with(dictionary, query)) : std::nullopt;
    if (forgiven) choice.notes.push_back({std::move(forgiven->note), {}});
    if (forgiven && !forgiven->parts.empty()) {
        choice.headword = std::string(query);
        choice.built = compound_record(dictionary, forgiven->parts);
        return choice;
    }
    if (forgiven) choice.listed = std::move(forgiven->found);
    if (choice.listed.size() <= kMaxKeyBytes) choice.readings = analyse(dictionary, choice.listed);
    for (auto& line : analysis_lines(dictionary, choice.listed, choice.readings)) choice.notes.push_back(std::move(line));
    choose_as_listed(dictionary, choice);
    return choice;
}

}  // namespace

EntryChoice choose_entry(const Dictionary& dictionary, std::string_view query) {
    const DamageWatch watch;
    EntryChoice choice = choose(dictionary, query);
    // The entry is read here as well, so that damage in it is told with the choice.
    if (choice.headword && !choice.built) (void)dictionary.gloss_record(*choice.headword);
    if (watch.met()) {
        choice = EntryChoice{};
        choice.listed = std::string(query);
    }
    choice.damaged = watch.met();
    return choice;
}

std::optional<std::string> first_meaning(const format::GlossRecord& record) {
    for (const auto& group : record.groups) {
        if (!group.meanings.empty()) return group.meanings.front();
    }
    return std::nullopt;
}

std::optional<format::GlossRecord> chosen_record(const Dictionary& dictionary, const EntryChoice& choice) {
    if (choice.built) return choice.built;
    if (!choice.headword) return std::nullopt;
    return dictionary.gloss_record(*choice.headword);
}

}  // namespace lomperi::morphology
