#include "compounds.hpp"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace lomperi::data_build {
namespace {

const std::set<std::string, std::less<>> kHeadwords = {"tekijä", "tekijänoikeus", "oikeus", "ehto", "sähkö", "posti",
                                                       "sähköposti", "osoite", "maasta", "nosto", "kirjoitus", "virhe",
                                                       "levy", "tila"};
const std::map<std::string, std::string, std::less<>> kForms = {{"tekijän", "tekijä"}, {"maasta", "maa"}};

std::optional<CompoundSplit> split(std::string_view baseform, std::string_view wordbases) {
    const auto is_headword = [](std::string_view text) { return kHeadwords.contains(text); };
    const auto part = [&](std::string_view text) -> std::optional<std::string> {
        if (is_headword(text)) return std::string(text);
        const auto form = kForms.find(text);
        if (form == kForms.end()) return std::nullopt;
        return form->second;
    };
    return split_compound(baseform, wordbases, is_headword, part);
}

TEST(Compounds, PartTexts) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> rows = {
        {"+teki(tehdä)+jän(+jä)+oikeus(oikeus)+ehto(ehto)", {"tekijän", "oikeus", "ehto"}},
        {"+kirjoit(kirjoittaa)+us(+us)+virhe(virhe)", {"kirjoitus", "virhe"}},
        {"+maastanosto(maasta=nosto)", {"maasta", "nosto"}},
        {"+talo(talo)", {}},
        {"+luke(lukea)+va(+va)", {}},
        {"broken", {}},
    };
    for (const auto& [wordbases, expected] : rows) EXPECT_EQ(compound_part_texts(wordbases), expected) << wordbases;
}

TEST(Compounds, FewestLongestPartsThatAreHeadwords) {
    struct Row {
        const char* baseform;
        const char* wordbases;
        std::optional<std::string> meaning;
        std::string prefix;
    };
    const Row rows[] = {
        {"tekijänoikeusehto", "+teki(tehdä)+jän(+jä)+oikeus(oikeus)+ehto(ehto)", "compound of tekijänoikeus + ehto",
         "tekijänoikeus"},
        {"sähköpostiosoite", "+sähkö(sähkö)+posti(posti)+osoite(osoite)", "compound of sähköposti + osoite", "sähköposti"},
        {"kirjoitusvirhe", "+kirjoit(kirjoittaa)+us(+us)+virhe(virhe)", "compound of kirjoitus + virhe", "kirjoitus"},
        {"maastanosto", "+maastanosto(maasta=nosto)", "compound of maasta + nosto", "maasta"},
        {"levytilaa", "+levy(levy)+tilaa(tila)", std::nullopt, ""},  // the base form must end in the last part's
        {"tekijänehto", "+teki(tehdä)+jän(+jä)+ehto(ehto)", "compound of tekijä + ehto", "tekijän"},
        {"kissatalo", "+kissa(kissa)+talo(talo)", std::nullopt, ""},  // no part is a headword
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.baseform);
        const auto found = split(row.baseform, row.wordbases);
        ASSERT_EQ(found.has_value(), row.meaning.has_value());
        if (!found) continue;
        EXPECT_EQ(compound_meaning(*found), *row.meaning);
        EXPECT_EQ(found->prefix, row.prefix);
    }
}

}  // namespace
}  // namespace lomperi::data_build
