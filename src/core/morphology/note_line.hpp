#pragma once
// A line above an entry that says how the query was found or which form it
// is, with the words in it that can be clicked.
#include <cstddef>
#include <string>
#include <vector>

namespace lomperi::morphology {

// A clickable byte range [start, end) of a text, and the headword it shows.
struct LinkSpan {
    std::string target;
    std::size_t start = 0;
    std::size_t end = 0;
    friend bool operator==(const LinkSpan&, const LinkSpan&) = default;
};

struct NoteLine {
    std::string text;
    std::vector<LinkSpan> links;
    friend bool operator==(const NoteLine&, const NoteLine&) = default;
};

}  // namespace lomperi::morphology
