#include "assembly.hpp"

#include <algorithm>
#include <limits>
#include <set>
#include <string_view>
#include <thread>
#include <unordered_map>

#include "compounds.hpp"
#include "core/morphology/form_wordings.hpp"
#include "pos_names.hpp"
#include "word_case.hpp"

namespace lomperi::data_build {
namespace {

enum Source : std::uint8_t { kListed = 1, kParadigm = 2, kPlain = 4 };

// The base's part of speech that matches the analysed word class, else the
// first one of the base's entry.
std::string base_pos(const std::vector<format::PosGroup>& base_groups, const Analysis& analysis) {
    const auto from_class = pos_from_word_class(analysis.get("CLASS"));
    for (const auto& group : base_groups) {
        if (from_class && group.pos == *from_class) return group.pos;
    }
    return base_groups.front().pos;
}

void add_meaning(std::vector<format::PosGroup>& groups, const std::string& pos, std::string meaning) {
    auto group = std::ranges::find(groups, pos, &format::PosGroup::pos);
    if (group == groups.end()) {
        groups.push_back({pos, {}});
        group = std::prev(groups.end());
    }
    if (std::ranges::find(group->meanings, meaning) == group->meanings.end()) {
        group->meanings.push_back(std::move(meaning));
    }
}

std::size_t count_meanings(const Entries& entries) {
    std::size_t count = 0;
    for (const auto& [headword, groups] : entries) {
        for (const auto& group : groups) count += group.meanings.size();
    }
    return count;
}

bool fits_key(const std::string& form) { return !form.empty() && form.size() <= kMaxKeyBytes; }

std::vector<std::string> listed_forms(const std::vector<std::string>& forms, const std::vector<std::string>& frequency) {
    std::vector<std::string> sorted = forms;
    sorted.insert(sorted.end(), frequency.begin(), frequency.end());
    std::ranges::sort(sorted);
    const auto [first, last] = std::ranges::unique(sorted);
    sorted.erase(first, last);
    std::erase_if(sorted, [](const std::string& form) { return !fits_key(form); });
    return drop_capital_duplicates(sorted);
}

// Every form once, in byte order, with the sources it came from.
struct FormTable {
    std::vector<std::string> forms;
    std::vector<std::uint8_t> sources;

