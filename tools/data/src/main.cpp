// lomperi-data-build WORK_DIR OUT_DIR
//   Reads the extracted sources from WORK_DIR (see tools/data/rebuild), writes
//   the four data files into OUT_DIR and prints the counts as Markdown rows.
// lomperi-data-build --analyse WORD...
//   Prints the analyses of each word in the text form the tests use.
#include <fmt/format.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <memory>
#include <set>
#include <span>
#include <thread>
#include <unordered_map>
#include <vector>

#include "assembly.hpp"
#include "english_side.hpp"
#include "core/morphology/inflection_writer.hpp"
#include "core/morphology/data_set_builder.hpp"
#include "core/morphology/dictionary.hpp"
#include "format/gloss_writer.hpp"
#include "format/headword_table.hpp"
#include "format/multi_writer.hpp"
#include "dictd.hpp"
#include "gloss_merge.hpp"
#include "pos_names.hpp"
#include "text.hpp"
#include "base/file.hpp"
#include "vfst.hpp"
#include "voikko_analyzer.hpp"

namespace fs = std::filesystem;
using namespace lomperi;
using namespace lomperi::data_build;

namespace {

Result<std::vector<std::string>> read_lines(const fs::path& path) {
    auto text = read_file(path);
    if (!text) return forward(text);
    std::vector<std::string> lines;
    for (const auto line : split_lines(*text)) {
        if (!trim(line).empty()) lines.emplace_back(trim(line));
    }
    return lines;
}

Result<std::vector<DictdRecord>> read_database(const fs::path& work, const std::string& name) {
    auto index = read_file(work / (name + ".index"));
    if (!index) return forward(index);
    auto dict = read_file(work / (name + ".dict"));
    if (!dict) return forward(dict);
    auto records = read_dictd(*index, *dict);
    if (!records) return forward(records, fmt::format("reading {}", name));
    return records;
}

void note(const std::string& what) {
    static const auto start = std::chrono::steady_clock::now();
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    fmt::print(stderr, "[{:6.1f} s] {}\n", seconds, what);
}

Result<Entries> merged_glosses(const fs::path& work) {
    auto finnish_english = read_database(work, "fin-eng");
    if (!finnish_english) return forward(finnish_english);
    auto inverted = read_database(work, "eng-fin");
    if (!inverted) return forward(inverted);
    note(fmt::format("{} fin-eng and {} eng-fin records", finnish_english->size(), inverted->size()));
    GlossMerger merger;
    for (const auto& record : *finnish_english) merger.add_record(record);
    for (const auto& record : *inverted) merger.add_inverted_record(record);
    return merger.entries();
}

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

std::string thousands(std::size_t value) {
    const std::string digits = std::to_string(value);
    std::string out;
    for (std::size_t k = 0; k < digits.size(); ++k) {
        if (k > 0 && (digits.size() - k) % 3 == 0) out += ',';
        out += digits[k];
    }
    return out;
}

void print_counts(const AssemblyCounts& counts, const morphology::Dictionary& dict, std::size_t meanings,
                  const EnglishSide& english) {
    const std::pair<const char*, std::size_t> rows[] = {
        {"headwords (glosses.fst keys)", dict.glosses.len()},
        {"meanings", meanings},
        {"word forms (inflections.fst keys)", dict.inflections.len()},
        {"multi entries (inflections-multi.bin)", dict.multi.size()},
        {"dictionary headwords (before generated entries)", counts.dictionary_headwords},
        {"dictionary meanings (before generated entries)", counts.dictionary_meanings},
        {"compound entries", counts.compound_entries},
        {"forms of compounds from their last part", counts.compound_forms},
        {"name entries", counts.name_entries},
        {"generated entries of frequent forms", counts.form_entries},
        {"headwords with a generated meaning added", counts.augmented_entries},
        {"listed word forms", counts.listed_forms},
        {"paradigm forms generated", counts.paradigm_forms},
        {"forms the analyser knows", counts.analysed_forms},
        {"forms leading to a dictionary headword", counts.mapped_forms},
        {"forms leading to two or more", counts.shared_forms},
        {"English words and phrases (english.fst keys)", english.keys},
        {"English-to-Finnish postings (english.bin)", english.postings},
    };
    for (const auto& [name, value] : rows) fmt::print("| {} | {} |\n", name, thousands(value));
}

// The forms of the analyser's own paradigms: every inflected form of every
// word it knows, without compound boundaries or digits; one derivation
// (participles, agent nouns, -ton ...) or one possessive suffix or one
// clitic (-kin, -kaan, -ko, with or without -han, -pa), never two of them.
struct Paradigms {
    std::vector<std::string> all;
    std::vector<std::string> plain;  // case, number and comparison only
};

Paradigms paradigms(const Vfst& vfst) {
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

// Both ways on a sample: the compound forms made from a last part's
// paradigm are what the analyser takes for the compound, and the listed
// forms of simple words are in the paradigms.
struct ListedSample {
    std::vector<std::string> forms;  // every 211th listed form
    std::set<std::string> generated;  // those the paradigms hold
};

ListedSample listed_sample(const std::vector<std::string>& listed, const std::vector<std::string>& paradigms) {
    ListedSample sample;
    for (std::size_t k = 0; k < listed.size(); k += 211) sample.forms.push_back(listed[k]);
    const std::set<std::string_view> wanted(sample.forms.begin(), sample.forms.end());
    for (const auto& form : paradigms) {
        if (wanted.contains(form)) sample.generated.insert(form);
    }
    return sample;
}

void check_sample(const Assembly& assembly, const ListedSample& listed, const VoikkoAnalyzer& analyzer) {
    std::size_t compound_sampled = 0, compound_agreed = 0;
    const auto pairs = assembly.pairs();
    for (std::size_t k = 0; k < pairs.size(); k += 997) {
        const auto& [form, headword] = pairs[k];
        const auto entry = assembly.entries.find(headword);
        if (entry == assembly.entries.end() || entry->second.empty() || entry->second.front().meanings.empty()) continue;
        if (!entry->second.front().meanings.front().starts_with("compound of ") || form == headword) continue;
        ++compound_sampled;
        for (const auto& analysis : analyzer.analyze(form)) {
            if (analysis.get("BASEFORM") == headword) {
                ++compound_agreed;
                break;
            }
        }
    }
    std::size_t listed_sampled = 0, listed_generated = 0;
    for (const auto& form : listed.forms) {
        const auto analyses = analyzer.analyze(form);
        if (analyses.empty() || analyses.front().get("WORDBASES").find(")+") != std::string_view::npos) continue;
        ++listed_sampled;
        if (listed.generated.contains(form)) ++listed_generated;
    }
    note(fmt::format("sample: {} of {} compound forms analyse to their compound; {} of {} listed simple forms are in the paradigms",
                     compound_agreed, compound_sampled, listed_generated, listed_sampled));
}

// The 1,000 most frequent forms for the data-quality test, each marked
// "foreign" when it is no Finnish word: neither the analyser nor the word
// list knows it (the subtitle list holds English names such as "john").
Result<void> write_top_forms(const fs::path& path, const std::vector<std::string>& frequency,
                             const std::vector<std::string>& listed, const VoikkoAnalyzer& analyzer) {
    const std::set<std::string_view> known(listed.begin(), listed.end());
    std::string text;
    for (std::size_t k = 0; k < frequency.size() && k < 1000; ++k) {
        const bool finnish = known.contains(frequency[k]) || !analyzer.analyze(frequency[k]).empty();
        text += frequency[k] + (finnish ? "\n" : "\tforeign\n");
    }
    return write_file(path, as_bytes(text));
}

Result<void> build(const fs::path& work, const fs::path& out) {
    auto entries = merged_glosses(work);
    if (!entries) return forward(entries);
    auto forms = read_lines(work / "forms.txt");
    if (!forms) return forward(forms);
    auto frequency = read_lines(work / "frequency.txt");
    if (!frequency) return forward(frequency);
    auto transducer_bytes = read_file(work / "mor.vfst");
    if (!transducer_bytes) return forward(transducer_bytes);
    auto transducer = Vfst::parse(as_bytes(*transducer_bytes));
    if (!transducer) return forward(transducer, "reading mor.vfst");
    auto analyzer = VoikkoAnalyzer::open();
    if (!analyzer) return forward(analyzer);
    if (auto top = write_top_forms(work / "top-forms.txt", *frequency, *forms, *analyzer); !top) return top;
    auto generated = paradigms(*transducer);
    note(fmt::format("{} paradigm paths, {} of them plain", generated.all.size() + generated.plain.size(), generated.plain.size()));

    auto word_list = read_lines(work / "american-english");
    if (!word_list) return forward(word_list);
    const std::vector<std::string> frequent = *frequency;
    AssemblyInput input{std::move(*entries), std::move(*forms), std::move(*frequency), std::move(generated.all),
                        std::move(generated.plain)};
    input.threads = std::max(1u, std::thread::hardware_concurrency());
    const ListedSample sample = listed_sample(input.listed, input.paradigms);
    note(fmt::format("{} headwords; analysing {} listed and {} generated forms", input.dictionary.size(), input.listed.size(),
                     input.paradigms.size() + input.plain_paradigms.size()));
    auto assembly = assemble(std::move(input), [] {
        auto own = std::make_shared<VoikkoAnalyzer>(std::move(*VoikkoAnalyzer::open()));
        return [own](const std::string& form) { return own->analyze(form); };
    });
    note(fmt::format("{} headwords, {} forms", assembly.entries.size(), assembly.forms.size()));
    check_sample(assembly, sample, *analyzer);

    // Before the entries are moved into the data set.
    std::unordered_map<std::string_view, std::size_t> rank;
    for (std::size_t k = 0; k < frequent.size(); ++k) rank.emplace(frequent[k], k);
    auto english = build_english_side(assembly.entries, assembly.generated, rank, *word_list);
    if (!english) return forward(english, "building the English side");
    morphology::DataSetBuilder builder;
    builder.set_pos_names(used_pos_names(assembly.entries));
    std::size_t meanings = 0;
    for (auto& [headword, groups] : assembly.entries) {
        for (const auto& group : groups) meanings += group.meanings.size();
        builder.add_headword(headword, std::move(groups));
    }
    auto data = builder.build();
    if (!data) return forward(data, "building the data set");
    morphology::InflectionWriter writer;
    for (std::size_t k = 0; k < assembly.forms.size(); ++k) {
        const std::span<const std::uint32_t> ids(assembly.ids.data() + assembly.offsets[k], assembly.offsets[k + 1] - assembly.offsets[k]);
        if (auto added = writer.add(assembly.forms[k], ids); !added) return forward(added, "building the data set");
    }
    auto inflections = std::move(writer).finish();
    if (!inflections) return forward(inflections, "building the data set");
    data->inflections_fst = std::move(inflections->inflections_fst);
    data->inflections_multi_bin = std::move(inflections->inflections_multi_bin);
    note("data set built");
    auto dict = morphology::load_dictionary(data->files());
    if (!dict) return forward(dict, "loading the data set just built");
    data->english_fst = std::move(english->files.english_fst);
    data->english_bin = std::move(english->files.english_bin);
    note(fmt::format("English side: {} keys, {} postings", english->keys, english->postings));
    if (auto written = data->write_to(out); !written) return written;
    print_counts(assembly.counts, *dict, meanings, *english);
    note(fmt::format("written to {}", out.string()));
    return {};
}

// A data set written before glosses.bin came in frames and headwords.bin and
// inflections-multi-offsets.bin existed gets all three, byte for byte as a rebuild would write them: the frames
// end at the record starts that glosses.fst holds.
Result<void> upgrade(const fs::path& dir) {
    std::vector<std::vector<std::uint8_t>> bytes;
    for (const char* name : {"glosses.fst", "glosses.bin", "inflections.fst", "inflections-multi.bin"}) {
        auto text = read_file(dir / name);
        if (!text) return forward(text);
        bytes.emplace_back(text->begin(), text->end());
    }
    const morphology::DataFiles files{bytes[0], bytes[1], bytes[2], bytes[3], {}, {}, {}, {}};
    const auto dict = morphology::load_dictionary(files);
    if (!dict) return forward(dict, "loading the data set");
    const auto body = dict->gloss_store.plain_body();
    if (!body) return fail("glosses.bin does not decompress");
    std::vector<std::uint64_t> record_starts;
    auto stream = dict->glosses.stream();
    while (auto entry = stream.next()) record_starts.push_back(entry->value);
    std::ranges::sort(record_starts);
    auto glosses_bin = format::write_framed_glosses_bin(dict->gloss_store.pos_names(), *body, record_starts,
                                                        format::kGlossFrameSize, morphology::kDefaultZstdLevel);
    if (!glosses_bin) return forward(glosses_bin, "writing glosses.bin");
    format::HeadwordTableWriter table;
    for (const std::string_view headword : dict->headwords) {
        if (auto added = table.add(headword); !added) return added;
    }
    if (auto written = write_file(dir / "glosses.bin", *glosses_bin); !written) return written;
    if (auto written = write_file(dir / "headwords.bin", std::move(table).finish()); !written) return written;
    return write_file(dir / "inflections-multi-offsets.bin", format::write_multi_offsets(dict->multi));
}

int analyse(int argc, char** argv) {
    auto analyzer = VoikkoAnalyzer::open();
    if (!analyzer) {
        fmt::print(stderr, "Error: {}\n", analyzer.error().report());
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        for (const auto& analysis : analyzer->analyze(argv[i])) {
            fmt::print("{}\t{}\n", argv[i], format_analysis(analysis));
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string_view(argv[1]) == "--analyse") return analyse(argc, argv);
    if (argc != 3) {
        fmt::print(stderr, "usage: {} WORK_DIR OUT_DIR | --upgrade DATA_DIR | --analyse WORD...\n", argv[0]);
        return 2;
    }
    const bool upgrading = std::string_view(argv[1]) == "--upgrade";
    if (auto built = upgrading ? upgrade(argv[2]) : build(argv[1], argv[2]); !built) {
        fmt::print(stderr, "Error: {}\n", built.error().report());
        return 1;
    }
    return 0;
}
