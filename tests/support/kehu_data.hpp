#pragma once
// The small data set around the verb kehua and the noun kehu that the lookup
// and entry tests share: headwords, forms and meanings as the real data holds
// them, plus the English-looking headwords "to" and "in".
#include <vector>

#include "support/test_data.hpp"

namespace lomperi::testing {

std::vector<TestHeadword> kehu_headwords();
std::vector<TestForm> kehu_forms();

// The English words of its meanings, as the data tool indexes them.
std::vector<TestEnglishKey> kehu_english();

// make_test_dictionary of the lists above; the English side only when asked.
TestDictionary make_kehu_dictionary(bool with_english = false);

}  // namespace lomperi::testing
