#include "core/morphology/analysis.hpp"

#include <algorithm>
#include <iterator>
#include <optional>
#include <tuple>
#include <unordered_map>

#include "base/text.hpp"
#include "core/analysis/form_text.hpp"
#include "core/analysis/generator.hpp"
#include "core/analysis/labels.hpp"
#include "core/morphology/english_keys.hpp"
#include "core/morphology/form_wordings.hpp"
#include "core/morphology/reading_order.hpp"

namespace lomperi::morphology {
namespace {

using analysis::Case;
using analysis::Reading;
using analysis::WordClass;

// The classes a word is read as that tell one group of an entry from
// another plainly: a noun, a verb, a numeral, a particle. Adjectives,
// pronouns and determiners overlap too much with them to choose by.
WordClass plain_class(std::string_view pos) {
    if (pos == "noun") return WordClass::Noun;
    if (pos == "verb") return WordClass::Verb;
    if (pos == "num") return WordClass::Numeral;
    return particle_class(pos);
}

// An adjective's group, when the entry leads with a noun's ("koko" as the
// adjective: "whole", not the noun's "size").
const format::PosGroup* adjective_group_after_noun(const format::GlossRecord& record) {
    if (record.groups.empty() || plain_class(record.groups.front().pos) != WordClass::Noun) return nullptr;
    const auto group = std::ranges::find_if(record.groups, [](const format::PosGroup& g) {
        return g.pos == "adj" && !g.meanings.empty();
    });
    return group == record.groups.end() ? nullptr : &*group;
}

// A noun's, a verb's or a numeral's group, when the entry leads with a
// plainly other class ("kohdalla", a case of the noun kohta: "point", not
// the adverb's "soon"; "takaa": taata's "guarantee", not the noun's
// "geezer"). Which particle group leads, the data set has chosen by evidence.
const format::PosGroup* group_of_class(const format::GlossRecord& record, WordClass word_class) {
    if (word_class == WordClass::Adjective) return adjective_group_after_noun(record);
    const bool plain = word_class == WordClass::Noun || word_class == WordClass::Verb || word_class == WordClass::Numeral;
    if (!plain || record.groups.empty()) return nullptr;
    const WordClass first = plain_class(record.groups.front().pos);
    if (first == WordClass::None || first == word_class) return nullptr;
    const auto group = std::ranges::find_if(record.groups, [&](const format::PosGroup& g) {
        return plain_class(g.pos) == word_class && !g.meanings.empty();
    });
    return group == record.groups.end() ? nullptr : &*group;
}

// The first meaning of the headword's entry, of the group that tells the
// reading: a particle's group of its class ("varsinkin" as an adverb:
// "especially", not the form of varsi its entry names first); an inflected
// form's group of its class (group_of_class: "kohdalla"), and an
// adjective's ("koko kuvan": whole).
std::string meaning_as(const Dictionary& dictionary, std::string_view headword, const Reading& reading) {
    const auto record = dictionary.gloss_record(headword);
    if (!record) return {};
    const WordClass word_class = reading.form.word_class;
    for (const auto& group : record->groups) {
        if (word_class != WordClass::None && particle_class(group.pos) == word_class && !group.meanings.empty()) {
            return group.meanings.front();
        }
    }
    if (const auto* group = group_of_class(*record, told_class(reading))) return group->meanings.front();
    return format::first_meaning(*record).value_or("");
}

// A plural-only word ("kasvot": face, "häät": wedding) is read as forms of
// a singular ("kasvo") that has no entry: the word is its nominative
// plural, when that is a headword.
std::optional<std::string> plural_headword(const Dictionary& dictionary, const Reading& reading) {
    const analysis::Form& form = reading.form;
    if (form.number != analysis::Number::Plural || form.word_class != WordClass::Noun) return std::nullopt;
    if (reading.compound_parts != 1 || reading.derivations != 0 || has_entry(dictionary, reading)) return std::nullopt;
    analysis::GenerationRules rules;
    rules.class_tag = "[Ln]";
    rules.tag_allowed = [](std::string_view tag) {
        if (tag.starts_with("[S")) return tag == "[Sn]";
        if (tag.starts_with("[N")) return tag == "[Nm]";
        return !tag.starts_with("[X") && !tag.starts_with("[R");
    };
    rules.max_forms = 8;
    for (const auto& generated : analysis::generate_forms(dictionary.analyser, reading.lemma, rules).forms) {
        if (dictionary.glosses.get(generated.form)) return generated.form;
    }
    return std::nullopt;
}

// A participle's derived verb without an entry is told by its root's
// ("kohdistunut": kohdistaa's, as kohdistua has none).
void lead_to_root_without_entry(const Dictionary& dictionary, Reading& reading) {
    if (reading.parts.empty()) return;
    analysis::ReadingPart& verb = reading.parts.front();
    if (verb.root.empty() || dictionary.glosses.get(verb.lemma)) return;
    verb.lemma = std::move(verb.root);
    verb.root.clear();
}

// A compound's tail written apart from its first part ("Tulosta
// -valintaikkuna", "PNG -kuvake") is the word without the hyphen: the
// analyser reads "-valintaikkuna" as a compound whose first part is left out.
void read_as_written_apart_tail(const Dictionary& dictionary, Reading& reading) {
    if (reading.lemma.size() < 2 || !reading.lemma.starts_with('-') || reading.lemma[1] == '-') return;
    if (dictionary.glosses.get(reading.lemma)) return;
    reading.lemma.erase(0, 1);
}

void lead_to_plural_headword(const Dictionary& dictionary, Reading& reading) {
    auto plural = plural_headword(dictionary, reading);
    if (!plural) return;
    for (auto& part : reading.parts) {
        if (part.lemma == reading.lemma) part.lemma = *plural;
    }
    reading.lemma = std::move(*plural);
}

// Whether a word has an entry that is more than the names of its parts.
bool says_something(const Dictionary& dictionary, const std::string& word) {
    if (!dictionary.glosses.get(word)) return false;
    return read_compound_meaning(first_meaning(dictionary, word)).size() < 2;
}

// The parts of a compound without an entry of its own that make a word with an entry
// of its own are read as that word: "maalaustyökalu" is maalaus + työkalu
// (paint + tool), not maalaus + työ + kalu (paint + work + thing). The
// longest word from each part on wins.
void join_parts_with_entries(const Dictionary& dictionary, Reading& reading) {
    if (reading.parts.size() < 3) return;
    // An entry that only names the parts ("compound of maalaus + työkalu") leaves them to tell the word.
    if (says_something(dictionary, reading.lemma)) return;
    std::vector<analysis::ReadingPart> joined;
    std::vector<std::size_t> new_index(reading.parts.size());
    std::vector<bool> inner(reading.parts.size());  // a part joined to the next: its endings are the word's own
    for (std::size_t first = 0; first < reading.parts.size();) {
        std::size_t last = first;
        std::string lemma_of_last;
        for (std::size_t end = reading.parts.size() - 1; end > first; --end) {
            if (first == 0 && end + 1 == reading.parts.size()) continue;  // the whole word has no entry
            // The last part as its lemma ("työ" + "kalu" of "kalua") or, a derived one, as written
            // ("kuvan" + "käsittely", whose lemma is käsitellä).
            std::string before;
            for (std::size_t k = first; k < end; ++k) before += reading.parts[k].text;
            std::string word = before + reading.parts[end].lemma;
            if (!says_something(dictionary, word)) word = before + reading.parts[end].text;
            if (says_something(dictionary, word)) {
                lemma_of_last = std::move(word);
                last = end;
                break;
            }
        }
        analysis::ReadingPart part = reading.parts[last];
        if (last > first) {
            std::string text;
            for (std::size_t k = first; k <= last; ++k) text += reading.parts[k].text;
            part = {std::move(text), std::move(lemma_of_last)};
        }
        for (std::size_t k = first; k <= last; ++k) {
            new_index[k] = joined.size();
            inner[k] = k < last;
        }
        joined.push_back(std::move(part));
        first = last + 1;
    }
    if (joined.size() == reading.parts.size()) return;
    for (auto& morph : reading.morphs) {
        if (morph.part >= new_index.size()) continue;
        if (inner[morph.part]) morph.form = {};  // "kuvan" of kuvankäsittely is no genitive of the compound
        morph.part = new_index[morph.part];
    }
    reading.parts = std::move(joined);
    reading.compound_parts = reading.parts.size();
}

// The first part of a compound written alone ("talous- ja rahapolitiikka",
// "liha- tai kalaruoka") is read as a prefix "talous-": it is the word
// talous, when that has an entry.
void lead_to_first_part(const Dictionary& dictionary, Reading& reading) {
    if (reading.form.word_class != WordClass::Prefix || reading.lemma.size() < 2 || !reading.lemma.ends_with('-')) return;
    std::string word = reading.lemma.substr(0, reading.lemma.size() - 1);
    if (!dictionary.glosses.get(word)) return;
    for (auto& part : reading.parts) {
        if (part.lemma == reading.lemma) part.lemma = word;
    }
    reading.lemma = std::move(word);
}

// Running text repeats its words, and a query is analysed again at each
// keystroke: the readings of the words seen last are kept, per thread, for
// one data set at a time. Two generations: when the newer fills, the older is
// forgotten, and a word found in the older is brought forward, so that the
// words in use stay.
class RecentAnalyses {
public:
    std::optional<std::vector<Reading>> find(const Dictionary& dictionary, std::string_view word) {
        if (serial_ != dictionary.serial) {
            newer_.clear();
            older_.clear();
            serial_ = dictionary.serial;
        }
        if (const auto found = newer_.find(word); found != newer_.end()) return found->second;
        const auto found = older_.find(word);
        if (found == older_.end()) return std::nullopt;
        std::vector<Reading> readings = found->second;
        keep(word, readings);
        return readings;
    }
    void keep(std::string_view word, const std::vector<Reading>& readings) {
        if (word.size() > kMaxKeyBytes) return;
        if (newer_.size() >= kWordsPerGeneration) {
            older_ = std::move(newer_);
            newer_.clear();
        }
        newer_.emplace(std::string(word), readings);
    }

private:
    static constexpr std::size_t kWordsPerGeneration = 4096;
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    using Generation = std::unordered_map<std::string, std::vector<Reading>, Hash, std::equal_to<>>;
    std::uint64_t serial_ = 0;
    Generation newer_;
    Generation older_;
};

}  // namespace

WordClass told_class(const Reading& reading) {
    const bool adjective = reading.form.word_class == WordClass::Adjective;
    return is_basic_form(reading) && !adjective ? WordClass::None : reading.form.word_class;
}

WordClass particle_class(std::string_view pos) {
    if (pos == "adv") return WordClass::Adverb;
    if (pos == "postp" || pos == "prep") return WordClass::Adposition;
    if (pos == "conj") return WordClass::Conjunction;
    return WordClass::None;
}

std::vector<Reading> analyse_afresh(const Dictionary& dictionary, std::string_view word) {
    if (!dictionary.analyser.available()) return {};
    const analysis::Analyser& analyser = dictionary.analyser;
    std::vector<Reading> readings = analysis::readings_of(word, analyser.raw_analyses(word),
                                                [&](std::string_view stem) { return analyser.raw_analyses(stem); });
    for (Reading& reading : readings) {
        read_as_written_apart_tail(dictionary, reading);
        lead_to_plural_headword(dictionary, reading);
        lead_to_first_part(dictionary, reading);
        lead_to_root_without_entry(dictionary, reading);
    }
    std::vector<Reading> ranked = in_reading_order(dictionary, word, std::move(readings));
    if (ranked.size() > kMaxReadings) ranked.resize(kMaxReadings);
    // After the order, which prefers voikko's fewest parts.
    for (Reading& reading : ranked) join_parts_with_entries(dictionary, reading);
    return ranked;
}

bool has_entry(const Dictionary& dictionary, const Reading& reading) {
    return dictionary.glosses.get(reading.lemma).has_value();
}

std::vector<Reading> analyse(const Dictionary& dictionary, std::string_view word) {
    if (!dictionary.analyser.available()) return {};
    thread_local RecentAnalyses recent;
    if (auto kept = recent.find(dictionary, word)) return std::move(*kept);
    const DamageWatch watch;
    std::vector<Reading> readings = analyse_afresh(dictionary, word);
    // Readings ranked over damaged bytes are not kept: the next look-up of
    // the word must meet the damage too.
    if (!watch.met()) recent.keep(word, readings);
    return readings;
}

std::string first_meaning(const Dictionary& dictionary, std::string_view headword) {
    const auto record = dictionary.gloss_record(headword);
    if (!record) return {};
    return format::first_meaning(*record).value_or("");
}

std::string said_meaning(const Dictionary& dictionary, const format::GlossRecord& record) {
    for (const auto& group : record.groups) {
        for (const auto& meaning : group.meanings) {
            if (!names_a_form(meaning)) return meaning;
        }
    }
    std::string first = format::first_meaning(record).value_or("");
    const auto named = read_form_of_meaning(first);
    if (!named || !names_a_form(first)) return first;
    std::string named_meaning = first_meaning(dictionary, named->word);
    return named_meaning.empty() ? first : named_meaning;
}

std::string said_meaning(const Dictionary& dictionary, const format::GlossRecord& record, WordClass word_class) {
    if (const auto* group = group_of_class(record, word_class)) {
        for (const auto& meaning : group->meanings) {
            if (!names_a_form(meaning)) return meaning;
        }
    }
    return said_meaning(dictionary, record);
}

namespace {

// Whether two English words are one word's forms: one begins with the
// other, at least four letters long ("select", "selectable"; "groan",
// "groaning"; not "contact", "contain").
bool same_english_word(std::string_view a, std::string_view b) {
    if (a.size() > b.size()) std::swap(a, b);
    return a.size() >= 4 && b.starts_with(a);
}

// The first word of each key of a meaning ("select" of "select, pick").
std::vector<std::string> first_words(std::string_view meaning) {
    std::vector<std::string> words;
    for (const auto& key : meaning_keys(meaning)) words.push_back(key.key.substr(0, key.key.find(' ')));
    return words;
}

}  // namespace

std::optional<std::string> meaning_of_its_verb(const Dictionary& dictionary, std::string_view headword,
                                               const Reading& reading, std::span<const Reading> readings) {
    if (reading.form.participle == analysis::Participle::None || reading.parts.empty()) return std::nullopt;
    if (headword != reading.lemma) return std::nullopt;
    const auto entry = dictionary.gloss_record(headword);
    if (!entry) return std::nullopt;
    const format::GlossRecord& record = *entry;
    const auto of_another_verb = [&](const Reading& other) {
        return other.lemma == reading.lemma && other.form.participle != analysis::Participle::None &&
               !other.parts.empty() && other.parts.front().lemma != reading.parts.front().lemma;
    };
    if (std::ranges::none_of(readings, of_another_verb)) return std::nullopt;
    if (record.groups.empty() || record.groups.front().meanings.size() < 2) return std::nullopt;
    const auto verb = dictionary.gloss_record(reading.parts.front().lemma);
    if (!verb || verb->groups.empty()) return std::nullopt;
    std::vector<std::string> verb_words;
    for (const auto& meaning : verb->groups.front().meanings) std::ranges::move(first_words(meaning), std::back_inserter(verb_words));
    const auto speaks_of_verb = [&](const std::string& meaning) {
        return std::ranges::any_of(first_words(meaning), [&](const std::string& word) {
            return std::ranges::any_of(verb_words, [&](const std::string& v) { return same_english_word(word, v); });
        });
    };
    const auto& meanings = record.groups.front().meanings;
    if (speaks_of_verb(meanings.front())) return std::nullopt;
    const auto found = std::ranges::find_if(meanings, speaks_of_verb);
    if (found == meanings.end()) return std::nullopt;
    return *found;
}


std::string short_meaning(std::string_view meaning) {
    const std::size_t end = meaning.find_first_of(",;(");
    return std::string(trim(meaning.substr(0, end)));
}

namespace {

// The headwords the meanings of a compound's entry only point to, when they
// do nothing else: "compound of kuva + ikkuna", or one meaning per part.
std::vector<std::string_view> pointed_parts(const format::GlossRecord& record) {
    if (record.groups.empty() || record.groups.front().meanings.empty()) return {};
    const auto& meanings = record.groups.front().meanings;
    auto parts = read_compound_meaning(meanings.front());
    if (parts.size() > 1) return parts;
    parts.clear();
    for (const auto& meaning : meanings) {
        const auto named = read_compound_meaning(meaning);
        if (named.size() != 1) return {};
        parts.push_back(named.front());
    }
    return parts.size() > 1 ? parts : std::vector<std::string_view>{};
}

}  // namespace

namespace {

// How deep a compound's parts are told by their own parts ("ulostulolaite":
// ulostulo + laite, ulostulo: ulos + tulo); bounded, as the data may loop.
constexpr std::size_t kMaxPartDepth = 3;

std::optional<std::string> parts_meaning_within(const Dictionary& dictionary, const format::GlossRecord& record,
                                                std::size_t depth);

std::string said_meaning_within(const Dictionary& dictionary, std::string_view headword, std::size_t depth) {
    const auto record = dictionary.gloss_record(headword);
    if (!record) return {};
    if (depth < kMaxPartDepth) {
        if (auto parts = parts_meaning_within(dictionary, *record, depth + 1)) return std::move(*parts);
    }
    return said_meaning(dictionary, *record);
}

std::optional<std::string> parts_meaning_within(const Dictionary& dictionary, const format::GlossRecord& record,
                                                std::size_t depth) {
    const auto parts = pointed_parts(record);
    if (parts.empty()) return std::nullopt;
    std::string told;
    for (const std::string_view part : parts) {
        if (!told.empty()) told += " + ";
        const std::string meaning = short_meaning(said_meaning_within(dictionary, part, depth));
        told += meaning.empty() ? std::string(part) : meaning;
    }
    return told;
}

}  // namespace

std::string said_meaning(const Dictionary& dictionary, std::string_view headword) {
    return said_meaning_within(dictionary, headword, 0);
}

std::optional<std::string> parts_meaning(const Dictionary& dictionary, const format::GlossRecord& record) {
    return parts_meaning_within(dictionary, record, 0);
}

std::string reading_meaning(const Dictionary& dictionary, std::string_view headword, const Reading& reading) {
    if (const auto record = dictionary.gloss_record(headword)) {
        if (auto parts = parts_meaning(dictionary, *record)) return std::move(*parts);
    }
    std::string meaning = meaning_as(dictionary, headword, reading);
    if (reading.form.participle == analysis::Participle::None || reading.parts.empty() || !read_form_of_meaning(meaning)) {
        return meaning;
    }
    std::string verbs = first_meaning(dictionary, reading.parts.front().lemma);
    return verbs.empty() ? meaning : verbs;
}

namespace {

// Appends a word as a link to its entry, when it has one.
void add_linked(const Dictionary& dictionary, NoteLine& line, const std::string& word) {
    const std::size_t start = line.text.size();
    line.text += word;
    if (dictionary.glosses.get(word)) line.links.push_back({word, start, line.text.size()});
}

// The meaning a reading's line tells: of the participle's own verb when
// its entry holds two verbs' senses (meaning_of_its_verb), else reading_meaning's.
std::string line_meaning(const Dictionary& dictionary, std::string_view described, const Reading& reading,
                         const std::vector<Reading>& readings) {
    if (auto of_verb = meaning_of_its_verb(dictionary, described, reading, readings)) return std::move(*of_verb);
    return reading_meaning(dictionary, described, reading);
}

NoteLine reading_line(const Dictionary& dictionary, std::string_view word, const Reading& reading,
                      const std::vector<Reading>& readings) {
    NoteLine line{std::string(word) + " = ", {}};
    add_linked(dictionary, line, reading.lemma);
    if (reading.derivations > 0 && !reading.parts.empty() && !has_entry(dictionary, reading)) {
        line.text += " (from ";
        add_linked(dictionary, line, reading.parts.front().lemma);
        line.text += ")";
    }
    if (reading.compound_parts > 1) {
        line.text += " (";
        for (std::size_t k = 0; k < reading.parts.size(); ++k) {
            if (k > 0) line.text += " + ";
            add_linked(dictionary, line, reading.parts[k].lemma);
        }
        line.text += ")";
    }
    const std::size_t last_part = reading.compound_parts - 1;
    bool labelled = false;
    for (const analysis::Morph& morph : reading.morphs) {
        if (morph.part < last_part || !analysis::has_cue(morph.form)) continue;
        const std::string cue = analysis::morph_cue(morph.form);
        line.text += morph.text.empty() ? " · " + cue : " · -" + morph.text + " " + cue;
        labelled = true;
    }
    if (!labelled) line.text += ": basic form";
    // The meaning of the lemma, or of the word a derived lemma without an entry comes from.
    const bool derived = !has_entry(dictionary, reading) && reading.derivations > 0 && !reading.parts.empty();
    const std::string& described = derived ? reading.parts.front().lemma : reading.lemma;
    if (const std::string meaning = short_meaning(line_meaning(dictionary, described, reading, readings)); !meaning.empty()) {
        line.text += " (\u201c" + meaning + "\u201d)";
    } else if (analysis::told_by_class(reading.form.word_class) || reading.guessed) {
        // A name or a word told by its shape, without an entry: what it is
        // ("Apple = Apple: basic form (name)", "Ctrl+Z = Ctrl+Z: basic form (key)").
        line.text += " (" + std::string(analysis::label(reading.form.word_class).json) + (reading.guessed ? ", a guess)" : ")");
    } else if (!has_entry(dictionary, reading)) {
        // A word the analyser knows and the dictionary does not: said plainly,
        // so that no neighbour is taken for it ("verran = verran: basic form (adverb, no entry)").
        const std::string_view word_class = analysis::label(reading.form.word_class).json;
        line.text += word_class.empty() ? " (no entry)" : " (" + std::string(word_class) + ", no entry)";
    }
    return line;
}

// Whether a reading is told by another group of its entry than the first ("koko kuvan": the adjective's).
bool told_by_another_group(const Dictionary& dictionary, const Reading& reading) {
    // Most words are told by their first group: their entry is not read for it.
    if (told_class(reading) == WordClass::None) return false;
    const auto record = dictionary.gloss_record(reading.lemma);
    return record && group_of_class(*record, told_class(reading)) != nullptr;
}

}  // namespace

std::vector<NoteLine> analysis_lines(const Dictionary& dictionary, std::string_view word,
                                     const std::vector<Reading>& readings) {
    std::vector<NoteLine> lines;
    if (readings.empty()) return lines;
    // A word read only as itself needs no line, unless it has no entry to
    // tell what it is, or its entry's first meaning is not the one it is read
    // in ("koko kuvan": the adjective, whole).
    const Reading& only = readings.front();
    if (readings.size() == 1 && is_basic_form(only) && only.compound_parts == 1 &&
        lower_case(only.lemma) == lower_case(word) && has_entry(dictionary, only) && !told_by_another_group(dictionary, only)) {
        return lines;
    }
    for (std::size_t k = 0; k < readings.size() && lines.size() < kMaxAnalysisLines; ++k) {
        NoteLine line = reading_line(dictionary, word, readings[k], readings);
        if (std::ranges::find(lines, line) == lines.end()) lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace lomperi::morphology