    std::optional<std::size_t> find(std::string_view form) const {
        const auto at = std::ranges::lower_bound(forms, form, std::less<>{});
        if (at == forms.end() || *at != form) return std::nullopt;
        return static_cast<std::size_t>(at - forms.begin());
    }
};

FormTable form_table(std::vector<std::string> listed, std::vector<std::string> paradigms,
                     std::vector<std::string> plain) {
    std::vector<std::pair<std::string, std::uint8_t>> tagged;
    tagged.reserve(listed.size() + paradigms.size() + plain.size());
    for (auto& form : listed) tagged.emplace_back(std::move(form), kListed);
    for (auto& form : paradigms) {
        if (fits_key(form)) tagged.emplace_back(std::move(form), kParadigm);
    }
    for (auto& form : plain) {
        if (fits_key(form)) tagged.emplace_back(std::move(form), kParadigm | kPlain);
    }
    std::ranges::sort(tagged, {}, &std::pair<std::string, std::uint8_t>::first);
    FormTable table;
    for (auto& [form, source] : tagged) {
        if (!table.forms.empty() && table.forms.back() == form) {
            table.sources.back() |= source;
            continue;
        }
        table.forms.push_back(std::move(form));
        table.sources.push_back(source);
    }
    return table;
}

// The dictionary's headwords by position, found again by text.
class Words {
public:
    explicit Words(const Entries& entries) {
        words_.reserve(entries.size());
        for (const auto& [headword, groups] : entries) words_.push_back(headword);
    }
    std::optional<std::uint32_t> find(std::string_view word) const {
        const auto at = std::ranges::lower_bound(words_, word);
        if (at == words_.end() || *at != word) return std::nullopt;
        return static_cast<std::uint32_t>(at - words_.begin());
    }
    std::string_view operator[](std::uint32_t id) const { return words_[id]; }
    std::size_t size() const { return words_.size(); }

private:
    std::vector<std::string_view> words_;
};

struct CompoundCandidate {
    std::size_t form = 0;
    std::string baseform;
    std::string wordbases;
};

// A name the analyser knows that the dictionary lacks ("Virtanen", "John").
struct NameCandidate {
    std::size_t form = 0;
    std::string baseform;
    std::string meaning;
};

std::string_view name_meaning(std::string_view word_class) {
    if (word_class == "etunimi") return "a given name";
    if (word_class == "sukunimi") return "a surname";
    if (word_class == "paikannimi") return "a place name";
    return {};
}

struct FormEntryCandidate {
    std::size_t rank = 0;
    std::size_t form = 0;
    std::vector<format::PosGroup> groups;
    bool headword = false;  // the form is a headword of its own: its entry gains the groups
    bool first = false;     // ... before its own meanings
};

// What the analysis of a range of forms gives; merged in range order, so the
// result does not depend on the number of threads.
struct Analysed {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> links;  // (form, dictionary word)
    std::vector<CompoundCandidate> compounds;
    std::vector<NameCandidate> names;
    std::vector<FormEntryCandidate> form_entries;
    std::vector<std::pair<std::uint32_t, double>> weights;  // (dictionary word, share of a frequent form)
    std::size_t analysed = 0;
    std::size_t mapped = 0;
    std::size_t shared = 0;
};

struct Context {
    const Entries& dictionary;
    const Words& words;
    const FormTable& table;
    const std::unordered_map<std::string_view, std::size_t>& rank;
    const std::set<std::string>& inverted_only;
    const std::set<std::string>& everyday_particles;
};

// A word voikko reads only as case forms of nouns, names and adjectives
// ("varsinkin": the instructive plural of varsi with -kin; "lopulta": the
// ablative of loppu) or of a verb's infinitive ("ollenkaan": olla's second
// infinitive with -kaan; "mennessä"), never as the particle its meanings
// make it. An adjective's genitive is not one: any adjective of degree is
// used so ("erityisen hyvä", "valtavan suuri"), as a form of the adjective.
bool only_case_forms(const std::vector<Analysis>& analyses) {
    return std::ranges::all_of(analyses, [](const Analysis& a) {
        const auto pos = pos_from_word_class(a.get("CLASS"));
        if (pos == "adj") return a.get("SIJAMUOTO") != "omanto";
        if (pos == "verb") return a.get("MOOD") == "E-infinitive" || (a.get("MOOD") == "MA-infinitive" && !a.get("SIJAMUOTO").empty());
        return pos == "noun" || pos == "name";
    });
}

// What a form of the frequency list at `rank` adds to its words' frequency.
double lemma_weight(std::size_t rank) { return 1.0 / (static_cast<double>(rank) + 50.0); }

void analyse_form(const Context& context, const Analyzer& analyze, std::size_t k, Analysed& out) {
    const std::string& form = context.table.forms[k];
    const auto analyses = analyze(form);
    if (analyses.empty()) return;
    ++out.analysed;
    std::set<std::uint32_t> bases;
    for (const auto& analysis : analyses) {
        for (const auto& base : analysis_bases(analysis, context.dictionary)) bases.insert(*context.words.find(base));
    }
    if (!bases.empty()) ++out.mapped;
    if (bases.size() > 1) ++out.shared;
    for (const std::uint32_t base : bases) out.links.emplace_back(static_cast<std::uint32_t>(k), base);
    // A frequent form counts for its words, shared among them.
    if (const auto ranked = context.rank.find(form); ranked != context.rank.end()) {
        for (const std::uint32_t base : bases) out.weights.emplace_back(base, lemma_weight(ranked->second) / static_cast<double>(bases.size()));
    }
    const bool headword = context.dictionary.contains(form);
    // A headword of inverted meanings that is only ever a form of other
    // words ("tiedot") is told as that form first; one that is a word of its
    // own too ("valittu", an adjective; "varsinkin", a lexicalised adverb)
    // keeps its meanings first.
    const bool own_lemma = std::ranges::any_of(analyses, [&](const Analysis& a) { return a.get("BASEFORM") == form; });
    const bool lexicalised = context.everyday_particles.contains(form) && only_case_forms(analyses);
    const bool explain = headword && !own_lemma && context.inverted_only.contains(form) && !lexicalised;
    if ((context.table.sources[k] & kListed) == 0 && !explain) return;
    if (bases.empty()) {
        // A name is told by its kind, not split as a compound: "Heinävesi"
        // is a place name, whatever its parts.
        for (const auto& analysis : analyses) {
            const auto meaning = name_meaning(analysis.get("CLASS"));
            if (meaning.empty()) {
                out.compounds.push_back({k, std::string(analysis.get("BASEFORM")), std::string(analysis.get("WORDBASES"))});
            } else {
                out.names.push_back({k, std::string(analysis.get("BASEFORM")), std::string(meaning)});
            }
        }
    }
    const auto ranked = context.rank.find(form);
    const bool frequent = ranked != context.rank.end();
    if (!frequent && !explain) return;
    if (headword && !explain && ranked->second >= kMaxAugmentedRank) return;
    auto groups = form_entry(form, analyses, context.dictionary);
    const std::size_t rank = frequent ? ranked->second : std::numeric_limits<std::size_t>::max();
    if (!groups.empty()) out.form_entries.push_back({rank, k, std::move(groups), headword, explain});
}

Analysed analyse_all(const Context& context, const AnalyzerFactory& analyzers, unsigned threads) {
    const std::size_t n = context.table.forms.size();
    threads = std::max(1u, threads);
    std::vector<Analysed> parts(threads);
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            const Analyzer analyze = analyzers();
            for (std::size_t k = n * t / threads; k < n * (t + 1) / threads; ++k) analyse_form(context, analyze, k, parts[t]);
        });
    }
    for (auto& worker : workers) worker.join();
    Analysed all;
    for (auto& part : parts) {
        all.links.insert(all.links.end(), part.links.begin(), part.links.end());
        std::ranges::move(part.compounds, std::back_inserter(all.compounds));
        std::ranges::move(part.names, std::back_inserter(all.names));
        std::ranges::move(part.form_entries, std::back_inserter(all.form_entries));
        all.weights.insert(all.weights.end(), part.weights.begin(), part.weights.end());
        all.analysed += part.analysed;
        all.mapped += part.mapped;
        all.shared += part.shared;
    }
    return all;
}

