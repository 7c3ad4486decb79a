#include "core/analysis/reading.hpp"

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>

#include "core/analysis/form_text.hpp"
#include "core/analysis/labels.hpp"
#include "core/analysis/voikko_output.hpp"
#include "core/analysis/voikko_tags.hpp"

namespace lomperi::analysis {
namespace {

template <class Code>
void set_known(Code& attribute, Code value) {
    if (value != Code{}) attribute = value;
}

// What a form tag before a morph adds to it: the last tag of a kind says
// its case, number, person, mood and tense; each of the others adds its own.
void add_morph_tag(Form& form, char kind, std::string_view letters) {
    switch (kind) {
        case 'S': form.grammatical_case = case_tag(letters); break;
        case 'N': form.number = number_tag(letters); break;
        case 'P': form.person = person_tag(letters); break;
        case 'A': form.tense = tense_tag(letters); break;
        case 'T': {
            const MoodTag mood = mood_tag(letters);
            form.mood = mood.mood;
            form.infinitive = mood.infinitive;
            break;
        }
        case 'C': set_known(form.comparison, comparison_tag(letters)); break;
        case 'R': set_known(form.participle, participle_tag(letters)); break;
        case 'O': set_known(form.possessive, possessive_tag(letters)); break;
        case 'F':
            if (const auto clitic = clitic_tag(letters)) form.clitics.push_back(*clitic);
            break;
        default: break;
    }
}

bool is_form_tag(char kind) { return std::string_view("SNPTACROF").find(kind) != std::string_view::npos; }

// The word cut at its tags: each run of letters a morph, with what the
// form tags before it add. A compound's earlier parts are one morph each.
std::vector<Morph> cut_into_morphs(std::string_view output) {
    std::vector<Morph> morphs;
    Form form;
    bool tagged = false;
    std::string letters;
    std::size_t part = 0;
    const auto close = [&] {
        if (letters.empty()) return;
        morphs.push_back({std::move(letters), told_codes(form), part});
        letters.clear();
        form = {};
        tagged = false;
    };
    // Tags after the last letters tell a form that adds none ("ota", imperative).
    const auto close_empty = [&] {
        if (!letters.empty() || !tagged) return;
        if (has_cue(form)) morphs.push_back({"", told_codes(form), part});
        form = {};
        tagged = false;
    };
    for (std::size_t at = 0; at < output.size();) {
        if (output[at] != '[') {
            letters += output[at++];
            continue;
        }
        const std::size_t end = output.find(']', at);
        if (end == std::string_view::npos) break;
        const std::string_view tag = output.substr(at + 1, end - at - 1);
        at = end + 1;
        if (tag.size() == 2 && tag.front() == 'X' && tag != "X]") {
            // A base form between [Xp] (or [Xj], [Xr], [Xs]) and [X]: not the word's letters.
            const std::size_t close_x = output.find("[X]", at);
            at = close_x == std::string_view::npos ? output.size() : close_x + 3;
            continue;
        }
        if (tag == "Bc") {
            close();
            close_empty();
            ++part;
            continue;
        }
        if (tag == "Bh") continue;
        if (!tag.empty() && is_form_tag(tag.front())) {
            close();
            add_morph_tag(form, tag.front(), tag.substr(1));
            tagged = true;
        }
    }
    close();
    close_empty();
    return morphs;
}

// Compound parts and derivations from voikko's parts: a suffix's base
// starts with "+" and belongs to the part before it.
void add_parts(Reading& reading, const std::vector<VoikkoPart>& parts) {
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const VoikkoPart& part = parts[k];
        if (part.text == "-" && part.base == "-") continue;
        // A prefix has no base form of its own: it is written as one ("ylä-" of "yläpalkki").
        if (k == 0 && part.base.empty() && parts.size() > 1 && !parts[1].base.empty() && !parts[1].base.starts_with('+')) {
            reading.parts.push_back({part.text, part.text + "-"});
            continue;
        }
        // A suffix, or letters that no base form introduces, go with the part before.
        if (part.base.starts_with('+') || (part.base.empty() && !reading.parts.empty())) {
            if (part.base.starts_with('+')) ++reading.derivations;
            if (!reading.parts.empty()) reading.parts.back().text += part.text;
            continue;
        }
        reading.parts.push_back({part.text, part.base});
    }
    reading.compound_parts = std::max<std::size_t>(1, reading.parts.size());
}

// The indefinite pronouns voikko gives as a relative or interrogative one
// with a clitic: their own words, as dictionaries and grammars have them.
struct IndefinitePronoun {
    std::string_view lemma;
    std::optional<Clitic> clitic;  // none: the ending carries it (mistään)
    std::string_view indefinite;
};
constexpr IndefinitePronoun kIndefinitePronouns[] = {
    {"joka", Clitic::Kin, "jokin"},        // jotakin, jossakin, joitakin
    {"kuka", Clitic::Kin, "kukin"},        // kullakin
    {"kuka", Clitic::Kaan, "kukaan"},      // kenellekään
    {"ken", Clitic::Kaan, "kukaan"},       // kenenkään
    {"mikä", Clitic::Kaan, "mikään"},      // mihinkään
    {"mikä", std::nullopt, "mikään"},      // missään, mistään
    {"kumpi", Clitic::Kaan, "kumpikaan"},  // kumpaakaan
};

// Whether the word ends in the clitic's letters without a clitic morph:
// mikään's -stään and -ssään, not mikä's -stä.
bool ending_carries_clitic(std::string_view word) { return word.ends_with("än") || word.ends_with("an"); }

void read_as_indefinite(Reading& reading, std::string_view word) {
    if (reading.form.word_class != WordClass::Pronoun) return;
    for (const auto& pronoun : kIndefinitePronouns) {
        if (reading.lemma != pronoun.lemma) continue;
        if (pronoun.clitic ? !reading.form.clitics.contains(*pronoun.clitic)
                           : !reading.form.clitics.empty() || !ending_carries_clitic(word)) {
            continue;
        }
        for (ReadingPart& part : reading.parts) {
            if (part.lemma == reading.lemma) part.lemma = pronoun.indefinite;
        }
        reading.lemma = pronoun.indefinite;
        if (!pronoun.clitic) return;
        reading.form.clitics.remove(*pronoun.clitic);
        // The clitic's letters belong to the ending now (jota·kin: -takin).
        const auto clitic_morph = std::ranges::find_if(
            reading.morphs, [&](const Morph& m) { return m.form.clitics.contains(*pronoun.clitic); });
        if (clitic_morph != reading.morphs.end() && clitic_morph != reading.morphs.begin()) {
            std::prev(clitic_morph)->text += clitic_morph->text;
            reading.morphs.erase(clitic_morph);
        }
        return;
    }
}

// A participle of a derived verb is that verb's: "parannettu" is parantaa's
// (paran + taa), not its root parata's; "jaoteltu" is jaotella's.
void lead_participle_to_derived_verb(Reading& reading, const std::vector<VoikkoPart>& parts) {
    if (reading.form.participle == Participle::None || parts.size() < 3 || reading.parts.empty()) return;
    const std::string_view suffix = parts[1].base;
    if (!suffix.starts_with('+') || parts[0].base.starts_with('+')) return;
    const std::string_view ending = suffix.substr(1);
    if (ending.empty() || !(ending.ends_with("a") || ending.ends_with("ä"))) return;
    ReadingPart& verb = reading.parts.front();
    verb.root = std::exchange(verb.lemma, parts[0].text + std::string(ending));
}

Reading reading_of(const VoikkoAnalysis& analysis, std::string_view output, std::string_view word) {
    Reading r;
    r.lemma = analysis.base_form;
    r.form = analysis.form;
    add_parts(r, analysis.parts);
    lead_participle_to_derived_verb(r, analysis.parts);
    r.morphs = cut_into_morphs(output);
    // A noun is not compared, whatever its letters look like ("molemmat": both).
    if (r.form.comparison == Comparison::None) {
        for (Morph& morph : r.morphs) morph.form.comparison = Comparison::None;
    }
    read_as_indefinite(r, word);
    return r;
}

// What a reading shares with an analysis of the word without an untagged
// clitic that tells the same form: the class as told, the case, the verb
// form, the possessive.
bool same_but_clitic(const Reading& reading, const VoikkoAnalysis& shorter) {
    const Form& a = reading.form;
    const Form& b = shorter.form;
    return reading.lemma == shorter.base_form && label(a.word_class).json == label(b.word_class).json &&
           a.grammatical_case == b.grammatical_case && a.number == b.number && a.person == b.person &&
           a.mood == b.mood && a.tense == b.tense && a.infinitive == b.infinitive && a.participle == b.participle &&
           a.possessive == b.possessive;
}

// The untagged clitics: a reading of the word without the clitic that is
// the same reading tells it.
void find_untagged_clitics(std::string_view word, std::vector<Reading>& readings,
                           const std::function<RawAnalyses(std::string_view)>& without_clitic) {
    for (const auto& [written, clitic] : kUntaggedClitics) {
        if (word.size() <= written.size() + 1 || !word.ends_with(written)) continue;
        const std::string_view stem = word.substr(0, word.size() - written.size());
        const auto shorter = read_voikko_outputs(stem, without_clitic(stem));
        bool any = false;
        for (Reading& reading : readings) {
            if (reading.form.clitics.contains(clitic)) continue;
            for (const auto& analysis : shorter) {
                if (!same_but_clitic(reading, analysis)) continue;
                reading.form.clitics.push_back(clitic);
                if (!reading.morphs.empty() && reading.morphs.back().text.size() > written.size() &&
                    reading.morphs.back().text.ends_with(written)) {
                    Morph& last = reading.morphs.back();
                    last.text.resize(last.text.size() - written.size());
                    Morph added{std::string(written), {}, last.part};
                    added.form.clitics.push_back(clitic);
                    reading.morphs.push_back(std::move(added));
                }
                any = true;
                break;
            }
        }
        if (any) return;
    }
}

}  // namespace

std::vector<Reading> readings_of(std::string_view word, const RawAnalyses& raw,
                                 const std::function<RawAnalyses(std::string_view)>& without_clitic) {
    std::vector<Reading> readings;
    for (const auto& analysis : read_voikko_outputs(word, raw)) {
        Reading reading = reading_of(analysis, raw[analysis.output], word);
        if (std::ranges::find(readings, reading) == readings.end()) readings.push_back(std::move(reading));
    }
    if (without_clitic) find_untagged_clitics(word, readings, without_clitic);
    return readings;
}

bool is_basic_form(const Reading& reading) {
    return std::ranges::none_of(reading.morphs, [](const Morph& m) { return has_cue(m.form); }) &&
           reading.form.clitics.empty() && reading.form.participle == Participle::None && reading.derivations == 0;
}

}  // namespace lomperi::analysis
