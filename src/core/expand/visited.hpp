#pragma once
#include <functional>
#include <set>
#include <string>

namespace lomperi::expand {

// Phrases and headwords already expanded in one entry (or, for the links,
// just the entry's own headword). Looked up by string_view without copying.
using Visited = std::set<std::string, std::less<>>;

}  // namespace lomperi::expand
