#include "support/kehu_data.hpp"

namespace lomperi::testing {

std::vector<TestHeadword> kehu_headwords() {
    return {
        {"kehu",
         {{"noun", {"praise, commendation (favorable representation in words)"}},
          {"verb",
           {"inflection of kehua:", "present active indicative connegative",
            "second-person singular present active imperative connegative",
            "second-person singular present imperative"}}}},
        {"kehua", {{"verb", {"to praise, tout, acclaim, commend", "to tell, say"}}}},
        {"kehui", {{"verb", {"third-person singular past indicative of kehua"}}}},
        {"kehuja", {{"noun", {"partitive plural of kehu"}}}},
        {"kehujan", {{"noun", {"genitive plural of kehuja"}}}},
        {"kehuminen", {{"noun", {"praising"}}}},
        {"kehun", {{"noun", {"genitive singular of kehu"}}}},
        {"kehune", {{"noun", {"flattery"}}}},
        {"to", {{"noun", {"Thu (abbreviation of Thursday)"}}}},
        {"in", {{"adj", {"in, popular (in fashion)"}}}},
    };
}

std::vector<TestForm> kehu_forms() {
    return {
        {"kehu", {"kehu", "kehua"}},
        {"kehua", {"kehu", "kehua"}},
        {"kehuaan", {"kehu"}},
        {"kehuakseen", {"kehua"}},
        {"kehui", {"kehua"}},
    };
}

TestDictionary make_kehu_dictionary() { return make_test_dictionary(kehu_headwords(), kehu_forms()); }

}  // namespace lomperi::testing
