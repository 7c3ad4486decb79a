#include "pipeline.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <set>
#include <unordered_map>

#include "base/text.hpp"
#include "core/morphology/data_set_builder.hpp"
#include "core/morphology/dictionary.hpp"
#include "english_side.hpp"
#include "gloss_merge.hpp"
#include "pos_names.hpp"

namespace lomperi::data_build {
namespace {

std::vector<std::string> used_pos_names(const Entries& entries) {
    std::set<std::string> used;
    for (const auto& [headword, groups] : entries) {
        for (const auto& group : groups) used.insert(group.pos);
    }
    std::vector<std::string> names;
    for (const auto& name : canonical_pos_order()) {
        if (used.erase(name) != 0) names.push_back(name);
    }
    names.insert(names.end(), used.begin(), used.end());
    return names;
}

std::size_t count_meanings(const Entries& entries) {
    std::size_t meanings = 0;
    for (const auto& [headword, groups] : entries) {
        for (const auto& group : groups) meanings += group.meanings.size();
    }
    return meanings;
}

// The headwords with their records, the forms with their base ids and the
// English side, through the one writer of every data-set file.
Result<morphology::DataSet> write_data_set(Assembly& assembly, EnglishSide& english, Bytes transducer) {
    morphology::DataSetBuilder builder;
    builder.set_pos_names(used_pos_names(assembly.entries));
    for (auto& [headword, groups] : assembly.entries) builder.add_headword(headword, std::move(groups));
    for (std::size_t k = 0; k < assembly.forms.size(); ++k) {
        const std::span<const std::uint32_t> ids(assembly.ids.data() + assembly.offsets[k],
                                                 assembly.offsets[k + 1] - assembly.offsets[k]);
        if (auto added = builder.add_form_ids(assembly.forms[k], ids); !added) return forward(added);
    }
    builder.set_english(std::move(english.files));
    builder.set_analyser(transducer);
    builder.set_ranks(std::move(assembly.ranks));
    return builder.build();
}

struct EvidenceCounts {
    std::size_t catalogue_messages = 0;
    std::size_t catalogue_pairs = 0;
};

CountRows count_rows(const AssemblyCounts& counts, const MergeCounts& merge, const EvidenceCounts& evidence,
                     const morphology::Dictionary& dict, std::size_t meanings, const EnglishSide& english) {
    return {
        {"headwords (glosses.fst keys)", dict.glosses.len()},
        {"meanings", meanings},
        {"word forms (inflections.fst keys)", dict.inflections.len()},
        {"multi entries (inflections-multi.bin)", dict.multi.size()},
        {"dictionary headwords (before generated entries)", counts.dictionary_headwords},
        {"dictionary meanings (before generated entries)", counts.dictionary_meanings},
        {"inverted records dropped (they only name an English inflection)", merge.inverted_dropped},
        {"labelled meanings moved after plain ones", merge.labelled_moved},
        {"headwords whose first meaning the ordering changed", merge.first_changed},
        {"translated messages of the catalogues", evidence.catalogue_messages},
        {"distinct pairs of at most 12 words a side, counted", evidence.catalogue_pairs},
        {"headwords whose first meaning the evidence of use chose", merge.evidence_led},
        {"of them, with another part of speech first", merge.evidence_groups},
        {"headwords whose first meaning leads with another of its words on evidence of use", merge.evidence_items},
        {"form meanings dropped (the analyser does not read the word so)", counts.form_meanings_dropped},
        {"compound entries", counts.compound_entries},
        {"forms of compounds from their last part", counts.compound_forms},
        {"name entries", counts.name_entries},
        {"generated entries of frequent forms", counts.form_entries},
        {"headwords with a generated meaning added", counts.augmented_entries},
        {"of them, with only inverted meanings, the generated one first", counts.explained_entries},
        {"headwords ranked by the use of their forms (headword-ranks.bin)", counts.ranked_headwords},
        {"listed word forms", counts.listed_forms},
        {"paradigm forms generated", counts.paradigm_forms},
        {"forms the analyser knows", counts.analysed_forms},
        {"forms leading to a dictionary headword", counts.mapped_forms},
        {"forms leading to two or more", counts.shared_forms},
        {"English words and phrases (english.fst keys)", english.keys},
        {"English-to-Finnish postings (english.bin)", english.postings},
    };
}

}  // namespace

MergedGlosses merge_glosses(const std::vector<DictdRecord>& finnish_english,
                            const std::vector<DictdRecord>& english_finnish,
                            const std::vector<std::vector<std::string>>& english_by_commonness,
                            const OwnPartsOfSpeech& own_pos, const SenseEvidence* evidence) {
    std::unordered_map<std::string, std::size_t> tier;
    for (std::size_t k = english_by_commonness.size(); k-- > 0;) {
        for (const auto& word : english_by_commonness[k]) tier[lower_case(word)] = k;
    }
    // A phrase is as common as its least common word.
    const auto commonness = [&tier, lists = english_by_commonness.size()](std::string_view english) {
        std::size_t least = 0;
        bool any = false;
        for (std::size_t start = 0; start <= english.size();) {
            std::size_t end = english.find_first_of(" -", start);
            if (end == std::string_view::npos) end = english.size();
            if (end > start) {
                const auto found = tier.find(std::string(english.substr(start, end - start)));
                least = std::max(least, found == tier.end() ? lists : found->second);
                any = true;
            }
            start = end + 1;
        }
        return any ? least : lists;
    };
    GlossMerger merger(commonness, own_pos, evidence);
    for (const auto& record : finnish_english) merger.add_record(record);
    for (const auto& record : english_finnish) merger.add_inverted_record(record);
    return merger.merged();
}

SenseEvidence sense_evidence(const Sources& sources, const Analyzer& analyze) {
    const auto lemmas = [&analyze](const std::string& word) {
        std::vector<std::string> out;
        for (const auto& analysis : analyze(word)) {
            auto lemma = lower_case(analysis.get("BASEFORM"));
            if (!lemma.empty() && std::ranges::find(out, lemma) == out.end()) out.push_back(std::move(lemma));
        }
        if (out.empty()) out.push_back(lower_case(word));
        return out;
    };
    return SenseEvidence(EnglishPrimacy(sources.english_finnish), CatalogueCounts(sources.catalogues, lemmas),
                         sources.english_by_frequency);
}

Paradigms walk_paradigms(const Vfst& vfst) {
    const TagLimit compounds{{"[Bc]", "[Bh]"}, 0};
    const std::vector<std::string> derivation{"[Xj]"};
    const std::vector<std::string> possessive{"[O1y]", "[O2y]", "[O1m]", "[O2m]", "[O3]"};
    const std::vector<std::string> clitic{"[Fkin]", "[Fkaan]", "[Fko]"};
    const std::vector<std::string> end_clitic{"[Ef]"};
    const auto policy = [&](int derivations, int possessives, int clitics) {
        PathPolicy p;
        p.limits = {compounds, {derivation, derivations}, {possessive, possessives}, {clitic, clitics},
                    {end_clitic, clitics}};
        p.letters = "abcdefghijklmnopqrstuvwxyzåäöšžéABCDEFGHIJKLMNOPQRSTUVWXYZÅÄÖŠŽÉ";
        p.max_input_bytes = kMaxKeyBytes;
        return p;
    };
    Paradigms out;
    walk_paths(vfst, policy(0, 0, 0), [&](std::string_view form, std::string_view) { out.plain.emplace_back(form); });
    for (const auto& p : {policy(1, 0, 0), policy(0, 1, 0), policy(0, 0, 1)}) {
        walk_paths(vfst, p, [&](std::string_view form, std::string_view) { out.all.emplace_back(form); });
    }
    return out;
}

Result<BuiltDataSet> build_data_set(Sources sources, const AnalyzerFactory& analyzers, unsigned threads,
                                    const Note& note) {
    const auto tell = [&](const std::string& what) {
        if (note) note(what);
    };
    const auto own_pos = [analyze = analyzers()](const std::string& headword) {
        std::vector<std::string> pos;
        for (const auto& analysis : analyze(headword)) {
            if (analysis.get("BASEFORM") != headword) continue;
            if (auto name = pos_from_word_class(analysis.get("CLASS"))) pos.push_back(std::move(*name));
        }
        return pos;
    };
    std::size_t catalogue_pairs = 0;
    MergedGlosses merged = [&] {
        const SenseEvidence evidence = sense_evidence(sources, analyzers());
        catalogue_pairs = evidence.catalogue_pairs();
        tell(fmt::format("evidence of use: {} of {} catalogue pairs counted", catalogue_pairs, sources.catalogues.size()));
        return merge_glosses(sources.finnish_english, sources.english_finnish, sources.english_by_commonness, own_pos,
                             &evidence);
    }();
    const std::size_t catalogue_messages = sources.catalogues.size();
    sources.catalogues.clear();
    sources.finnish_english.clear();
    sources.english_finnish.clear();
    auto transducer = Vfst::parse(sources.transducer);
    if (!transducer) return forward(transducer, "reading mor.vfst");
    auto paradigms = walk_paradigms(*transducer);
    tell(fmt::format("{} paradigm paths, {} of them plain", paradigms.all.size() + paradigms.plain.size(),
                     paradigms.plain.size()));

    const std::vector<std::string> frequent = sources.frequency;
    AssemblyInput input{.dictionary = std::move(merged.entries),
                        .listed = std::move(sources.listed_forms),
                        .frequency = std::move(sources.frequency),
                        .paradigms = std::move(paradigms.all),
                        .plain_paradigms = std::move(paradigms.plain),
                        .inverted_only = std::move(merged.inverted_only),
                        .everyday_particles = std::move(merged.everyday_particles),
                        .threads = threads};
    tell(fmt::format("{} headwords; analysing {} listed and {} generated forms", input.dictionary.size(),
                     input.listed.size(), input.paradigms.size() + input.plain_paradigms.size()));
    Assembly assembly = assemble(std::move(input), analyzers);
    tell(fmt::format("{} headwords, {} forms", assembly.entries.size(), assembly.forms.size()));

    std::unordered_map<std::string_view, std::size_t> rank;
    for (std::size_t k = 0; k < frequent.size(); ++k) rank.emplace(frequent[k], k);
    auto english = build_english_side(assembly.entries, assembly.generated, rank, sources.english_words);
    if (!english) return forward(english, "building the English side");
    tell(fmt::format("English side: {} keys, {} postings", english->keys, english->postings));

    const std::size_t meanings = count_meanings(assembly.entries);
    auto data = write_data_set(assembly, *english, sources.transducer);
    if (!data) return forward(data, "building the data set");
    auto dict = morphology::load_dictionary(data->files());
    if (!dict) return forward(dict, "loading the data set just built");
    auto counts = count_rows(assembly.counts, merged.counts, {catalogue_messages, catalogue_pairs}, *dict, meanings, *english);
    return BuiltDataSet{std::move(*data), std::move(counts)};
}

}  // namespace lomperi::data_build
