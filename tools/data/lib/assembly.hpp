#pragma once
// Puts the data set together from the merged glosses, the word-form list, the
// frequency list and an analyser: which forms lead to which headwords, and the
// generated entries of frequent inflected forms.
#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "form_analysis.hpp"
#include "format/gloss.hpp"

namespace lomperi::data_build {

inline constexpr std::size_t kMaxFormEntries = 50'000;
inline constexpr std::size_t kMaxKeyBytes = 90;

using Entries = std::map<std::string, std::vector<format::PosGroup>>;
using Analyzer = std::function<std::vector<Analysis>(const std::string& form)>;

struct AssemblyCounts {
    std::size_t dictionary_headwords = 0;
    std::size_t dictionary_meanings = 0;
    std::size_t listed_forms = 0;        // after dropping all-capitals duplicates
    std::size_t analysed_forms = 0;      // forms with at least one analysis
    std::size_t mapped_forms = 0;        // forms leading to at least one headword
    std::size_t shared_forms = 0;        // forms leading to two or more headwords
    std::size_t form_entries = 0;        // generated entries of frequent forms
};

struct Assembly {
    Entries entries;                                  // dictionary and generated entries
    std::vector<std::pair<std::string, std::string>> forms;  // (form, headword), each headword with itself too
    AssemblyCounts counts;
};

// `forms` and `frequency` may overlap; `frequency` is most frequent first.
Assembly assemble(Entries dictionary, const std::vector<std::string>& forms,
                  const std::vector<std::string>& frequency, const Analyzer& analyze,
                  std::size_t max_form_entries = kMaxFormEntries);

// The generated entry of one form: one meaning per distinct description, in
// groups named by the part of speech of the base's entry.
std::vector<format::PosGroup> form_entry(std::string_view form, const std::vector<Analysis>& analyses,
                                         const Entries& dictionary);

// The headwords one analysis leads to.
std::vector<std::string> analysis_bases(const Analysis& analysis, const Entries& dictionary);

}  // namespace lomperi::data_build
