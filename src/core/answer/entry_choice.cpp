#include "core/answer/entry_choice.hpp"

#include <algorithm>

#include "base/chunk_checks.hpp"
#include "base/text.hpp"
#include "core/analysis/spoken_forms.hpp"
#include "core/answer/entry_rules.hpp"
#include "core/answer/neighbour_rules.hpp"
#include "core/morphology/analysis.hpp"
#include "core/morphology/data_files.hpp"
#include "core/morphology/forgiving_lookup.hpp"
#include "core/morphology/form_wordings.hpp"
#include "core/morphology/headword_search.hpp"
#include "core/morphology/inflection_lookup.hpp"

namespace lomperi::answer {
namespace {

using analysis::Reading;
using morphology::Dictionary;
using morphology::NoteLine;

bool nothing_begins_with(const Dictionary& dictionary, std::string_view query, const KnownLists& known) {
    if (known.matches && known.candidates) return known.matches->empty() && known.candidates->empty();
    return morphology::search_headwords(dictionary.glosses, query, 1).empty() &&
           morphology::search_inflections(dictionary, query, 1).empty();
}

bool is_own_spelling(std::string_view listed, std::string_view headword) {
    return headword == listed || headword == lower_case_first(listed);
}

// The analyser reads a lexicalised particle only as the form it was
// ("lisäksi": the translative of "lisä", "paljon" the genitive of "paljo"),
// or not at all: its own entry is its first reading,
// so that the form shown, --json and the interlinear gloss tell the word shown.
void put_lexicalised_reading_first(const Dictionary& dictionary, EntryChoice& choice) {
    const auto record = dictionary.gloss_record(*choice.headword);
    if (!record) return;
    analysis::WordClass word_class = analysis::WordClass::None;
    for (const auto& group : record->groups) {
        word_class = morphology::particle_class(group.pos);
        if (word_class != analysis::WordClass::None) break;
    }
    if (word_class == analysis::WordClass::None) return;
    Reading own;
    own.lemma = *choice.headword;
    own.form.word_class = word_class;
    own.parts = {{choice.listed, *choice.headword}};
    own.morphs = {{choice.listed, {}, 0}};
    choice.readings.insert(choice.readings.begin(), std::move(own));
}

// Whether the lemma's entry fits the reading: it says something besides
// the forms it names, or names a form of the word the reading is made from
// ("tekemä": "agent participle of tehdä"). Not "suoria" read as a verb: its
// entry only says "partitive plural of suora".
bool entry_fits_reading(const Dictionary& dictionary, const Reading& reading) {
    const auto record = dictionary.gloss_record(reading.lemma);
    if (!record) return false;
    const auto fits = [&](const std::string& meaning) {
        if (!morphology::names_a_form(meaning)) return true;
        const auto named = morphology::read_form_of_meaning(meaning);
        return std::ranges::any_of(reading.parts, [&](const analysis::ReadingPart& part) { return part.lemma == named->word; });
    };
    return std::ranges::any_of(record->groups, [&](const format::PosGroup& group) { return std::ranges::any_of(group.meanings, fits); });
}

// The best reading whose lemma has an entry: first the best whose entry
// fits it ("suorittaman": suorittaa, not suoria).
std::vector<Reading>::iterator best_with_entry(const Dictionary& dictionary, std::vector<Reading>& readings) {
    const auto with_entry = [&](const Reading& r) { return morphology::has_entry(dictionary, r); };
    const auto first = std::ranges::find_if(readings, with_entry);
    if (first == readings.end() || entry_fits_reading(dictionary, *first)) return first;
    const auto saying = std::find_if(std::next(first), readings.end(), [&](const Reading& r) {
        return with_entry(r) && entry_fits_reading(dictionary, r);
    });
    return saying == readings.end() ? first : saying;
}

// The entry rules over the spelling the choice lists.
void choose_as_listed(const Dictionary& dictionary, EntryChoice& choice, const KnownLists& known) {
    const auto best = best_with_entry(dictionary, choice.readings);
    const RuleInput input{dictionary, choice.listed, choice.readings, best == choice.readings.end() ? nullptr : &*best, known,
                          choice.read_by_neighbours};
    auto ruled = apply_entry_rules(input);
    if (!ruled) return;
    choice.rule = ruled->rule;
    choice.headword = std::move(ruled->chosen.headword);
    choice.focus = ruled->chosen.focus;
    choice.also = std::move(ruled->chosen.also);
    choice.built = std::move(ruled->chosen.built);
    if (!choice.headword || choice.built) return;
    if (is_own_spelling(choice.listed, *choice.headword) &&
        std::ranges::none_of(choice.readings, [&](const Reading& r) { return r.lemma == *choice.headword; })) {
        put_lexicalised_reading_first(dictionary, choice);
        return;
    }
    // A reading passed over for an entry that does not fit it is not the
    // form told ("suorittaman": suorittaa's, not suoria's).
    if (best != choice.readings.end() && best != choice.readings.begin() && *choice.headword == best->lemma &&
        morphology::has_entry(dictionary, choice.readings.front())) {
        std::rotate(choice.readings.begin(), best, std::next(best));
    }
}

// The standard word of a spoken form that is no word with an entry as written.
std::optional<std::string_view> spoken_standard(const Dictionary& dictionary, std::string_view query) {
    const auto standard = analysis::standard_of_spoken(query);
    if (!standard) return std::nullopt;
    const auto readings = morphology::analyse(dictionary, query);
    if (std::ranges::any_of(readings, [&](const Reading& r) { return morphology::has_entry(dictionary, r); })) return std::nullopt;
    return standard;
}

NoteLine spoken_note(const Dictionary& dictionary, std::string_view query, std::string_view standard) {
    NoteLine line{std::string(query) + " = spoken form of ", {}};
    const std::size_t start = line.text.size();
    line.text += standard;
    if (dictionary.glosses.get(standard)) line.links.push_back({std::string(standard), start, line.text.size()});
    return line;
}

// The readings of the spelling the choice lists, best first; in running
// text as the words before it read them, so that the entry chosen is that
// of the reading they put first ("se osaa": osata, not osa).
void read_listed(const Dictionary& dictionary, std::string_view query, EntryChoice& choice, NeighbourRules* neighbours) {
    if (choice.listed.size() <= morphology::kMaxKeyBytes) choice.readings = morphology::analyse(dictionary, choice.listed);
    if (neighbours) choice.read_by_neighbours = neighbours->read(query, choice.readings);
}

EntryChoice choose(const Dictionary& dictionary, std::string_view query, const KnownLists& known,
                   NeighbourRules* neighbours) {
    EntryChoice choice;
    choice.listed = std::string(query);
    if (query.empty()) {
        if (neighbours) neighbours->read(query, choice.readings);
        return choice;
    }
    auto standard = spoken_standard(dictionary, query);
    if (!standard && neighbours) standard = neighbours->spoken_standard(query);
    if (standard) {
        choice.notes.push_back(spoken_note(dictionary, query, *standard));
        choice.listed = std::string(*standard);
        read_listed(dictionary, query, choice, neighbours);
        choose_as_listed(dictionary, choice, {});
        return choice;
    }
    // The lists are walked only for a word that needs forgiving: a walk
    // that meets damage in another word's part of a map is no damage of this one.
    const bool needs_forgiving = query.size() <= morphology::kMaxKeyBytes && !morphology::reaches_entry(dictionary, query);
    auto forgiven = needs_forgiving
                        ? morphology::forgive_query(dictionary, query, nothing_begins_with(dictionary, query, known))
                        : std::nullopt;
    if (forgiven) choice.notes.push_back({std::move(forgiven->note), {}});
    if (forgiven && !forgiven->parts.empty()) {
        choice.headword = std::string(query);
        choice.built = morphology::compound_record(dictionary, forgiven->parts);
        choice.rule = "forgiven spelling";
        if (neighbours) neighbours->read(query, choice.readings);
        return choice;
    }
    if (forgiven) choice.listed = std::move(forgiven->found);
    read_listed(dictionary, query, choice, neighbours);
    // The caller's lists are of the word as typed, not of a forgiven spelling.
    choose_as_listed(dictionary, choice, forgiven ? KnownLists{} : known);
    return choice;
}

}  // namespace

EntryChoice choose_entry(const Dictionary& dictionary, std::string_view query, const KnownLists& known,
                         NeighbourRules* neighbours) {
    const DamageWatch watch;
    EntryChoice choice = choose(dictionary, query, known, neighbours);
    // The entry is read here as well, so that damage in it is told with the choice.
    if (choice.built) {
        choice.record = choice.built;
    } else if (choice.headword) {
        choice.record = dictionary.gloss_record(*choice.headword);
    }
    if (watch.met()) {
        choice = EntryChoice{};
        choice.listed = std::string(query);
    }
    choice.damaged = watch.met();
    return choice;
}

}  // namespace lomperi::answer
