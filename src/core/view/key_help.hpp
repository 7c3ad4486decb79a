#pragma once
// The keys of the full-screen program as --help lists them.
#include <string>
#include <vector>

namespace lomperi::view {

// A heading per screen and a line per row of its key table: the keys, then
// what they do, in columns; no line wider than 78 cells.
std::vector<std::string> key_help();

}  // namespace lomperi::view
