#include "core/answer/inflection_tables.hpp"

#include <algorithm>

namespace lomperi::answer {

std::vector<paradigm::InflectionTable> inflection_tables(const morphology::Dictionary& dictionary, std::string_view word) {
    // The data set keeps no count per form, only which forms are used at
    // all: a frequent form has an entry of its own, and the word lists hold
    // the forms met in text.
    const paradigm::FormUse use = [&](std::string_view form) -> std::uint64_t {
        if (dictionary.glosses.get(form)) return 2;
        return dictionary.inflections.get(form) ? 1 : 0;
    };
    auto tables = paradigm::inflection_tables(dictionary.analyser, word, use);
    // The word's own tables before those of the words it is a form of:
    // kuusi the spruce and the numeral before kuu "moon" with -si "your".
    std::ranges::stable_partition(tables, [&](const paradigm::InflectionTable& table) { return table.lemma == word; });
    return tables;
}

}  // namespace lomperi::answer
