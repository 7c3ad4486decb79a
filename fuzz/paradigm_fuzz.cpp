// Inflection tables. Even bytes first: the rest is a word whose tables are
// generated from the real transducer (voikko-fi's, from the data
// directory). Odd: the rest is the transitions of a small transducer with
// flag diacritics, whose words' forms are generated. Whatever the bytes,
// every read stays within the transducer, the walk keeps to its bounds, and
// every cell holds forms as UTF-8.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "base/bytes.hpp"
#include "base/utf8.hpp"
#include "core/analysis/analyser.hpp"
#include "core/analysis/generator.hpp"
#include "core/paradigm/inflection_table.hpp"
#include "transducers.hpp"

namespace {

using namespace lomperi;

void check_text(std::string_view text) {
    if (!check_utf8(as_bytes(text))) std::abort();
}

void check_tables(const analysis::Analyser& analyser, std::string_view word) {
    const auto tables = paradigm::inflection_tables(analyser, word, [](std::string_view form) { return form.size(); });
    if (tables.size() > analysis::kMaxRawAnalyses) std::abort();
    for (const auto& table : tables) {
        check_text(table.lemma);
        for (const auto& section : table.sections) {
            for (const auto& row : section.rows) {
                if (row.cells.size() != section.columns.size()) std::abort();
                for (const auto& cell : row.cells) {
                    for (const auto& form : cell.forms) check_text(form);
                }
            }
        }
    }
}

// The symbols of voikko-fi's kinds, with the tags of a verb's forms and a
// derivation, for the fuzzer's cells to use.
std::vector<std::uint8_t> small_transducer(const std::uint8_t* cells, std::size_t size) {
    return fuzzing::small_transducer({"", "@P.CASE.A@", "@R.CASE.A@", "@U.CASE.B@", "@D.CASE@", "@C.CASE@", "a", "b", "ä",
                                      "-", "[Ln]", "[Xp]", "[X]", "[Sine]", "[Bc]", "[Ny]", "[Sn]", "[Lt]", "[Tt]", "[P1]",
                                      "[Eb]", "[Xj]", "[Rv]", "[O1y]"},
                                     cells, size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] % 2 == 0) {
        if (const auto& analyser = fuzzing::real_analyser()) check_tables(*analyser, rest);
        return 0;
    }
    const auto bytes = small_transducer(data + 1, size - 1);
    const auto analyser = analysis::Analyser::open(bytes);
    if (!analyser) return 0;
    const analysis::GenerationRules rules;
    for (const char* lemma : {"a", "ab", "ä", "b-a"}) {
        const auto generated = analysis::generate_forms(*analyser, lemma, rules);
        if (generated.forms.size() > rules.max_forms) std::abort();
        for (const auto& form : generated.forms) check_text(form.form);
    }
    for (const char* word : {"a", "ab", "aab", "ä-b"}) check_tables(*analyser, word);
    return 0;
}
