#pragma once
// JSON Lines for other programs: one object per word.
#include <string>
#include <string_view>
#include <vector>

#include "core/cli/gloss.hpp"
#include "core/paradigm/inflection_table.hpp"

namespace lomperi::cli {

// {"word":…,"headword":…,"meaning":…,"readings":[…]}: the headword and
// meaning null when the word reaches no entry; the readings best first, each
// with the attributes that apply; "read_as" when they are of another
// spelling ("Talo" read as "talo", "paiva" as "päivä"); "damaged": true
// when the look-up met damaged data, so that null tells "not read" from
// "not found".
std::string word_json(std::string_view word, const Glossed& glossed);

// {"word":…,"lemma":…,"class":…,"cells":[{"form":"omenoiden, omenien",
// "case":"genitive","number":"plural"},…],"examples":[…]}: one word's
// table, each cell that holds a form with its attributes, variants joined
// in order of use.
std::string table_json(std::string_view word, const paradigm::InflectionTable& table);

}  // namespace lomperi::cli
