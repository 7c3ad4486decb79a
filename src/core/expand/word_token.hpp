#pragma once
// Meaning texts cut into words at White_Space.
#include <cstddef>
#include <string_view>
#include <vector>

namespace lomperi::expand {

struct WordToken {
    std::size_t start = 0;  // byte offsets into the text, end exclusive
    std::size_t end = 0;
    std::string_view text;
    friend bool operator==(const WordToken&, const WordToken&) = default;
};

// The maximal runs of characters that are not White_Space, in order.
std::vector<WordToken> tokenize_meaning(std::string_view text);

}  // namespace lomperi::expand
