#pragma once
// The text to read: a file, or standard input for "-", whole and bounded.
#include <string>

#include "base/error.hpp"

namespace lomperi::reading {

// Fails with "cannot read NAME: reason", or "NAME is too long to read (more
// than 64 MB)".
Result<std::string> read_text(const std::string& name);

// How the title names it: the file's name without its directory, "standard
// input" for "-".
std::string text_title(const std::string& name);

}  // namespace lomperi::reading
