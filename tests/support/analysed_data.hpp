#pragma once
// A small dictionary with a hand-made analyser: a word or two for each way a
// word finds its entry (as written, lexicalised, a form of a lemma, derived,
// a compound, a spoken form, a forgiven spelling, a form of the word lists).
#include "support/test_data.hpp"

namespace lomperi::testing {

const TestDictionary& analysed_dictionary();
// A copy of its own, for a test that takes the dictionary.
TestDictionary fresh_analysed_dictionary();

}  // namespace lomperi::testing
