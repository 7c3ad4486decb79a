#include "gloss_merge.hpp"

#include <algorithm>
#include <optional>
#include <span>
#include <tuple>

#include "base/text.hpp"
#include "cleaning.hpp"
#include "core/morphology/analysis.hpp"
#include "assembly.hpp"
#include "pos_names.hpp"
#include "text.hpp"

namespace lomperi::data_build {
namespace {

// The sources cut the first character of every suffix entry ("-kin" became
// "kin" with "lso, oo"); they cannot be repaired, and the inverted side
// brings the common suffixes back.
bool is_damaged_suffix_entry(const DictdRecord& record) {
    return record.pos == "suffix";
}

constexpr std::size_t kMaxMeaningsPerGroup = 255;
constexpr std::size_t kMaxMeaningBytes = 65535;

std::vector<std::string_view> words_of(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t start = 0;
    for (std::size_t at = 0; at <= text.size(); ++at) {
        const bool end = at == text.size() || text[at] == ' ' || text[at] == '-' || text[at] == ',' || text[at] == ':' ||
                         text[at] == ';' || text[at] == '(' || text[at] == ')';
        if (!end) continue;
        if (at > start) words.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    return words;
}

bool contains_word(std::span<const std::string_view> words, std::span<const std::string_view> wanted) {
    return std::ranges::any_of(words, [&](std::string_view w) { return std::ranges::find(wanted, w) != wanted.end(); });
}

// Labelled meanings that the sources had before a plain one of their group.
template <typename Key>
std::size_t labelled_before_plain(const std::vector<Key>& keys) {
    std::size_t moved = 0;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        if (!std::get<0>(keys[k])) continue;
        moved += std::any_of(keys.begin() + static_cast<std::ptrdiff_t>(k) + 1, keys.end(),
                             [](const Key& later) { return !std::get<0>(later); });
    }
    return moved;
}

}  // namespace

bool describes_english_inflection(std::string_view description) {
    static constexpr std::string_view kGrammar[] = {
        "person",     "plural",      "singular",   "past",        "present",     "participle", "tense",
        "indicative", "subjunctive", "imperative", "infinitive",  "comparative", "superlative", "form",
    };
    const std::string lower = lower_case(description);
    const std::size_t of = lower.find(" of ");
    if (of == std::string::npos) return false;
    const auto before = words_of(std::string_view(lower).substr(0, of));
    return contains_word(before, kGrammar);
}

bool is_labelled(std::string_view meaning) {
    static constexpr std::string_view kLabels[] = {"vulgar", "slang",     "dated",      "archaic",      "obsolete",
                                                   "dialectal", "dialect", "rare",     "nonstandard", "non-standard"};
    static constexpr std::string_view kHedges[] = {"now", "chiefly", "very", "mostly", "somewhat", "often"};
    // A label opens a parenthesis: "(slang: …)", "(dated)", "(now rare)".
    for (std::size_t open = meaning.find('('); open != std::string_view::npos; open = meaning.find('(', open + 1)) {
        const std::string lower = lower_case(meaning.substr(open + 1, meaning.find(')', open) - open - 1));
        for (const std::string_view word : words_of(lower)) {
            if (std::ranges::find(kHedges, word) != std::end(kHedges)) continue;
            if (std::ranges::find(kLabels, word) != std::end(kLabels)) return true;
            break;
        }
    }
    return false;
}

bool names_a_field(std::string_view meaning) {
    // Grammar notes open a parenthesis the way fields do: "(intransitive: …)".
    static constexpr std::string_view kGrammar[] = {"transitive", "intransitive", "ambitransitive", "reflexive",
                                                    "figurative", "figuratively", "literally",    "idiomatic"};
    const std::size_t open = meaning.find('(');
    if (open == std::string_view::npos) return false;
    const std::string_view inside = meaning.substr(open + 1);
    if (inside.starts_with('(')) return true;
    const std::size_t colon = inside.find(':');
    if (colon == std::string_view::npos || inside.find_first_of("()") < colon) return false;
    const std::string label = lower_case(inside.substr(0, colon));
    const auto words = words_of(label);
    if (words.empty() || words.size() > 3) return false;
    return !contains_word(words, kGrammar);
}

GlossMerger::Group& GlossMerger::group_of(const std::string& headword, const std::string& pos) {
    auto& groups = entries_[headword];
    for (auto& group : groups) {
        if (group.pos == pos) return group;
    }
    groups.push_back({pos, {}, {}});
    return groups.back();
}

void GlossMerger::add_record(const DictdRecord& record) {
    if (is_damaged_suffix_entry(record)) return;
    const auto pos = pos_from_label(record.pos);
    std::vector<std::string> meanings;
    for (const auto& sense : record.senses) {
        auto meaning = clean_meaning(sense.translations);
        if (!meaning.empty()) meanings.push_back(std::move(meaning));
    }
    if (meanings.empty()) return;
    auto& group = group_of(record.headword, pos);
    for (auto& meaning : meanings) {
        for (const auto& item : split_items(meaning)) group.words.insert(lower_case(item));
        group.meanings.push_back({std::move(meaning), false, {}});
    }
}

void GlossMerger::add_inverted_record(const DictdRecord& record) {
    if (is_damaged_suffix_entry(record)) return;
    const auto pos = pos_from_label(record.pos);
    const auto english = lower_case(strip_wiki_markup(record.headword));
    english_senses_[english] += record.senses.size();
    for (const auto& sense : record.senses) {
        const auto meaning = inverted_meaning(record.headword, sense.descriptions);
        const bool inflection = std::ranges::any_of(sense.descriptions, describes_english_inflection);
        for (const auto& item : split_items(sense.translations)) {
            const auto key = clean_finnish_key(item);
            if (!key) continue;
            ++givers_[{*key, english}];
            auto& group = group_of(*key, pos);
            if (group.words.contains(english)) continue;
            group.meanings.push_back({meaning, true, english, inflection});
        }
    }
}

std::vector<format::PosGroup> GlossMerger::ordered(const std::string& headword, const std::vector<Group>& groups,
                                                   MergeCounts& counts) const {
    const auto givers = [&](const Meaning& m) {
        const auto found = givers_.find({headword, m.english});
        return found == givers_.end() ? std::size_t{0} : found->second;
    };
    const auto senses = [&](const Meaning& m) {
        const auto found = english_senses_.find(m.english);
        return found == english_senses_.end() ? std::size_t{0} : found->second;
    };
    const auto common = [&](const Meaning& m) { return commonness_ ? commonness_(m.english) : std::size_t{0}; };
    const bool has_plain = std::ranges::any_of(groups, [](const Group& g) {
        return std::ranges::any_of(g.meanings, [](const Meaning& m) { return !m.names_inflection; });
    });
    using Key = std::tuple<bool, bool, std::size_t, std::size_t, std::size_t, std::size_t>;
    std::vector<Kept> out;
    for (const auto& group : groups) {
        std::vector<Key> keys;  // labelled, inverted, commonness, givers, senses, index
        for (std::size_t k = 0; k < group.meanings.size(); ++k) {
            const Meaning& m = group.meanings[k];
            if (!m.inverted) {
                keys.emplace_back(is_labelled(m.text), false, 0, 0, 0, k);
                continue;
            }
            keys.emplace_back(is_labelled(m.text), true, common(m), ~givers(m), ~senses(m), k);
        }
        std::vector<std::size_t> order(keys.size());
        for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
        std::ranges::sort(order, [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
        Kept kept{{group.pos, {}}, {}, false};
        std::size_t inverted = 0;
        for (const std::size_t k : order) {
            const Meaning& m = group.meanings[k];
            if (m.names_inflection && has_plain) {
                ++counts.inverted_dropped;
                continue;
            }
            if (m.text.empty() || m.text.size() > kMaxMeaningBytes || kept.group.meanings.size() >= kMaxMeaningsPerGroup) continue;
            if (m.inverted && inverted >= kMaxInvertedPerGroup) continue;
            if (std::ranges::find(kept.group.meanings, m.text) != kept.group.meanings.end()) continue;
            kept.group.meanings.push_back(m.text);
            kept.inverted.push_back(m.inverted);
            if (m.inverted) ++inverted;
        }
        counts.labelled_moved += labelled_before_plain(keys);
        if (kept.group.meanings.empty()) continue;
        kept.only_inverted = std::ranges::all_of(group.meanings, &Meaning::inverted);
        out.push_back(std::move(kept));
    }
    const auto own = own_pos_ ? own_pos_(headword) : std::vector<std::string>{};
    const auto not_own = [&](const format::PosGroup& g) { return std::ranges::find(own, g.pos) == own.end(); };
    // A single word is told by a word's part of speech before a phrase's
    // ("välillä": between, a postposition, before the phrase "at times").
    const bool one_word = headword.find(' ') == std::string::npos;
    std::ranges::stable_sort(out, {}, [&](const Kept& k) {
        return std::tuple(k.only_inverted, not_own(k.group), one_word && k.group.pos == "phrase");
    });
    if (evidence_) lead_with_everyday_sense(headword, out, counts);
    if (evidence_ && !out.empty() && lead_with_everyday_word(headword, out[0].group.meanings[0])) ++counts.evidence_items;
    std::vector<format::PosGroup> result;
    for (auto& kept : out) result.push_back(std::move(kept.group));
    return result;
}

namespace {

// Adpositions and conjunctions, the parts of speech of a function word.
std::string_view function_family(std::string_view pos) {
    if (pos == "postp" || pos == "prep") return "adposition";
    if (pos == "conj") return "conjunction";
    return {};
}

}  // namespace

bool GlossMerger::lead_with_function_word(const std::string& headword, std::vector<Kept>& groups) const {
    const auto first_translations = [&](std::string_view family, const Kept* only) {
        std::vector<std::string> meanings;
        for (const Kept& kept : groups) {
            const bool in = only ? &kept == only : function_family(kept.group.pos) == family;
            if (in) meanings.insert(meanings.end(), kept.group.meanings.begin(), kept.group.meanings.end());
        }
        return evidence_->first_translations(headword, meanings);
    };
    const std::string_view first_family = function_family(groups[0].group.pos);
    const std::size_t first = first_family.empty() ? first_translations({}, &groups[0]) : first_translations(first_family, nullptr);
    for (std::size_t g = 1; g < groups.size(); ++g) {
        const std::string_view family = function_family(groups[g].group.pos);
        if (family.empty() || family == first_family || groups[g].only_inverted) continue;
        const std::size_t named = first_translations(family, nullptr);
        if (named < kFunctionWordFirsts || named < 2 * first) continue;
        std::rotate(groups.begin(), groups.begin() + static_cast<std::ptrdiff_t>(g), groups.begin() + static_cast<std::ptrdiff_t>(g) + 1);
        return true;
    }
    return false;
}

void GlossMerger::lead_with_everyday_sense(const std::string& headword, std::vector<Kept>& groups,
                                           MergeCounts& counts) const {
    if (groups.empty()) return;
    if (lead_with_function_word(headword, groups)) {
        ++counts.evidence_led;
        ++counts.evidence_groups;
        return;
    }
    const MeaningEvidence first = evidence_->of(headword, groups[0].group.meanings[0]);
    // (votes, primacy, -rank), then the earlier place
    std::tuple<std::size_t, std::uint8_t, std::size_t> best_key{0, 0, 0};
    std::optional<std::pair<std::size_t, std::size_t>> best;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const Kept& kept = groups[g];
        if (g > 0 && kept.only_inverted) continue;
        const std::size_t candidates = g == 0 ? kept.group.meanings.size() : 1;
        for (std::size_t k = g == 0 ? 1 : 0; k < candidates; ++k) {
            const std::string& meaning = kept.group.meanings[k];
            if (form_meaning_base(meaning) || names_a_field(meaning)) continue;
            const MeaningEvidence evidence = evidence_->of(headword, meaning);
            const auto votes = votes_to_lead(evidence, kept.inverted[k], first, names_a_field(groups[0].group.meanings[0]));
            if (!votes) continue;
            const std::tuple<std::size_t, std::uint8_t, std::size_t> key{*votes, evidence.primacy, kUnknownRank - evidence.rank};
            if (best && key <= best_key) continue;
            best_key = key;
            best = std::pair(g, k);
        }
    }
    if (!best) return;
    const auto [g, k] = *best;
    auto& meanings = groups[g].group.meanings;
    std::rotate(meanings.begin(), meanings.begin() + static_cast<std::ptrdiff_t>(k), meanings.begin() + static_cast<std::ptrdiff_t>(k) + 1);
    auto& inverted = groups[g].inverted;
    const bool moved = inverted[k];
    inverted.erase(inverted.begin() + static_cast<std::ptrdiff_t>(k));
    inverted.insert(inverted.begin(), moved);
    std::rotate(groups.begin(), groups.begin() + static_cast<std::ptrdiff_t>(g), groups.begin() + static_cast<std::ptrdiff_t>(g) + 1);
    ++counts.evidence_led;
    if (g > 0) ++counts.evidence_groups;
}

// Within the first meaning, a list of synonyms ("deed, document"), the word
// the evidence makes the everyday one comes first, by the rule that lets a
// meaning lead ("document": primacy and the catalogues); never against the
// catalogues ("value, worth" stays). A meaning with descriptions is left
// as it is: a description may belong to one word of the list.
bool GlossMerger::lead_with_everyday_word(const std::string& headword, std::string& meaning) const {
    if (meaning.find_first_of("([;") != std::string::npos) return false;
    std::vector<std::string> words;
    for (std::size_t start = 0; start <= meaning.size();) {
        const std::size_t end = std::min(meaning.find(',', start), meaning.size());
        words.emplace_back(trim(std::string_view(meaning).substr(start, end - start)));
        start = end + 1;
    }
    if (words.size() < 2 || std::ranges::any_of(words, &std::string::empty)) return false;
    const MeaningEvidence first = evidence_->of(headword, words[0]);
    std::tuple<std::size_t, std::uint8_t, std::size_t> best_key{0, 0, 0};
    std::size_t best = 0;
    for (std::size_t k = 1; k < words.size(); ++k) {
        const MeaningEvidence evidence = evidence_->of(headword, words[k]);
        if (catalogues_prefer(first, evidence)) continue;
        const auto votes = votes_to_lead(evidence, false, first, false);
        if (!votes) continue;
        const std::tuple<std::size_t, std::uint8_t, std::size_t> key{*votes, evidence.primacy, kUnknownRank - evidence.rank};
        if (best != 0 && key <= best_key) continue;
        best_key = key;
        best = k;
    }
    if (best == 0) return false;
    const auto leading = words.begin() + static_cast<std::ptrdiff_t>(best);
    std::rotate(words.begin(), leading, std::next(leading));
    meaning = words[0];
    for (std::size_t k = 1; k < words.size(); ++k) meaning += ", " + words[k];
    return true;
}

bool GlossMerger::has_everyday_particle(const std::vector<Group>& groups) const {
    return std::ranges::any_of(groups, [&](const Group& group) {
        return morphology::particle_class(group.pos) != analysis::WordClass::None &&
               std::ranges::any_of(group.meanings, [&](const Meaning& m) { return !commonness_ || commonness_(m.english) == 0; });
    });
}

MergedGlosses GlossMerger::merged() const {
    MergedGlosses out;
    for (const auto& [headword, groups] : entries_) {
        auto kept = ordered(headword, groups, out.counts);
        if (kept.empty()) continue;
        // The first meaning the sources' order gave.
        const Meaning* first = nullptr;
        for (const auto& group : groups) {
            if (!group.meanings.empty()) {
                first = &group.meanings.front();
                break;
            }
        }
        if (first && first->text != kept.front().meanings.front()) ++out.counts.first_changed;
        const bool forward = std::ranges::any_of(groups, [](const Group& g) {
            return std::ranges::any_of(g.meanings, [](const Meaning& m) { return !m.inverted; });
        });
        if (!forward) out.inverted_only.insert(headword);
        if (!forward && has_everyday_particle(groups)) out.everyday_particles.insert(headword);
        out.entries.emplace(headword, std::move(kept));
    }
    return out;
}

}  // namespace lomperi::data_build
