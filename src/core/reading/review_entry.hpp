#pragma once
// A word saved for review: one line of words.tsv, which flashcard programs
// and spreadsheets import as it is.
#include <string>
#include <string_view>

#include "core/morphology/dictionary.hpp"

namespace lomperi::reading {

struct ReviewEntry {
    std::string word;      // as written
    std::string lemma;     // of the best reading, else the headword shown
    std::string labels;    // the form: "inessive plural"; "" for none
    std::string meaning;   // the first meaning of the entry the word shows
    std::string sentence;  // where it stood
};

ReviewEntry review_entry(const morphology::Dictionary& dictionary, std::string_view word, std::string sentence);

// The fields tab-separated, each on one line without tabs, ending in a line
// feed; a field with a quote (") is quoted, its quotes doubled.
std::string review_line(const ReviewEntry& entry);

// Whether a line of words.tsv, written by this version or by an earlier one
// that did not quote fields, is of the same word in the same sentence as
// `line`, written by review_line.
bool same_review(std::string_view stored, std::string_view line);

}  // namespace lomperi::reading
