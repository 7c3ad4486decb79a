#include "core/expand/make_phrase.hpp"

#include "base/letter_case.hpp"
#include "base/outer_marks.hpp"

namespace lomperi::expand {

std::string make_phrase(std::span<const std::string_view> words) {
    std::string joined;
    for (std::size_t k = 0; k < words.size(); ++k) {
        std::string_view word = words[k];
        if (k == 0) word.remove_prefix(leading_marks(word));
        if (k + 1 == words.size()) word.remove_suffix(trailing_marks(word));
        if (k > 0) joined += ' ';
        joined += word;
    }
    // Lower-casing the joined text equals lower-casing word by word: a space
    // ends the final-sigma context just as the end of a word does.
    return lower_case(joined);
}

}  // namespace lomperi::expand
