// lomperi-data-build WORK_DIR OUT_DIR
//   Reads the extracted sources from WORK_DIR (see tools/data/rebuild), writes
//   the four data files into OUT_DIR and prints the counts as Markdown rows.
// lomperi-data-build --analyse WORD...
//   Prints the analyses of each word in the text form the tests use.
#include <fmt/format.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "assembly.hpp"
#include "core/morphology/data_set_builder.hpp"
#include "core/morphology/dictionary.hpp"
#include "dictd.hpp"
#include "gloss_merge.hpp"
#include "pos_names.hpp"
#include "text.hpp"
#include "base/file.hpp"
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
    auto digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

void print_counts(const AssemblyCounts& counts, const morphology::Dictionary& dict, std::size_t meanings) {
    fmt::print("| headwords (glosses.fst keys) | {} |\n", thousands(dict.glosses.len()));
    fmt::print("| meanings | {} |\n", thousands(meanings));
    fmt::print("| word forms (inflections.fst keys) | {} |\n", thousands(dict.inflections.len()));
    fmt::print("| multi entries (inflections-multi.bin) | {} |\n", thousands(dict.multi.size()));
    fmt::print("| dictionary headwords (before form entries) | {} |\n", thousands(counts.dictionary_headwords));
    fmt::print("| dictionary meanings (before form entries) | {} |\n", thousands(counts.dictionary_meanings));
    fmt::print("| generated entries of frequent forms | {} |\n", thousands(counts.form_entries));
    fmt::print("| listed word forms | {} |\n", thousands(counts.listed_forms));
    fmt::print("| forms the analyser knows | {} |\n", thousands(counts.analysed_forms));
    fmt::print("| forms leading to a headword | {} |\n", thousands(counts.mapped_forms));
    fmt::print("| forms leading to two or more headwords | {} |\n", thousands(counts.shared_forms));
}

Result<void> build(const fs::path& work, const fs::path& out) {
    auto entries = merged_glosses(work);
    if (!entries) return forward(entries);
    auto forms = read_lines(work / "forms.txt");
    if (!forms) return forward(forms);
    auto frequency = read_lines(work / "frequency.txt");
    if (!frequency) return forward(frequency);
    auto analyzer = VoikkoAnalyzer::open();
    if (!analyzer) return forward(analyzer);
    note(fmt::format("{} headwords; analysing {} forms", entries->size(), forms->size()));

    auto assembly = assemble(std::move(*entries), *forms, *frequency,
                             [&](const std::string& form) { return analyzer->analyze(form); });
    note(fmt::format("{} headwords, {} (form, headword) pairs", assembly.entries.size(), assembly.forms.size()));

    morphology::DataSetBuilder builder;
    builder.set_pos_names(used_pos_names(assembly.entries));
    std::size_t meanings = 0;
    for (auto& [headword, groups] : assembly.entries) {
        for (const auto& group : groups) meanings += group.meanings.size();
        builder.add_headword(headword, std::move(groups));
    }
    for (auto& [form, base] : assembly.forms) builder.add_form(std::move(form), std::move(base));
    auto data = builder.build();
    if (!data) return forward(data, "building the data set");
    note("data set built");
    auto dict = morphology::load_dictionary(data->files());
    if (!dict) return forward(dict, "loading the data set just built");
    if (auto written = data->write_to(out); !written) return written;
    print_counts(assembly.counts, *dict, meanings);
    note(fmt::format("written to {}", out.string()));
    return {};
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
        fmt::print(stderr, "usage: {} WORK_DIR OUT_DIR | --analyse WORD...\n", argv[0]);
        return 2;
    }
    if (auto built = build(argv[1], argv[2]); !built) {
        fmt::print(stderr, "Error: {}\n", built.error().report());
        return 1;
    }
    return 0;
}
