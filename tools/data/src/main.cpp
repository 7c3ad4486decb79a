// lomperi-data-build WORK_DIR OUT_DIR
//   Reads the extracted sources from WORK_DIR (see tools/data/rebuild), writes
//   the data set into OUT_DIR and prints the counts as Markdown rows.
// lomperi-data-build --files
//   Prints the names of the data set's files, one per line.
// lomperi-data-build --analyse WORD...
//   Prints the analyses of each word in the text form the tests use.
#include <fmt/format.h>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "base/file.hpp"
#include "core/morphology/data_files.hpp"
#include "pipeline.hpp"
#include "text.hpp"
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

std::string thousands(std::size_t value) {
    const std::string digits = std::to_string(value);
    std::string out;
    for (std::size_t k = 0; k < digits.size(); ++k) {
        if (k > 0 && (digits.size() - k) % 3 == 0) out += ',';
        out += digits[k];
    }
    return out;
}

// Every .mo file under `directory`, in path order.
Result<std::vector<CataloguePair>> read_catalogues(const fs::path& directory) {
    std::vector<fs::path> paths;
    std::error_code error;
    for (fs::recursive_directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file() && it->path().extension() == ".mo") paths.push_back(it->path());
    }
    if (error) return fail(fmt::format("listing {}: {}", directory.string(), error.message()));
    std::ranges::sort(paths);
    std::vector<CataloguePair> pairs;
    for (const auto& path : paths) {
        auto bytes = read_file(path);
        if (!bytes) return forward(bytes);
        auto read = read_mo(as_bytes(*bytes));
        if (!read) return forward(read, fmt::format("reading {}", path.string()));
        std::ranges::move(*read, std::back_inserter(pairs));
    }
    note(fmt::format("{} catalogues, {} translated messages", paths.size(), pairs.size()));
    return pairs;
}

// The sources as tools/data/rebuild extracts them. `transducer` holds the
// bytes that the sources' view refers to.
Result<Sources> read_sources(const fs::path& work, std::string& transducer) {
    Sources sources;
    auto finnish_english = read_database(work, "fin-eng");
    if (!finnish_english) return forward(finnish_english);
    auto english_finnish = read_database(work, "eng-fin");
    if (!english_finnish) return forward(english_finnish);
    note(fmt::format("{} fin-eng and {} eng-fin records", finnish_english->size(), english_finnish->size()));
    auto forms = read_lines(work / "forms.txt");
    if (!forms) return forward(forms);
    auto frequency = read_lines(work / "frequency.txt");
    if (!frequency) return forward(frequency);
    auto bytes = read_file(work / "mor.vfst");
    if (!bytes) return forward(bytes);
    auto word_list = read_lines(work / "american-english");
    if (!word_list) return forward(word_list);
    // SCOWL's lists by size: a word in a smaller one is more common.
    std::vector<std::vector<std::string>> by_commonness;
    for (const char* size : {"-small", "", "-large", "-huge", "-insane"}) {
        auto list = read_lines(work / (std::string("american-english") + size));
        if (!list) return forward(list);
        by_commonness.push_back(std::move(*list));
    }
    auto english_frequency = read_lines(work / "english-frequency.txt");
    if (!english_frequency) return forward(english_frequency);
    auto catalogues = read_catalogues(work / "catalogues");
    if (!catalogues) return forward(catalogues);
    transducer = std::move(*bytes);
    return Sources{std::move(*finnish_english), std::move(*english_finnish), std::move(*forms),
                   std::move(*frequency),       as_bytes(transducer),        std::move(*word_list),
                   std::move(by_commonness),    std::move(*english_frequency), std::move(*catalogues)};
}

// The 1,000 most frequent forms for the data-quality test, each marked
// "foreign" when it is no Finnish word: neither the analyser nor the word
// list knows it (the subtitle list holds English names such as "john").
Result<void> write_top_forms(const fs::path& path, const Sources& sources, const VoikkoAnalyzer& analyzer) {
    const std::set<std::string_view> known(sources.listed_forms.begin(), sources.listed_forms.end());
    std::string text;
    for (std::size_t k = 0; k < sources.frequency.size() && k < 1000; ++k) {
        const std::string& form = sources.frequency[k];
        const bool finnish = known.contains(form) || !analyzer.analyze(form).empty();
        text += form + (finnish ? "\n" : "\tforeign\n");
    }
    return write_file(path, as_bytes(text));
}

Result<void> build(const fs::path& work, const fs::path& out) {
    std::string transducer;
    auto sources = read_sources(work, transducer);
    if (!sources) return forward(sources);
    auto analyzer = VoikkoAnalyzer::open();
    if (!analyzer) return forward(analyzer);
    if (auto top = write_top_forms(work / "top-forms.txt", *sources, *analyzer); !top) return top;
    const AnalyzerFactory analyzers = [] {
        auto own = std::make_shared<VoikkoAnalyzer>(std::move(*VoikkoAnalyzer::open()));
        return [own](const std::string& form) { return own->analyze(form); };
    };
    auto built = build_data_set(std::move(*sources), analyzers, std::max(1u, std::thread::hardware_concurrency()), note);
    if (!built) return forward(built);
    if (auto written = built->data.write_to(out); !written) return written;
    for (const auto& [name, value] : built->counts) fmt::print("| {} | {} |\n", name, thousands(value));
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
    if (argc == 2 && std::string_view(argv[1]) == "--files") {
        for (const auto& info : morphology::kDataFileTable) fmt::print("{}\n", info.name);
        return 0;
    }
    if (argc != 3) {
        fmt::print(stderr, "usage: {} WORK_DIR OUT_DIR | --files | --analyse WORD...\n", argv[0]);
        return 2;
    }
    if (auto built = build(argv[1], argv[2]); !built) {
        fmt::print(stderr, "Error: {}\n", built.error().report());
        return 1;
    }
    return 0;
}
