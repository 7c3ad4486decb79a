#include "core/paradigm/inflection_table.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <set>
#include <utility>

#include "core/analysis/generator.hpp"
#include "core/paradigm/auxiliary_forms.hpp"
#include "core/analysis/labels.hpp"
#include "core/analysis/voikko_output.hpp"

namespace lomperi::paradigm {
namespace {

using analysis::Case;
using analysis::Comparison;
using analysis::Form;
using analysis::Infinitive;
using analysis::Mood;
using analysis::Negative;
using analysis::Number;
using analysis::Participle;
using analysis::Person;
using analysis::Possessive;
using analysis::Tense;
using analysis::WordClass;

// A generated form with what its analysis says.
struct Candidate {
    std::string form;
    Form codes;
    std::string raw;
};
using Candidates = std::vector<Candidate>;

// The word a reading is a form of, as the transducer writes it: the base
// form of its last part, that part's class tag, the derivations a derived
// word adds to it, and the letters of the parts before it.
struct Headword {
    std::string lemma;
    std::string class_tag;
    std::string prefix;
    std::string derivation;
};

// What follows a base form's "[X]" up to the end of its last derivation's
// base: "ohjelmoi[Ln]n[Xj]ti[X]" of "ohjelmoi[Ln]n[Xj]ti[X]t[Sn][Ny]i". Its
// letters too: todist[Ln][Xj]us[X] (todistus) and todistaju[Ln][Xj]us[X]
// (todistajuus) differ in them only.
std::string derivation_of(std::string_view rest) {
    const std::size_t last = rest.rfind("[Xj]");
    if (last == std::string_view::npos) return {};
    const std::size_t end = rest.find("[X]", last + 4);
    if (end == std::string_view::npos) return {};
    return std::string(rest.substr(0, end + 3));
}

// The surface letters of a raw analysis: its tags and base forms left out.
std::string surface(std::string_view raw) {
    std::string out;
    for (std::size_t at = 0; at < raw.size();) {
        if (raw[at] != '[') {
            out += raw[at++];
            continue;
        }
        const bool base = raw.substr(at).starts_with("[X") && !raw.substr(at).starts_with("[X]");
        const std::size_t end = base ? raw.find("[X]", at + 1) : raw.find(']', at);
        if (end == std::string_view::npos) break;
        at = end + (base ? 3 : 1);
    }
    return out;
}

std::optional<Headword> headword_of(std::string_view raw) {
    const std::size_t base = raw.rfind("[Xp]");
    if (base == std::string_view::npos) return std::nullopt;
    const std::size_t base_end = raw.find("[X]", base);
    const std::size_t class_at = raw.rfind("[L", base);
    if (base_end == std::string_view::npos || class_at == std::string_view::npos) return std::nullopt;
    const std::string_view rest = raw.substr(base_end + 3);
    Headword word;
    // A derived word is not a form of its base, save a participle: its forms
    // are those with its derivations.
    if (rest.find("[Xj]") != std::string_view::npos && rest.find("[R") == std::string_view::npos) {
        word.derivation = derivation_of(rest);
        if (word.derivation.empty()) return std::nullopt;
    }
    word.lemma = raw.substr(base + 4, base_end - base - 4);
    word.class_tag = raw.substr(class_at, raw.find(']', class_at) - class_at + 1);
    const std::size_t boundary = raw.rfind("[Bc]", base);
    if (boundary != std::string_view::npos) word.prefix = surface(raw.substr(0, boundary));
    return word;
}

// A possessive suffix or a tagged clitic is generated only for the example
// lines, which show one of them on the basic form and on the present's
// singular third person: all the others would make the walk ten times longer.
bool example_base(std::string_view raw) {
    for (const std::string_view suffixed : {"[O", "[F", "[R", "[Tn"}) {
        if (raw.find(suffixed) != std::string_view::npos) return false;
    }
    return raw.find("[Sn][Ny]") != std::string_view::npos || raw.find("[Tt][Ap][P3][Ny]") != std::string_view::npos;
}

Candidates candidates(const analysis::Analyser& analyser, const Headword& word, bool with_suffixes) {
    analysis::GenerationRules rules;
    rules.class_tag = word.class_tag;
    rules.derivation = word.derivation;
    rules.possessives = with_suffixes;
    rules.tagged_clitics = with_suffixes;
    rules.suffix_after = example_base;
    Candidates out;
    for (auto& generated : analysis::generate_forms(analyser, word.lemma, rules).forms) {
        const auto read = analysis::read_voikko_outputs(generated.form, {generated.analysis});
        if (read.empty()) continue;
        out.push_back({word.prefix + generated.form, read.front().form, std::move(generated.analysis)});
    }
    return out;
}

// Plural genitives that grammars give as old or rarer beside the others of
// their cell: in -ain/-äin (kissain beside kissojen, omenain beside
// omenoiden) and in -tten (maitten beside maiden, omenoitten beside omenoiden).
bool is_rarer_variant(std::string_view form) {
    for (const std::string_view ending : {"ain", "äin", "tten"}) {
        if (form.ends_with(ending)) return true;
    }
    return false;
}

// The forms of the candidates that `fits`, each once, the most used first.
template <class Fits>
std::vector<std::string> forms_where(const Candidates& all, const FormUse& use, Fits fits) {
    std::vector<std::string> forms;
    for (const Candidate& c : all) {
        if (fits(c) && std::ranges::find(forms, c.form) == forms.end()) forms.push_back(c.form);
    }
    // The most used first; at a like use, the grammars' rarer variants last.
    struct Ranked {
        std::uint64_t use;
        bool rarer;
        std::string form;
    };
    std::vector<Ranked> ranked;
    for (auto& form : forms) ranked.push_back({use ? use(form) : 0, is_rarer_variant(form), std::move(form)});
    std::ranges::stable_sort(ranked, [](const Ranked& a, const Ranked& b) {
        return a.use != b.use ? a.use > b.use : a.rarer < b.rarer;
    });
    forms.clear();
    for (auto& r : ranked) forms.push_back(std::move(r.form));
    return forms;
}

// Nothing added to the word but what the cell is about.
bool plain(const Form& f) { return f.possessive == Possessive::None && f.clitics.empty(); }

// A case form of a noun-like word, or of its comparative or superlative.
bool case_form(const Form& f, Case c, Number n, Comparison comparison) {
    return plain(f) && f.grammatical_case == c && f.number == n && f.comparison == comparison &&
           f.participle == Participle::None && f.infinitive == Infinitive::None && f.mood == Mood::None &&
           f.person == Person::None;
}

constexpr std::array kCases = {Case::Nominative, Case::Genitive,  Case::Partitive, Case::Essive,    Case::Translative,
                               Case::Inessive,   Case::Elative,   Case::Illative,  Case::Adessive,  Case::Ablative,
                               Case::Allative,   Case::Abessive,  Case::Comitative, Case::Instructive};

std::string name_of(const analysis::Label& l) { return std::string(l.table.empty() ? l.name : l.table); }

TableSection case_section(const Candidates& all, const FormUse& use, WordClass word_class, Comparison comparison,
                          std::span<const Case> cases) {
    TableSection section;
    section.title = comparison == Comparison::None ? "cases" : std::string(analysis::label(comparison).name);
    section.columns = {name_of(analysis::label(Number::Singular)), name_of(analysis::label(Number::Plural))};
    for (const Case c : cases) {
        TableRow row{name_of(analysis::label(c)), {}};
        for (const Number n : {Number::Singular, Number::Plural}) {
            Form form;
            form.word_class = word_class;
            form.grammatical_case = c;
            form.number = n;
            form.comparison = comparison;
            row.cells.push_back(
                {forms_where(all, use, [&](const Candidate& k) { return case_form(k.codes, c, n, comparison); }), form});
        }
        section.rows.push_back(std::move(row));
    }
    return section;
}

std::vector<TableSection> nominal_sections(const Candidates& all, const FormUse& use, WordClass word_class) {
    std::vector<Case> cases(kCases.begin(), kCases.end());
    const bool accusative = std::ranges::any_of(all, [](const Candidate& c) {
        return c.codes.grammatical_case == Case::Accusative && plain(c.codes);
    });
    if (accusative) cases.insert(cases.begin() + 2, Case::Accusative);
    std::vector<TableSection> sections{case_section(all, use, word_class, Comparison::None, cases)};
    if (word_class == WordClass::Adjective || word_class == WordClass::NounAdjective) {
        constexpr std::array kCompared = {Case::Nominative, Case::Genitive, Case::Partitive};
        for (const Comparison comparison : {Comparison::Comparative, Comparison::Superlative}) {
            sections.push_back(case_section(all, use, word_class, comparison, kCompared));
        }
    }
    return sections;
}

struct Tenses {
    const char* title;
    Mood mood;
    Tense tense;
    // The connegative's tags, active and passive: its mood, and whether
    // [Et] or [Eb] (the indicative present's active one is the imperative's
    // singular second person, which is both).
    std::string_view active_mood;
    std::string_view active_tags;
    std::string_view passive_mood;
};
constexpr std::array<Tenses, 5> kTenses = {{
    {"indicative present", Mood::Indicative, Tense::Present, "[Tk]", "[Eb]", "[Tt]"},
    {"indicative past", Mood::Indicative, Tense::Past, "", "", ""},
    {"conditional", Mood::Conditional, Tense::Present, "[Te]", "[Et][Eb]", "[Te]"},
    {"imperative", Mood::Imperative, Tense::Present, "[Tk]", "[Et]", "[Tk]"},
    {"potential", Mood::Potential, Tense::Present, "[Tm]", "[Et][Eb]", "[Tm]"},
}};

bool has(std::string_view raw, std::string_view tag) { return raw.find(tag) != std::string_view::npos; }

// The verb's word after the negation verb ("en puhu", "en puhunut").
std::vector<std::string> connegatives(const Candidates& all, const FormUse& use, const Tenses& tenses, PersonRow row) {
    const bool passive = row.person == Person::Passive;
    if (tenses.tense == Tense::Past) {
        const Participle participle = passive ? Participle::PastPassive : Participle::PastActive;
        const Number number = row.number == Number::Plural ? Number::Plural : Number::Singular;
        return forms_where(all, use, [&](const Candidate& c) {
            return plain(c.codes) && c.codes.participle == participle && c.codes.grammatical_case == Case::Nominative &&
                   c.codes.number == number && c.codes.comparison == Comparison::None;
        });
    }
    // The imperative's singular second person is told as the present's: älä puhu.
    const bool as_present = !passive && tenses.mood == Mood::Imperative && row.person == Person::Second &&
                            row.number == Number::Singular;
    const Tenses& told = as_present ? kTenses[0] : tenses;
    const std::string_view mood = passive ? told.passive_mood : told.active_mood;
    const std::string_view tags = passive ? "[Et]" : told.active_tags;
    const auto connegative = [&](std::string_view raw) {
        return (has(tags, "[Et]") && has(raw, "[Et]")) || (has(tags, "[Eb]") && has(raw, "[Eb]"));
    };
    // The connegative of a verb in -ta/-tä (lisää of lisätä) is tagged as the
    // present's third person, affirmative and negative at once.
    const auto in_mood = [&](std::string_view raw) {
        return has(raw, mood) || (!passive && told.mood == Mood::Indicative && has(raw, "[Tt]"));
    };
    return forms_where(all, use, [&](const Candidate& c) {
        return plain(c.codes) && in_mood(c.raw) && has(c.raw, "[P4]") == passive && connegative(c.raw) &&
               !has(c.raw, "[R") && !has(c.raw, "[Tn");
    });
}

// The negation verb of a row: "en", "älä".
const std::string& negation_of(const AuxiliaryForms& auxiliary, const Tenses& tenses, std::size_t row) {
    return tenses.mood == Mood::Imperative ? auxiliary.imperative_negation[row] : auxiliary.negation[row];
}

std::vector<TableSection> verb_sections(const Candidates& all, const AuxiliaryForms& auxiliary, const FormUse& use) {
    std::vector<TableSection> sections;
    for (const Tenses& tenses : kTenses) {
        TableSection section{tenses.title, {"affirmative", "negative"}, {}};
        for (std::size_t k = 0; k < kPersons.size(); ++k) {
            const PersonRow row = kPersons[k];
            if (tenses.mood == Mood::Imperative && row.person == Person::First && row.number == Number::Singular) continue;
            Form form;
            form.word_class = WordClass::Verb;
            form.mood = tenses.mood;
            form.tense = tenses.tense;
            form.person = row.person;
            form.number = row.number;
            TableCell affirmative{forms_where(all, use,
                                              [&](const Candidate& c) {
                                                  const Form& f = c.codes;
                                                  return plain(f) && f.mood == tenses.mood && f.tense == tenses.tense &&
                                                         f.person == row.person && f.number == row.number &&
                                                         f.negative != Negative::Yes &&
                                                         f.participle == Participle::None &&
                                                         f.infinitive == Infinitive::None;
                                              }),
                                  form};
            // The imperative's singular second person is the present's
            // connegative, which a verb in -ta/-tä has tagged as the present's.
            const bool told_as_present = tenses.mood == Mood::Imperative && row.person == Person::Second &&
                                         row.number == Number::Singular;
            if (affirmative.forms.empty() && told_as_present) affirmative.forms = connegatives(all, use, tenses, row);
            TableCell negative{{}, form};
            negative.form.negative = Negative::Yes;
            const std::string& word = negation_of(auxiliary, tenses, k);
            if (!word.empty()) {
                for (const auto& verb : connegatives(all, use, tenses, row)) negative.forms.push_back(word + " " + verb);
            }
            section.rows.push_back({name_of(analysis::label(row.person, row.number)),
                                    {std::move(affirmative), std::move(negative)}});
        }
        sections.push_back(std::move(section));
    }
    return sections;
}

TableSection infinitive_section(const Candidates& all, const FormUse& use) {
    TableSection section{"infinitives", {"form"}, {}};
    const auto add = [&](Infinitive infinitive, Case c, auto fits) {
        Form form;
        form.word_class = WordClass::Verb;
        form.infinitive = infinitive;
        form.grammatical_case = c;
        std::string label = name_of(analysis::label(infinitive));
        if (c != Case::None && c != Case::Nominative) label += " " + name_of(analysis::label(c));
        section.rows.push_back({std::move(label), {{forms_where(all, use, [&](const Candidate& k) {
                                                        return plain(k.codes) && k.codes.infinitive == infinitive &&
                                                               fits(k);
                                                    }),
                                                    form}}});
    };
    add(Infinitive::A, Case::None, [](const Candidate& k) { return k.codes.grammatical_case == Case::None; });
    // voikko tells the E infinitive's cases by their endings only; the
    // passive's (puhuttaessa) is the longer one.
    const auto e_form = [&](std::initializer_list<std::string_view> endings) {
        return [&all, endings = std::vector<std::string_view>(endings)](const Candidate& k) {
            if (!std::ranges::any_of(endings, [&](std::string_view e) { return k.form.ends_with(e); })) return false;
            for (const Candidate& other : all) {
                if (other.codes.infinitive == Infinitive::E && other.form.size() < k.form.size() &&
                    std::ranges::any_of(endings, [&](std::string_view e) { return other.form.ends_with(e); })) {
                    return false;
                }
            }
            return true;
        };
    };
    add(Infinitive::E, Case::Inessive, e_form({"ssa", "ssä"}));
    add(Infinitive::E, Case::Instructive, e_form({"en"}));
    for (const Case c : {Case::Illative, Case::Inessive, Case::Elative, Case::Adessive, Case::Abessive, Case::Instructive}) {
        add(Infinitive::Ma, c, [c](const Candidate& k) { return k.codes.grammatical_case == c; });
    }
    add(Infinitive::Minen, Case::Nominative, [](const Candidate& k) {
        return k.codes.grammatical_case == Case::Nominative && k.codes.number == Number::Singular;
    });
    return section;
}

TableSection participle_section(const Candidates& all, const FormUse& use) {
    TableSection section{"participles", {"form"}, {}};
    for (const Participle p : {Participle::PresentActive, Participle::PresentPassive, Participle::PastActive,
                               Participle::PastPassive, Participle::Agent, Participle::Negative}) {
        Form form;
        form.participle = p;
        form.grammatical_case = Case::Nominative;
        form.number = Number::Singular;
        section.rows.push_back({name_of(analysis::label(p)), {{forms_where(all, use, [&](const Candidate& k) {
                                                                   return plain(k.codes) && k.codes.participle == p &&
                                                                          k.codes.grammatical_case == Case::Nominative &&
                                                                          k.codes.number == Number::Singular &&
                                                                          k.codes.comparison == Comparison::None;
                                                               }),
                                                               form}}});
    }
    return section;
}

std::string first_of(const std::vector<std::string>& forms) { return forms.empty() ? std::string{} : forms.front(); }

std::string example_line(std::string_view title, const std::vector<std::string>& items) {
    std::string line;
    for (const auto& item : items) {
        if (item.empty()) continue;
        line += line.empty() ? "" : ", ";
        line += item;
    }
    return line.empty() ? std::string{} : fmt::format("{}: {}", title, line);
}

// The form of `base` with one tagged clitic, for the example line.
std::vector<std::string> with_clitics(const Candidates& suffixed, const FormUse& use, const auto& is_base) {
    std::vector<std::string> out;
    for (const analysis::Clitic clitic : {analysis::Clitic::Kin, analysis::Clitic::Kaan, analysis::Clitic::Ko}) {
        out.push_back(first_of(forms_where(suffixed, use, [&](const Candidate& c) {
            Form bare = c.codes;
            bare.clitics = {};
            return c.codes.clitics.size() == 1 && c.codes.clitics.contains(clitic) &&
                   c.codes.possessive == Possessive::None && is_base(bare);
        })));
    }
    return out;
}

std::vector<std::string> nominal_examples(const Candidates& suffixed, const FormUse& use) {
    const auto nominative = [](const Form& f) { return case_form(f, Case::Nominative, Number::Singular, Comparison::None); };
    std::vector<std::string> possessed;
    for (const Possessive p : {Possessive::FirstSingular, Possessive::SecondSingular, Possessive::FirstPlural,
                               Possessive::SecondPlural, Possessive::Third}) {
        possessed.push_back(first_of(forms_where(suffixed, use, [&](const Candidate& c) {
            Form bare = c.codes;
            bare.possessive = Possessive::None;
            return c.codes.possessive == p && nominative(bare);
        })));
    }
    return {example_line("with possessive suffixes", possessed), example_line("with clitics", with_clitics(suffixed, use, nominative))};
}

std::vector<std::string> verb_examples(const AuxiliaryForms& auxiliary, const Candidates& all,
                                       const Candidates& suffixed, const FormUse& use) {
    std::vector<std::string> perfect;
    for (std::size_t k = 0; k < kPersons.size(); ++k) {
        const std::string& be = auxiliary.perfect[k];
        const std::string participle = first_of(connegatives(all, use, kTenses[1], kPersons[k]));
        if (!be.empty() && !participle.empty()) perfect.push_back(be + " " + participle);
    }
    const auto third = [](const Form& f) {
        return f.mood == Mood::Indicative && f.tense == Tense::Present && f.person == Person::Third &&
               f.number == Number::Singular && f.possessive == Possessive::None;
    };
    return {example_line("perfect", perfect), example_line("with clitics", with_clitics(suffixed, use, third))};
}

bool is_verb(WordClass c) { return c == WordClass::Verb || c == WordClass::NegationVerb; }

std::optional<InflectionTable> table_of(const analysis::Analyser& analyser, const Headword& word, std::string lemma,
                                        const FormUse& use) {
    const Candidates suffixed = candidates(analyser, word, true);
    Candidates all;
    std::ranges::copy_if(suffixed, std::back_inserter(all), [](const Candidate& c) { return plain(c.codes); });
    if (all.empty()) return std::nullopt;
    InflectionTable table;
    table.lemma = std::move(lemma);
    const auto own = std::ranges::find_if(all, [](const Candidate& c) { return c.codes.participle == Participle::None; });
    table.word_class = own == all.end() ? all.front().codes.word_class : own->codes.word_class;
    table.class_label = analysis::label(table.word_class).json;
    if (is_verb(table.word_class)) {
        const auto auxiliary = auxiliary_forms(analyser);
        table.sections = verb_sections(all, *auxiliary, use);
        table.sections.push_back(infinitive_section(all, use));
        table.sections.push_back(participle_section(all, use));
        table.examples = verb_examples(*auxiliary, all, suffixed, use);
    } else {
        table.sections = nominal_sections(all, use, table.word_class);
        table.examples = nominal_examples(suffixed, use);
    }
    // A section with no form at all is one the word does not have.
    std::erase_if(table.sections, [](const TableSection& s) {
        return std::ranges::all_of(s.rows, [](const TableRow& r) {
            return std::ranges::all_of(r.cells, [](const TableCell& c) { return c.forms.empty(); });
        });
    });
    std::erase_if(table.examples, [](const std::string& e) { return e.empty(); });
    return table;
}

}  // namespace

std::vector<InflectionTable> inflection_tables(const analysis::Analyser& analyser, std::string_view word,
                                               const FormUse& use) {
    std::vector<InflectionTable> tables;
    const auto raw = analyser.raw_analyses(word);
    std::set<std::pair<std::string, std::string>> done;
    for (const auto& analysis : analysis::read_voikko_outputs(word, raw)) {
        if (analysis.output >= raw.size()) continue;
        const auto headword = headword_of(raw[analysis.output]);
        if (!headword) continue;
        if (!done.emplace(headword->prefix + headword->lemma + headword->derivation, headword->class_tag).second) continue;
        // A derived word's base form is its own (ohjelmointi), not its base's.
        std::string lemma = headword->derivation.empty() ? headword->prefix + headword->lemma : analysis.base_form;
        if (auto table = table_of(analyser, *headword, std::move(lemma), use)) tables.push_back(std::move(*table));
    }
    return tables;
}

}  // namespace lomperi::paradigm
