#pragma once
// The plain-text sources of a data set.
//
// glosses: one meaning per line, "headword<TAB>pos<TAB>meaning". A headword's
// groups follow the order in which its parts of speech first appear, and
// each group's meanings the order of their lines.
// forms: "form<TAB>base", one pair per line.
// In both, empty lines and lines starting with '#' are skipped.
#include <string>
#include <string_view>
#include <vector>

#include "core/morphology/data_set_builder.hpp"
#include "base/error.hpp"

namespace lomperi::tsv_data_set {

struct Sources {
    std::string glosses;  // file contents
    std::string forms;
    bool self_forms = true;  // every headword is also a form of itself
};

// Feeds the sources into a builder; the pos table is in order of first appearance.
Result<morphology::DataSetBuilder> read_sources(const Sources& sources);

// The TAB-separated fields of each content line, with 1-based line numbers.
struct TsvLine {
    std::size_t number;
    std::vector<std::string_view> fields;
};
std::vector<TsvLine> tsv_lines(std::string_view text);

}  // namespace lomperi::tsv_data_set
