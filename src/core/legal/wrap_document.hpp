#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lomperi::legal {

// Wraps a document body to `width` code points per line. Each source line
// keeps its leading whitespace on every piece while that leaves room for a
// character; words longer than the room are cut. A width of 0 counts as 1.
std::vector<std::string> wrap_document(std::string_view body, std::uint16_t width);

}  // namespace lomperi::legal