// The first dictionary headword with meanings that a form leads to.
class FormBases {
public:
    FormBases(const FormTable& table, const std::vector<std::pair<std::uint32_t, std::uint32_t>>& links)
        : table_(table), links_(links) {}

    std::optional<std::uint32_t> first(std::string_view form) const {
        const auto k = table_.find(form);
        if (!k) return std::nullopt;
        const auto at = std::ranges::lower_bound(links_, std::pair<std::uint32_t, std::uint32_t>{static_cast<std::uint32_t>(*k), 0});
        if (at == links_.end() || at->first != *k) return std::nullopt;
        return at->second;
    }

private:
    const FormTable& table_;
    const std::vector<std::pair<std::uint32_t, std::uint32_t>>& links_;
};

bool has_meanings(const std::vector<format::PosGroup>& groups) {
    return std::ranges::any_of(groups, [](const auto& group) { return !group.meanings.empty(); });
}

struct Compound {
    CompoundSplit split;
    std::string pos;
};

// The compounds the dictionary lacks, by base form, with the forms that lead to them.
std::map<std::string, Compound> compound_entries(const Context& context, const FormBases& bases,
                                                 const std::vector<CompoundCandidate>& candidates) {
    const auto is_headword = [&](std::string_view text) {
        const auto entry = context.dictionary.find(std::string(text));
        return entry != context.dictionary.end() && has_meanings(entry->second);
    };
    const auto part_headword = [&](std::string_view text) -> std::optional<std::string> {
        if (is_headword(text)) return std::string(text);
        const auto base = bases.first(text);
        if (!base || !is_headword(context.words[*base])) return std::nullopt;
        return std::string(context.words[*base]);
    };
    std::map<std::string, Compound> compounds;
    std::set<std::string> tried;
    for (const auto& candidate : candidates) {
        if (!fits_key(candidate.baseform) || !tried.insert(candidate.baseform).second) continue;
        if (context.dictionary.contains(candidate.baseform)) continue;
        auto split = split_compound(candidate.baseform, candidate.wordbases, is_headword, part_headword);
        if (!split) continue;
        const auto& last_groups = context.dictionary.at(split->last);
        compounds.emplace(candidate.baseform, Compound{std::move(*split), last_groups.front().pos});
    }
    return compounds;
}

