#pragma once
// Everything that turns typed or mentioned words into headwords.
#include "core/morphology/headword_search.hpp"    // IWYU pragma: export
#include "core/morphology/inflection_lookup.hpp"  // IWYU pragma: export
#include "core/morphology/phrase_lookup.hpp"      // IWYU pragma: export
