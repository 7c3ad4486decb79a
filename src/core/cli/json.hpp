#pragma once
// JSON Lines for other programs: one object per word.
#include <string>
#include <string_view>
#include <vector>

#include "core/cli/gloss.hpp"

namespace lomperi::cli {

// {"word":…,"headword":…,"meaning":…,"readings":[…]}: the headword and
// meaning null when the word reaches no entry; the readings best first, each
// with the attributes that apply; "read_as" when they are of another
// spelling ("Talo" read as "talo", "paiva" as "päivä"); "damaged": true
// when the look-up met damaged data, so that null tells "not read" from
// "not found".
std::string word_json(std::string_view word, const Glossed& glossed);

}  // namespace lomperi::cli