// All links, by text, before the headwords have their final ids: dictionary
// words keep their position, new headwords come after them.
struct Links {
    std::vector<std::pair<std::string_view, std::uint32_t>> by_text;
    std::vector<std::pair<std::string, std::uint32_t>> owned;  // forms no list holds: compound paradigms
};

// Gives the new headwords (the keys of `entries`, in order) the ids after the
// `known` ones and links each candidate's form to its headword when it got one.
template <class NewEntries, class Candidate>
std::unordered_map<std::string_view, std::uint32_t> add_new_headwords(const NewEntries& entries,
                                                                      const std::vector<Candidate>& candidates,
                                                                      std::size_t known, const FormTable& table,
                                                                      std::vector<std::string>& new_words, Links& links) {
    std::unordered_map<std::string_view, std::uint32_t> ids;
    for (const auto& [baseform, entry] : entries) {
        ids.emplace(baseform, static_cast<std::uint32_t>(known + new_words.size()));
        new_words.push_back(baseform);
    }
    for (const auto& candidate : candidates) {
        const auto id = ids.find(candidate.baseform);
        if (id != ids.end()) links.by_text.emplace_back(table.forms[candidate.form], id->second);
    }
    return ids;
}

}  // namespace

std::optional<std::string_view> form_meaning_base(std::string_view meaning) {
    static const std::set<std::string_view> kGrammar = {
        "nominative", "genitive",   "partitive",  "essive",      "translative", "inessive",    "elative",
        "illative",   "adessive",   "ablative",   "allative",    "abessive",    "comitative",  "instructive",
        "accusative", "singular",   "plural",     "first",       "second",      "third",       "fourth",
        "person",     "impersonal", "present",    "past",        "perfect",     "pluperfect",  "indicative",
        "conditional", "imperative", "potential", "optative",    "connegative", "active",      "passive",
        "participle", "infinitive", "long",       "short",       "agent",       "negative",    "comparative",
        "superlative", "degree",    "form",       "possessive",  "and",         "or",          "1st",
        "2nd",        "3rd",        "4th",        "5th",         "instructive", "inflection",
    };
    const auto named = morphology::read_form_of_meaning(meaning);
    if (!named || !named->suffixes.empty()) return std::nullopt;
    std::string_view what = named->form;
    bool grammatical = false;
    while (!what.empty()) {
        const std::size_t end = what.find_first_of(" -,");
        const std::string_view word = what.substr(0, end);
        if (!word.empty()) {
            if (!kGrammar.contains(word)) return std::nullopt;
            grammatical = grammatical || (word != "and" && word != "or");
        }
        if (end == std::string_view::npos) break;
        what.remove_prefix(end + 1);
    }
    if (!grammatical) return std::nullopt;
    return named->word;
}

std::vector<std::string> analysis_bases(const Analysis& analysis, const Entries& dictionary) {
    const std::string base(analysis.get("BASEFORM"));
    if (dictionary.contains(base)) return {base};
    // A participle without an entry of its own leads to its verb.
    if (analysis.get("PARTICIPLE").empty()) return {};
    auto verb = described_base(analysis);
    if (dictionary.contains(verb)) return {verb};
    return {};
}

