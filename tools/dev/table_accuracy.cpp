// The inflection tables of words, one a line on standard input, as lines of
// tab-separated fields for tools/dev/table-accuracy, which builds and runs it:
//
//   T  word  microseconds  tables            once a word: the thread's CPU time
//   C  lemma  class  section  row  column  forms  labels   once a cell
//   E  lemma  example line
//
// The forms of a cell are joined by ", "; labels are key=value;… in the
// --json vocabulary. The argument, if any, is a file of "form<TAB>count"
// lines: how often each form is used, which orders a cell's variants.
#include <time.h>

#include <fstream>
#include <iostream>
#include <string>
#include <unordered_map>

#include "core/analysis/labels.hpp"
#include "core/morphology/dictionary.hpp"
#include "core/paradigm/inflection_table.hpp"
#include "embedded/embedded_data.hpp"

namespace {

using namespace lomperi;

double thread_cpu_us() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

std::string labels(const analysis::Form& f) {
    using analysis::label;
    std::string out;
    const auto add = [&](std::string_view name, std::string_view value) {
        if (value.empty()) return;
        out += (out.empty() ? "" : ";") + std::string(name) + "=" + std::string(value);
    };
    add("case", label(f.grammatical_case).json);
    add("number", label(f.number).json);
    add("mood", label(f.mood).json);
    add("tense", label(f.tense).json);
    add("person", label(f.person, f.number).json);
    add("infinitive", label(f.infinitive).json);
    add("participle", label(f.participle).json);
    add("comparison", label(f.comparison).json);
    if (f.negative == analysis::Negative::Yes) add("negative", "true");
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    auto dictionary = morphology::load_dictionary(embedded::data_files());
    if (!dictionary) {
        std::cerr << dictionary.error().report() << '\n';
        return 1;
    }
    std::unordered_map<std::string, std::uint64_t> counts;
    if (argc > 1) {
        std::ifstream in(argv[1]);
        std::string form;
        std::uint64_t count = 0;
        while (in >> form >> count) counts[form] = count;
    }
    const paradigm::FormUse use = [&](std::string_view form) {
        const auto found = counts.find(std::string(form));
        return found == counts.end() ? std::uint64_t{0} : found->second;
    };
    for (std::string word; std::getline(std::cin, word);) {
        const double start = thread_cpu_us();
        const auto tables = paradigm::inflection_tables(dictionary->analyser, word, use);
        const double took = thread_cpu_us() - start;
        std::cout << "T\t" << word << '\t' << took << '\t' << tables.size() << '\n';
        for (const auto& table : tables) {
            for (const auto& section : table.sections) {
                for (const auto& row : section.rows) {
                    for (std::size_t k = 0; k < row.cells.size() && k < section.columns.size(); ++k) {
                        std::string forms;
                        for (const auto& form : row.cells[k].forms) forms += (forms.empty() ? "" : ", ") + form;
                        std::cout << "C\t" << table.lemma << '\t' << table.class_label << '\t' << section.title << '\t'
                                  << row.label << '\t' << section.columns[k] << '\t' << forms << '\t'
                                  << labels(row.cells[k].form) << '\n';
                    }
                }
            }
            for (const auto& example : table.examples) std::cout << "E\t" << table.lemma << '\t' << example << '\n';
        }
    }
}
