#pragma once
#include <string>
#include <vector>

#include "term/style.hpp"

namespace lomperi::term {

// A run of text in one style.
struct Span {
    std::string text;
    Style style;
    friend bool operator==(const Span&, const Span&) = default;
};

// One display line: spans side by side.
struct Line {
    std::vector<Span> spans;
    friend bool operator==(const Line&, const Line&) = default;
};

}  // namespace lomperi::term