std::vector<format::PosGroup> form_entry(std::string_view form, const std::vector<Analysis>& analyses,
                                         const Entries& dictionary) {
    std::vector<format::PosGroup> groups;
    for (const auto& analysis : analyses) {
        const auto base = dictionary.find(described_base(analysis));
        if (base == dictionary.end() || base->first == form || base->second.empty()) continue;
        auto meaning = describe_form(form, analysis);
        if (!meaning) continue;
        add_meaning(groups, base_pos(base->second, analysis), std::move(*meaning));
    }
    return groups;
}

std::vector<std::pair<std::string, std::string>> Assembly::pairs() const {
    std::vector<std::string_view> headwords;
    for (const auto& [headword, groups] : entries) headwords.push_back(headword);
    std::vector<std::pair<std::string, std::string>> out;
    for (std::size_t k = 0; k < forms.size(); ++k) {
        for (std::uint32_t i = offsets[k]; i < offsets[k + 1]; ++i) out.emplace_back(forms[k], headwords[ids[i]]);
    }
    return out;
}

namespace {

// Step 4: every form analysed and linked to the dictionary headwords it is a form of.
Analysed link_forms(const Context& context, const AnalyzerFactory& analyzers, unsigned threads, AssemblyCounts& counts) {
    Analysed analysed = analyse_all(context, analyzers, threads);
    counts.analysed_forms = analysed.analysed;
    counts.mapped_forms = analysed.mapped;
    counts.shared_forms = analysed.shared;
    return analysed;
}

// Step 5, the forms: a compound inflects as its last part, so its first
// parts' text before every plain form of the last part leads to it.
void add_compound_forms(const std::map<std::string, Compound>& compounds,
                        const std::unordered_map<std::string_view, std::uint32_t>& compound_id, const Words& words,
                        const FormTable& table, const Analysed& analysed, Links& links) {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> plain_of_base;
    for (const auto& [form, word] : analysed.links) {
        if (table.sources[form] & kPlain) plain_of_base.emplace_back(word, form);
    }
    std::ranges::sort(plain_of_base);
    for (const auto& [baseform, compound] : compounds) {
        const auto last = words.find(compound.split.last);
        if (!last) continue;
        const std::uint32_t id = compound_id.at(baseform);
        const auto from = std::ranges::lower_bound(plain_of_base, std::pair<std::uint32_t, std::uint32_t>{*last, 0});
        for (auto it = from; it != plain_of_base.end() && it->first == *last; ++it) {
            std::string form = compound.split.prefix + table.forms[it->second];
            if (fits_key(form)) links.owned.emplace_back(std::move(form), id);
        }
    }
}

// Step 6: names the analyser knows and the dictionary lacks, told by their kind.
std::map<std::string, std::vector<format::PosGroup>> name_entries(const Entries& dictionary,
                                                                   const std::map<std::string, Compound>& compounds,
                                                                   const std::vector<NameCandidate>& candidates) {
    std::map<std::string, std::vector<format::PosGroup>> names;
    for (const auto& candidate : candidates) {
        if (!fits_key(candidate.baseform) || dictionary.contains(candidate.baseform)) continue;
        if (compounds.contains(candidate.baseform)) continue;
        add_meaning(names[candidate.baseform], "name", candidate.meaning);
    }
    return names;
}

// The generated groups before a headword's own, each meaning once.
void put_first(std::vector<format::PosGroup>& groups, std::vector<format::PosGroup> first) {
    for (auto& group : first) {
        const auto own = std::ranges::find(groups, group.pos, &format::PosGroup::pos);
        if (own == groups.end()) continue;
        for (auto& meaning : own->meanings) {
            if (std::ranges::find(group.meanings, meaning) == group.meanings.end()) group.meanings.push_back(std::move(meaning));
        }
        groups.erase(own);
    }
    first.insert(first.end(), std::make_move_iterator(groups.begin()), std::make_move_iterator(groups.end()));
    groups = std::move(first);
}

// Step 2: a meaning that names a form of a word ("nominative plural of
// tieto") that the analyser does not read the headword as is wrong data.
std::size_t drop_unconfirmed_form_meanings(Entries& dictionary, const Analyzer& analyze) {
    std::size_t dropped = 0;
    for (auto& [headword, groups] : dictionary) {
        std::optional<std::set<std::string>> bases;
        for (auto& group : groups) {
            std::erase_if(group.meanings, [&](const std::string& meaning) {
                const auto base = form_meaning_base(meaning);
                if (!base) return false;
                if (!bases) {
                    bases.emplace();
                    for (const auto& analysis : analyze(headword)) {
                        bases->emplace(analysis.get("BASEFORM"));
                        bases->insert(described_base(analysis));
                    }
                }
                if (bases->contains(std::string(*base))) return false;
                ++dropped;
                return true;
            });
        }
        std::erase_if(groups, [](const format::PosGroup& group) { return group.meanings.empty(); });
    }
    std::erase_if(dictionary, [](const auto& entry) { return entry.second.empty(); });
    return dropped;
}

// Step 7: generated entries of frequent forms, most frequent first; a
// headword of the dictionary keeps its entry and gains the generated meanings.
void add_form_entries(std::vector<FormEntryCandidate>& candidates, const FormTable& table, std::size_t max_entries,
                      const std::unordered_map<std::string_view, std::uint32_t>& taken, Entries& entries,
                      std::vector<std::string>& new_words, Assembly& out) {
    std::ranges::sort(candidates, {}, &FormEntryCandidate::rank);
    std::size_t generated = 0;
    for (auto& candidate : candidates) {
        const std::string& form = table.forms[candidate.form];
        if (candidate.headword) {
            auto& groups = entries.at(form);
            if (candidate.first) {
                put_first(groups, std::move(candidate.groups));
                ++out.counts.explained_entries;
            } else {
                for (auto& group : candidate.groups) {
                    for (auto& meaning : group.meanings) add_meaning(groups, group.pos, std::move(meaning));
                }
            }
            ++out.counts.augmented_entries;
            continue;
        }
        if (generated >= max_entries || taken.contains(form)) continue;
        ++generated;
        entries.emplace(form, std::move(candidate.groups));
        out.generated.insert(form);
        new_words.push_back(form);
    }
    out.counts.form_entries = generated;
}

// The forms with their headwords' final ids, which are ranks in byte order:
// dictionary words and the new headwords, in the order they were numbered.
void number_forms(const Words& words, const std::vector<std::string>& new_words, const Links& links, Assembly& out) {
    std::vector<std::uint32_t> final_id(words.size() + new_words.size());
    {
        std::unordered_map<std::string_view, std::uint32_t> position;
        std::uint32_t next = 0;
        for (const auto& [headword, groups] : out.entries) position.emplace(headword, next++);
        for (std::uint32_t id = 0; id < words.size(); ++id) final_id[id] = position.at(words[id]);
        for (std::size_t k = 0; k < new_words.size(); ++k) final_id[words.size() + k] = position.at(new_words[k]);
    }
    std::vector<std::pair<std::string_view, std::uint32_t>> all;
    all.reserve(links.by_text.size() + links.owned.size() + out.entries.size());
    for (const auto& [text, id] : links.by_text) all.emplace_back(text, final_id[id]);
    std::uint32_t self = 0;
    for (const auto& [headword, groups] : out.entries) all.emplace_back(headword, self++);
    for (const auto& [form, id] : links.owned) all.emplace_back(form, final_id[id]);
    out.counts.compound_forms = links.owned.size();
    std::ranges::sort(all);
    const auto [first, last] = std::ranges::unique(all);
    all.erase(first, last);
    out.offsets.push_back(0);
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (out.forms.empty() || out.forms.back() != all[i].first) {
            if (!out.forms.empty()) out.offsets.push_back(static_cast<std::uint32_t>(out.ids.size()));
            out.forms.emplace_back(all[i].first);
        }
        out.ids.push_back(all[i].second);
    }
    out.offsets.push_back(static_cast<std::uint32_t>(out.ids.size()));
    if (out.forms.empty()) out.offsets = {0};
}

