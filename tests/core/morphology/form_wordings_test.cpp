// Machine-made meanings written and read back: what each wording names.
#include "core/morphology/form_wordings.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lomperi::morphology {
namespace {

TEST(FormWordings, ACompoundsMeaningNamesItsPartsHeadwords) {
    const std::vector<std::string> parts = {"kuva", "ikkuna"};
    const std::vector<std::pair<std::string, std::vector<std::string_view>>> rows = {
        {compound_meaning(parts), {"kuva", "ikkuna"}},
        {compound_part_meaning("palkki"), {"palkki"}},
        {part_form_meaning("ylä", "ylä-"), {"ylä-"}},
        {part_form_meaning("ehdot", "ehto"), {"ehto"}},
        {"compound of kuva + ", {}},               // a part without a word
        {"compound of window + glass pane", {}},  // no single words
        {"house, home", {}},
        {"inessive singular of talo", {}},
    };
    for (const auto& [meaning, named] : rows) EXPECT_EQ(read_compound_meaning(meaning), named) << meaning;
}

TEST(FormWordings, AFormsMeaningNamesItsWordAndSuffixes) {
    const auto read = read_form_of_meaning("inessive singular of talo with the clitic -kin");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->form, "inessive singular");
    EXPECT_EQ(read->word, "talo");
    EXPECT_EQ(read->suffixes, " with the clitic -kin");
    EXPECT_FALSE(read_form_of_meaning("of talo"));

    const auto basic = read_form_of_meaning("silmä with the first-person singular possessive suffix");
    ASSERT_TRUE(basic);
    EXPECT_EQ(basic->form, "");
    EXPECT_EQ(basic->word, "silmä");
    EXPECT_FALSE(read_form_of_meaning("a man with the hat"));
    EXPECT_FALSE(read_form_of_meaning("with the hat"));
}

// Only the wording of a form names one: an English meaning may read alike.
TEST(FormWordings, AMeaningNamesAFormInTheWordingOfTheLabels) {
    const std::vector<std::pair<std::string, bool>> rows = {
        {"inessive singular of talo", true},
        {"third-person singular present indicative of olla with the question clitic -ko", true},
        {"present passive participle of pitää", true},
        {"essive singular of the comparative degree of kauempi", true},
        {"first infinitive of olla", true},
        {"translative plural of erä with the third-person possessive suffix", true},
        {"silmä with the first-person singular possessive suffix", true},
        {"file (collection of papers)", false},
        {"type of dog", false},
        {"coffee with the milk", false},
        {"house, home", false},
        {"of talo", false},
    };
    for (const auto& [meaning, names] : rows) EXPECT_EQ(names_a_form(meaning), names) << meaning;
}

}  // namespace
}  // namespace lomperi::morphology
