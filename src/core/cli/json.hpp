#pragma once
// JSON Lines for other programs: one object per word.
#include <string>
#include <string_view>
#include <vector>

#include "core/morphology/reading.hpp"

namespace lomperi::cli {

// {"word":…,"headword":…,"meaning":…,"readings":[…]}: the headword and
// meaning null when the word reaches no entry; the readings best first, each
// with the attributes that apply.
std::string word_json(std::string_view word, const std::string* headword, const std::string* meaning,
                      const std::vector<morphology::Reading>& readings);

}  // namespace lomperi::cli