// The dictionary words ranked by how often their forms are used, most used
// first, numbered by final id; the words no frequent form leads to last.
std::vector<std::uint16_t> lemma_ranks(const Words& words, const Analysed& analysed, const Entries& entries) {
    std::vector<double> score(words.size(), 0.0);
    for (const auto& [word, weight] : analysed.weights) score[word] += weight;
    std::vector<std::uint32_t> order;
    for (std::uint32_t id = 0; id < words.size(); ++id) {
        if (score[id] > 0) order.push_back(id);
    }
    std::ranges::stable_sort(order, [&](std::uint32_t a, std::uint32_t b) { return score[a] > score[b]; });
    std::vector<std::string_view> final_order;
    final_order.reserve(entries.size());
    for (const auto& [headword, groups] : entries) final_order.push_back(headword);
    std::vector<std::uint16_t> ranks(entries.size(), kUnranked);
    for (std::size_t k = 0; k < order.size(); ++k) {
        const auto at = std::ranges::lower_bound(final_order, words[order[k]]) - final_order.begin();
        ranks[static_cast<std::size_t>(at)] = static_cast<std::uint16_t>(std::min<std::size_t>(k, kUnranked - 1));
    }
    return ranks;
}

}  // namespace

Assembly assemble(AssemblyInput input, const AnalyzerFactory& analyzers) {
    Assembly out;
    Entries& dictionary = input.dictionary;
    std::erase_if(dictionary, [](const auto& entry) { return !fits_key(entry.first); });
    out.counts.form_meanings_dropped = drop_unconfirmed_form_meanings(dictionary, analyzers());
    out.counts.dictionary_headwords = dictionary.size();
    out.counts.dictionary_meanings = count_meanings(dictionary);

    std::unordered_map<std::string_view, std::size_t> rank;
    for (std::size_t i = 0; i < input.frequency.size(); ++i) rank.emplace(input.frequency[i], i);
    auto listed = listed_forms(input.listed, input.frequency);
    out.counts.listed_forms = listed.size();
    const FormTable table = form_table(std::move(listed), std::move(input.paradigms), std::move(input.plain_paradigms));
    out.counts.paradigm_forms = static_cast<std::size_t>(
        std::ranges::count_if(table.sources, [](std::uint8_t s) { return (s & kParadigm) != 0; }));

    const Words words(dictionary);
    const Context context{dictionary, words, table, rank, input.inverted_only, input.everyday_particles};
    Analysed analysed = link_forms(context, analyzers, input.threads, out.counts);
    const FormBases bases(table, analysed.links);

    // New headwords get ids after the dictionary's: compounds, names, then form entries.
    std::vector<std::string> new_words;
    Links links;
    for (const auto& [form, word] : analysed.links) links.by_text.emplace_back(table.forms[form], word);
    const auto compounds = compound_entries(context, bases, analysed.compounds);
    const auto compound_id = add_new_headwords(compounds, analysed.compounds, words.size(), table, new_words, links);
    add_compound_forms(compounds, compound_id, words, table, analysed, links);
    out.counts.compound_entries = compounds.size();
    auto names = name_entries(dictionary, compounds, analysed.names);
    const auto name_id = add_new_headwords(names, analysed.names, words.size(), table, new_words, links);
    out.counts.name_entries = names.size();

    std::unordered_map<std::string_view, std::uint32_t> taken = compound_id;
    taken.insert(name_id.begin(), name_id.end());
    Entries entries = std::move(dictionary);
    add_form_entries(analysed.form_entries, table, input.max_form_entries, taken, entries, new_words, out);
    for (const auto& [baseform, compound] : compounds) {
        entries.emplace(baseform, std::vector<format::PosGroup>{{compound.pos, {compound_meaning(compound.split)}}});
        out.generated.insert(baseform);
    }
    for (auto& [baseform, groups] : names) {
        entries.emplace(baseform, std::move(groups));
        out.generated.insert(baseform);
    }
    out.entries = std::move(entries);
    number_forms(words, new_words, links, out);
    out.ranks = lemma_ranks(words, analysed, out.entries);
    out.counts.ranked_headwords = static_cast<std::size_t>(std::ranges::count_if(out.ranks, [](std::uint16_t r) { return r != kUnranked; }));
    return out;
}

}  // namespace lomperi::data_build
