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

std::vector<TestEnglishKey> kehu_english() {
    return {
        {"acclaim", {{"kehua", 0}}},
        {"commend", {{"kehua", 0}}},
        {"commendation", {{"kehu", 0}}},
        {"flattery", {{"kehune", 0}}},
        {"praise", {{"kehu", 0}, {"kehua", 0}}},
        {"praising", {{"kehuminen", 0}}},
        {"say", {{"kehua", 1}}},
        {"tell", {{"kehua", 1}}},
        {"to praise", {{"kehua", 0}}},
        {"to tell", {{"kehua", 1}}},
        {"tout", {{"kehua", 0}}},
        {"fashion", {}},
        {"in", {}},
        {"popular", {}},
        {"thu", {}},
        {"to", {}},
    };
}

TestDictionary make_kehu_dictionary(bool with_english) {
    return make_test_dictionary(kehu_headwords(), kehu_forms(), with_english ? kehu_english() : std::vector<TestEnglishKey>{});
}

}  // namespace lomperi::testing
