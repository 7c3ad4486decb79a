#pragma once
// The small data set around the verb kehua and the noun kehu that the lookup
// and entry tests share: headwords, forms and meanings as the real data holds
// them, plus the English-looking headwords "to" and "in".
#include <vector>

#include "support/test_data.hpp"

namespace lomperi::testing {

std::vector<TestHeadword> kehu_headwords();
std::vector<TestForm> kehu_forms();

// make_test_dictionary of the two lists above.
TestDictionary make_kehu_dictionary();

}  // namespace lomperi::testing
