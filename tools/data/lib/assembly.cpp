#include "assembly.hpp"

#include <algorithm>
#include <set>
#include <unordered_map>

#include "pos_names.hpp"
#include "word_case.hpp"

namespace lomperi::data_build {
namespace {

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

std::vector<std::string> all_forms(const std::vector<std::string>& forms, const std::vector<std::string>& frequency) {
    std::vector<std::string> sorted = forms;
    sorted.insert(sorted.end(), frequency.begin(), frequency.end());
    std::ranges::sort(sorted);
    const auto [first, last] = std::ranges::unique(sorted);
    sorted.erase(first, last);
    std::erase_if(sorted, [](const std::string& form) { return form.empty() || form.size() > kMaxKeyBytes; });
    return drop_capital_duplicates(sorted);
}

}  // namespace

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
        if (base == dictionary.end()) continue;
        auto meaning = describe_form(form, analysis);
        if (!meaning) continue;
        add_meaning(groups, base_pos(base->second, analysis), std::move(*meaning));
    }
    return groups;
}

Assembly assemble(Entries dictionary, const std::vector<std::string>& forms,
                  const std::vector<std::string>& frequency, const Analyzer& analyze,
                  std::size_t max_form_entries) {
    Assembly out;
    std::erase_if(dictionary, [](const auto& entry) { return entry.first.size() > kMaxKeyBytes; });
    out.counts.dictionary_headwords = dictionary.size();
    out.counts.dictionary_meanings = count_meanings(dictionary);

    std::unordered_map<std::string, std::size_t> rank;
    for (std::size_t i = 0; i < frequency.size(); ++i) rank.emplace(frequency[i], i);
    std::vector<std::pair<std::size_t, std::vector<format::PosGroup>>> candidates;

    const auto listed = all_forms(forms, frequency);
    out.counts.listed_forms = listed.size();
    for (const auto& form : listed) {
        const auto analyses = analyze(form);
        if (analyses.empty()) continue;
        ++out.counts.analysed_forms;
        std::set<std::string> bases;
        for (const auto& analysis : analyses) {
            for (auto& base : analysis_bases(analysis, dictionary)) bases.insert(std::move(base));
        }
        if (!bases.empty()) ++out.counts.mapped_forms;
        if (bases.size() > 1) ++out.counts.shared_forms;
        for (const auto& base : bases) out.forms.emplace_back(form, base);
        const auto ranked = rank.find(form);
        if (ranked == rank.end() || dictionary.contains(form)) continue;
        auto entry = form_entry(form, analyses, dictionary);
        if (!entry.empty()) candidates.emplace_back(ranked->second, std::move(entry));
    }

    std::ranges::sort(candidates, {}, &decltype(candidates)::value_type::first);
    if (candidates.size() > max_form_entries) candidates.resize(max_form_entries);
    out.counts.form_entries = candidates.size();
    out.entries = std::move(dictionary);
    for (auto& [position, groups] : candidates) out.entries.emplace(frequency[position], std::move(groups));
    for (const auto& [headword, groups] : out.entries) out.forms.emplace_back(headword, headword);
    return out;
}

}  // namespace lomperi::data_build
