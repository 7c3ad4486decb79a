#include "core/morphology/reading.hpp"

#include <algorithm>
#include <map>

#include "core/morphology/voikko_output.hpp"

namespace lomperi::morphology {
namespace {

using Codes = std::map<std::string, std::string, std::less<>>;

std::string named(const Codes& codes, std::string_view code) {
    const auto found = codes.find(code);
    return found == codes.end() ? std::string() : found->second;
}

const Codes kClasses = {
    {"n", "noun"},         {"l", "adjective"},    {"nl", "adjective"},   {"h", "interjection"}, {"ee", "given name"},
    {"es", "surname"},     {"ep", "place name"},  {"em", "name"},        {"t", "verb"},         {"a", "abbreviation"},
    {"s", "adverb"},       {"u", "numeral"},      {"ur", "numeral"},     {"r", "pronoun"},      {"c", "conjunction"},
    {"d", "adposition"},   {"k", "verb"},         {"p", "prefix"},
};
const Codes kCases = {
    {"n", "nominative"},  {"g", "genitive"},  {"p", "partitive"}, {"es", "essive"},     {"tr", "translative"},
    {"ine", "inessive"},  {"ela", "elative"}, {"ill", "illative"}, {"ade", "adessive"}, {"abl", "ablative"},
    {"all", "allative"},  {"ab", "abessive"}, {"ko", "comitative"}, {"in", "instructive"}, {"sti", "-sti adverb"},
    {"ak", "accusative"},
};
const Codes kMoods = {{"t", "indicative"}, {"e", "conditional"}, {"k", "imperative"}, {"m", "potential"}};
const Codes kInfinitives = {{"n1", "a"}, {"n2", "e"}, {"n3", "ma"}, {"n4", "minen"}, {"n5", "mainen"}};
const Codes kParticiples = {{"v", "present active"}, {"a", "present passive"}, {"u", "past active"},
                            {"t", "past passive"},   {"m", "agent"},           {"e", "negative"}};
const Codes kPossessives = {{"1y", "1sg"}, {"2y", "2sg"}, {"1m", "1pl"}, {"2m", "2pl"}, {"3", "3"}};
const Codes kComparisons = {{"c", "comparative"}, {"s", "superlative"}};
const Codes kPersons = {{"1", "1"}, {"2", "2"}, {"3", "3"}, {"4", "passive"}};

// What a learner is told of each tag, as it stands before its morph.
const Codes kCaseCues = {
    {"g", "of"},         {"p", "some"},        {"es", "as"},      {"tr", "into (becoming)"}, {"ine", "in"},
    {"ela", "out of"},   {"ill", "into"},      {"ade", "on, at"}, {"abl", "from"},          {"all", "onto, to"},
    {"ab", "without"},   {"ko", "with"},       {"in", "by means of"}, {"sti", "-ly"},      {"ak", "(object)"},
};
const Codes kPossessiveCues = {{"1y", "my"}, {"2y", "your"}, {"1m", "our"}, {"2m", "your (pl.)"}, {"3", "his, her, their"}};
const Codes kClitics = {{"kin", "also"},           {"kaan", "(not) either"}, {"ko", "question"}, {"han", "I wonder, you know"},
                        {"pa", "(emphasis)"},      {"pas", "(emphasis)"},    {"s", "(softener)"}};
const Codes kParticipleCues = {{"v", "-ing"},        {"a", "to be -ed"}, {"u", "having -ed"},
                               {"t", "-ed"},         {"m", "-ed by"},    {"e", "un- -ed"}};
const Codes kInfinitiveCues = {{"n1", "to"}, {"n2", "while -ing"}, {"n3", "-ing"}, {"n4", "the -ing"}, {"n5", "about to"}};
const Codes kMoodCues = {{"e", "would"}, {"k", "(command)"}, {"m", "probably"}};

std::string person_cue(std::string_view person, std::string_view number) {
    const bool plural = number == "m";
    if (person == "1") return plural ? "we" : "I";
    if (person == "2") return plural ? "you (pl.)" : "you";
    if (person == "3") return plural ? "they" : "he, she";
    if (person == "4") return "(passive)";
    return {};
}

void add(std::string& label, const std::string& cue) {
    if (cue.empty()) return;
    if (!label.empty()) label += ", ";
    label += cue;
}

// The label of a morph from the form tags before it ("Sine", "Nm" ...).
std::string morph_label(const std::vector<std::string>& tags) {
    std::string case_tag, number, person, mood, tense;
    std::string label;
    for (const auto& tag : tags) {
        const char kind = tag.front();
        const std::string code = tag.substr(1);
        if (kind == 'S') case_tag = code;
        if (kind == 'N') number = code;
        if (kind == 'P') person = code;
        if (kind == 'T') mood = code;
        if (kind == 'A') tense = code;
    }
    for (const auto& tag : tags) {
        const char kind = tag.front();
        const std::string code = tag.substr(1);
        if (kind == 'C') add(label, code == "c" ? "-er" : code == "s" ? "-est" : "");
        if (kind == 'R') add(label, named(kParticipleCues, code));
        if (kind == 'O') add(label, named(kPossessiveCues, code));
        if (kind == 'F') add(label, named(kClitics, code));
    }
    std::string out;
    add(out, named(kInfinitiveCues, mood));
    add(out, named(kMoodCues, mood));
    if (tense == "i") add(out, "past");
    add(out, person_cue(person, number));
    add(out, named(kCaseCues, case_tag));
    if (number == "m" && person.empty()) out += out.empty() ? "(plural)" : " (plural)";
    add(out, label);
    return out;
}

bool is_form_tag(char kind) { return std::string_view("SNPTACROF").find(kind) != std::string_view::npos; }

// The word cut at its tags: each run of letters a morph, labelled by the
// form tags before it. A compound's earlier parts are one morph each.
std::vector<Morph> cut_into_morphs(std::string_view output) {
    std::vector<Morph> morphs;
    std::vector<std::string> tags;
    std::string letters;
    std::size_t part = 0;
    const auto close = [&] {
        if (letters.empty()) return;
        morphs.push_back({letters, morph_label(tags), part});
        letters.clear();
        tags.clear();
    };
    // Tags after the last letters tell a form that adds none ("ota", imperative).
    const auto close_empty = [&] {
        if (!letters.empty() || tags.empty()) return;
        if (std::string label = morph_label(tags); !label.empty()) morphs.push_back({"", std::move(label), part});
        tags.clear();
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
            tags.emplace_back(tag);
        }
    }
    close();
    close_empty();
    return morphs;
}

// Compound parts and derivations from voikko's parts: a suffix's base
// starts with "+" and belongs to the part before it.
void add_parts(Reading& reading, const std::vector<VoikkoPart>& parts) {
    for (const auto& part : parts) {
        if (part.text == "-" && part.base == "-") continue;
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

Reading reading_of(const VoikkoAnalysis& analysis, std::string_view output) {
    const VoikkoAttributes& a = analysis.attributes;
    Reading r;
    r.lemma = analysis.base_form;
    r.word_class = named(kClasses, a.word_class);
    r.grammatical_case = named(kCases, a.grammatical_case);
    r.number = a.number == "y" ? "singular" : a.number == "m" ? "plural" : "";
    r.person = named(kPersons, a.person);
    r.mood = named(kMoods, a.mood);
    r.infinitive = named(kInfinitives, a.mood);
    r.tense = a.tense == "p" ? "present" : a.tense == "i" ? "past" : "";
    r.participle = named(kParticiples, a.participle);
    r.comparison = named(kComparisons, a.comparison);
    r.possessive = named(kPossessives, a.possessive);
    if (!a.focus.empty()) r.clitics.push_back(a.focus);
    if (a.question) r.clitics.push_back("ko");
    if (a.negative == "t") r.negative = true;
    if (a.negative == "f") r.negative = false;
    add_parts(r, analysis.parts);
    r.morphs = cut_into_morphs(output);
    return r;
}

// What two readings share when one has an untagged clitic more.
bool same_but_clitic(const Reading& a, const Reading& b) {
    return a.lemma == b.lemma && a.word_class == b.word_class && a.grammatical_case == b.grammatical_case &&
           a.number == b.number && a.person == b.person && a.mood == b.mood && a.tense == b.tense &&
           a.infinitive == b.infinitive && a.participle == b.participle && a.possessive == b.possessive;
}

constexpr std::string_view kUntaggedClitics[] = {"han", "hän", "pas", "päs", "pa", "pä", "s"};

std::string clitic_name(std::string_view written) {
    if (written == "hän") return "han";
    if (written == "pä") return "pa";
    if (written == "päs") return "pas";
    return std::string(written);
}

// The untagged clitics: a reading of the word without the clitic that is
// the same reading tells it.
void find_untagged_clitics(std::string_view word, std::vector<Reading>& readings,
                           const std::function<RawAnalyses(std::string_view)>& without_clitic) {
    for (const std::string_view clitic : kUntaggedClitics) {
        if (word.size() <= clitic.size() + 1 || !word.ends_with(clitic)) continue;
        const std::string_view stem = word.substr(0, word.size() - clitic.size());
        const auto shorter = read_voikko_outputs(stem, without_clitic(stem));
        bool any = false;
        for (Reading& reading : readings) {
            if (!reading.clitics.empty() && std::ranges::find(reading.clitics, clitic_name(clitic)) != reading.clitics.end()) continue;
            for (const auto& analysis : shorter) {
                if (!same_but_clitic(reading, reading_of(analysis, ""))) continue;
                reading.clitics.push_back(clitic_name(clitic));
                if (!reading.morphs.empty() && reading.morphs.back().text.size() > clitic.size() &&
                    reading.morphs.back().text.ends_with(clitic)) {
                    Morph& last = reading.morphs.back();
                    last.text.resize(last.text.size() - clitic.size());
                    reading.morphs.push_back({std::string(clitic), named(kClitics, clitic_name(clitic)), last.part});
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
        Reading reading = reading_of(analysis, raw[analysis.output]);
        if (std::ranges::find(readings, reading) == readings.end()) readings.push_back(std::move(reading));
    }
    if (without_clitic) find_untagged_clitics(word, readings, without_clitic);
    return readings;
}

bool is_basic_form(const Reading& reading) {
    return std::ranges::all_of(reading.morphs, [](const Morph& m) { return m.label.empty(); }) && reading.clitics.empty() &&
           reading.participle.empty() && reading.derivations == 0;
}

std::string form_labels(const Reading& r) {
    std::string out;
    const auto add_value = [&](const std::string& value) {
        if (value.empty()) return;
        if (!out.empty()) out += ", ";
        out += value;
    };
    if (!r.infinitive.empty()) add_value(r.infinitive + " infinitive");
    if (!r.participle.empty()) add_value(r.participle + " participle");
    add_value(r.mood == "indicative" ? "" : r.mood);
    if (!r.tense.empty() && !r.person.empty()) add_value(r.tense);
    if (!r.person.empty()) add_value(r.person == "passive" ? "passive" : r.person + (r.number == "plural" ? "pl" : "sg"));
    if (!r.grammatical_case.empty() && r.person.empty()) {
        add_value(r.grammatical_case + (r.number.empty() ? "" : " " + r.number));
    }
    add_value(r.comparison);
    if (!r.possessive.empty()) add_value("possessive " + r.possessive);
    for (const auto& clitic : r.clitics) add_value("-" + clitic);
    if (out.empty() || out == "nominative singular") return "basic form";
    return out;
}

}  // namespace lomperi::morphology
