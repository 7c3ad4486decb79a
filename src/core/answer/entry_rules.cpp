#include "core/answer/entry_rules.hpp"

#include <algorithm>

#include "base/text.hpp"
#include "core/morphology/analysis.hpp"
#include "core/morphology/forgiving_lookup.hpp"
#include "core/morphology/form_wordings.hpp"
#include "core/morphology/headword_search.hpp"
#include "core/morphology/inflection_lookup.hpp"

namespace lomperi::answer {
namespace {

using analysis::Reading;
using morphology::Dictionary;

// Whether each meaning of the headword's entry is only its own name ("sai": "sai").
bool only_repeats_its_name(const Dictionary& dictionary, std::string_view headword) {
    const auto record = dictionary.gloss_record(headword);
    if (!record) return true;
    for (const auto& group : record->groups) {
        if (std::ranges::any_of(group.meanings, [&](const std::string& meaning) { return meaning != headword; })) return false;
    }
    return true;
}

// Whether a meaning only names the form the word is of one of its readings'
// lemmas or their verbs, or those verbs' roots ("second-person singular
// imperative of ottaa"; vaihtelevasti: "... participle of vaihtaa", as
// vaihdella's root).
bool names_form_of_reading(std::string_view meaning, const std::vector<Reading>& readings) {
    const auto named = morphology::read_form_of_meaning(meaning);
    if (!named) return false;
    const auto of = [&](std::string_view lemma) { return named->word == lemma; };
    return std::ranges::any_of(readings, [&](const Reading& r) {
        return of(r.lemma) ||
               std::ranges::any_of(r.parts, [&](const auto& part) { return of(part.lemma) || of(part.root); });
    });
}

// Whether every meaning of the headword's entry only names the form the word
// is of one of its readings' words ("talot": "nominative plural of talo";
// "pidettävä": "present passive participle of pitää", "... of pidetä"):
// then its entry adds nothing to theirs.
bool only_names_forms_of_readings(const Dictionary& dictionary, std::string_view headword,
                                  const std::vector<Reading>& readings) {
    const auto record = dictionary.gloss_record(headword);
    if (!record) return true;
    return std::ranges::all_of(record->groups, [&](const format::PosGroup& group) {
        return std::ranges::all_of(group.meanings, [&](const std::string& m) { return names_form_of_reading(m, readings); });
    });
}

Chosen entry_of(std::string headword, ListFocus focus = ListFocus::Matches) {
    Chosen chosen;
    chosen.headword = std::move(headword);
    chosen.focus = focus;
    return chosen;
}

bool has_own_entry(const RuleInput& in) { return in.dictionary.glosses.get(in.listed).has_value(); }

// The word without the clitics its first reading ends in ("kotonakin":
// kotona), when that is a headword.
std::optional<std::string> headword_without_clitics(const RuleInput& in) {
    if (in.readings.empty()) return std::nullopt;
    std::size_t clitic_bytes = 0;
    const auto& morphs = in.readings.front().morphs;
    for (auto morph = morphs.rbegin(); morph != morphs.rend() && !morph->form.clitics.empty(); ++morph) {
        clitic_bytes += morph->text.size();
    }
    if (clitic_bytes == 0 || clitic_bytes >= in.listed.size()) return std::nullopt;
    std::string stem = lower_case_first(in.listed.substr(0, in.listed.size() - clitic_bytes));
    if (!in.dictionary.glosses.get(stem)) return std::nullopt;
    return stem;
}

// The word's own headword: as written, in lower case when only that is one,
// or without its clitics.
std::optional<std::string> own_headword(const RuleInput& in) {
    if (has_own_entry(in)) return std::string(in.listed);
    std::string lower = lower_case_first(in.listed);
    if (lower != in.listed && in.dictionary.glosses.get(lower)) return lower;
    return headword_without_clitics(in);
}

// The word's best reading is the word itself: its basic form, or no reading
// that reaches an entry.
std::optional<Chosen> headword_as_written(const RuleInput& in) {
    if (!has_own_entry(in)) return std::nullopt;
    if (in.best && in.best->lemma != in.listed && !analysis::is_basic_form(*in.best)) return std::nullopt;
    return entry_of(std::string(in.listed));
}

// Whether a pronoun's form is a particle of its own: its entry leads as a
// conjunction ("sillä": "for"), or as an adverb when the form is of
// becoming or of direction ("miksi": "why", "minne": "where to"). Not the
// other cases, which are as often the pronoun's ("mitä": what; "tässä":
// in this, or here).
bool adverb_of_a_pronoun(const Reading& reading, const format::GlossRecord& record) {
    if (record.groups.empty()) return false;
    const auto leads_as = morphology::particle_class(record.groups.front().pos);
    if (leads_as == analysis::WordClass::Conjunction) return true;
    const analysis::Case grammatical_case = reading.form.grammatical_case;
    const bool of_becoming_or_direction =
        grammatical_case == analysis::Case::Translative || grammatical_case == analysis::Case::Illative;
    return leads_as == analysis::WordClass::Adverb && of_becoming_or_direction;
}

// A headword that is only ever an inflected form of other words keeps its
// own entry when that entry starts with a meaning of its own ("esimerkiksi":
// "for example"), not with the form it is ("tiedot": "nominative plural of
// tieto"); the data build puts such a meaning first. A pronoun's forms are
// read as the pronoun ("sitä": "it", "tässä": "in this"; the sense "here"
// is given by the pronoun's entry), unless the word's entry leads as a
// conjunction ("sillä": "for").
// Whatever the capital it is written with ("Lisäksi" at the start of a
// sentence); an entry that only repeats the word's name ("sai": "sai") says
// nothing of its own.
std::optional<Chosen> lexicalised_form(const RuleInput& in) {
    if (in.readings.empty()) return std::nullopt;
    const auto own = own_headword(in);
    if (!own) return std::nullopt;
    // Read as itself, it is no form of another word; a compound spelt as the
    // word does not count ("voimassa", "in force": not voi + massa), unless
    // it is a name or its entry only names the parts ("kuuluu": kuu + luu).
    const auto read_as_itself = [&](const Reading& r) {
        return r.lemma == *own && (r.compound_parts == 1 || analysis::is_name(r.form.word_class));
    };
    if (std::ranges::any_of(in.readings, read_as_itself)) return std::nullopt;
    // The words before read it as a form ("kaksi päivää": days, not the
    // greeting "g'day"; "oli ilmestynyt": appear, not the participle's own
    // "out").
    if (in.read_by_neighbours) return std::nullopt;
    const auto record = in.dictionary.gloss_record(*own);
    if (!record) return std::nullopt;
    if (in.readings.front().form.word_class == analysis::WordClass::Pronoun && !adverb_of_a_pronoun(in.readings.front(), *record)) {
        return std::nullopt;
    }
    const auto first = format::first_meaning(*record);
    if (!first || *first == *own || names_form_of_reading(*first, in.readings)) return std::nullopt;
    if (morphology::read_compound_meaning(*first).size() > 1) return std::nullopt;
    return entry_of(*own);
}

// The best reading's lemma; the word's own entry after it when it says more
// than the form the word is.
std::optional<Chosen> lemma_with_entry(const RuleInput& in) {
    if (!in.best) return std::nullopt;
    Chosen chosen = entry_of(in.best->lemma, ListFocus::Inflections);
    if (has_own_entry(in) && !only_names_forms_of_readings(in.dictionary, in.listed, in.readings) &&
        !only_repeats_its_name(in.dictionary, in.listed)) {
        chosen.also = std::string(in.listed);
    }
    return chosen;
}

// A derived word without an entry of its own ("tuettu", "sumennus") is told
// by the word it is derived from: its own lemma as the headword, the base
// word's meanings as its entry (the analysis line says which form it is).
std::optional<Chosen> derived_word(const RuleInput& in) {
    for (const Reading& reading : in.readings) {
        if (reading.derivations == 0 || reading.compound_parts != 1 || reading.parts.empty()) continue;
        const std::string& base = reading.parts.front().lemma;
        if (!in.dictionary.glosses.get(base)) continue;
        Chosen chosen = entry_of(reading.lemma, ListFocus::Inflections);
        chosen.built = in.dictionary.gloss_record(base);
        return chosen;
    }
    return std::nullopt;
}

// The compound reading whose last part has an entry, told by its parts; a
// part without an entry is told as written ("1500-luvun": 1500 + luku).
std::optional<Chosen> compound(const RuleInput& in) {
    for (const Reading& reading : in.readings) {
        if (reading.compound_parts < 2 || reading.parts.empty()) continue;
        if (!in.dictionary.glosses.get(reading.parts.back().lemma)) continue;
        std::vector<morphology::CompoundPart> parts;
        for (const auto& part : reading.parts) {
            const bool known = in.dictionary.glosses.get(part.lemma).has_value();
            parts.push_back({part.text, known ? part.lemma : part.text});
        }
        Chosen chosen = entry_of(std::string(in.listed));
        chosen.built = morphology::compound_record(in.dictionary, parts);
        return chosen;
    }
    return std::nullopt;
}

// A word the analyser knows is not some other word that begins the same or
// ends like a form of one: better no entry than a wrong one.
std::optional<Chosen> analysed_without_entry(const RuleInput& in) {
    if (in.readings.empty()) return std::nullopt;
    return Chosen{};
}

// A word form the lists hold, with the base that has an entry.
std::optional<Chosen> form_in_the_lists(const RuleInput& in) {
    auto base = morphology::fallback_headword(in.dictionary, in.listed);
    if (!base) return std::nullopt;
    return entry_of(std::move(*base), ListFocus::Inflections);
}

constexpr NamedRule kEntryRules[] = {
    {"headword as written", headword_as_written},
    {"lexicalised form", lexicalised_form},
    {"lemma with entry", lemma_with_entry},
    {"derived word", derived_word},
    {"compound", compound},
    {"analysed, no entry", analysed_without_entry},
    {"form in the lists", form_in_the_lists},
};

constexpr std::size_t kRulesWithDescribedVerb = 3;

// The verb of a participle whose chosen entry only names the form it is
// ("määritelty": "past passive participle of määrittää"): its entry is the
// answer, not a second look-up.
std::optional<std::string_view> described_verb(const RuleInput& in, std::string_view headword) {
    if (in.readings.empty()) return std::nullopt;
    const Reading& top = in.readings.front();
    if (top.form.participle == analysis::Participle::None || top.parts.empty()) return std::nullopt;
    const std::string_view verb = top.parts.front().lemma;
    if (verb == headword || !in.dictionary.glosses.get(verb)) return std::nullopt;
    if (!only_names_forms_of_readings(in.dictionary, headword, in.readings)) return std::nullopt;
    return verb;
}

}  // namespace

std::span<const NamedRule> entry_rules() { return kEntryRules; }

std::optional<RuledChoice> apply_entry_rules(const RuleInput& input) {
    for (std::size_t k = 0; k < std::size(kEntryRules); ++k) {
        auto chosen = kEntryRules[k].rule(input);
        if (!chosen) continue;
        if (k < kRulesWithDescribedVerb && chosen->headword) {
            if (const auto verb = described_verb(input, *chosen->headword)) {
                chosen->headword = std::string(*verb);
                chosen->focus = ListFocus::Inflections;
            }
        }
        return RuledChoice{std::move(*chosen), kEntryRules[k].name};
    }
    return std::nullopt;
}

}  // namespace lomperi::answer
