#include "form_analysis.hpp"

#include <gtest/gtest.h>

#include "fixtures.hpp"

namespace lomperi::data_build {
namespace {

using testing::fixture_analyses;

// The descriptions of every analysis of a fixture form, in order.
std::vector<std::optional<std::string>> describe_all(const std::string& form) {
    const auto analyses = fixture_analyses();
    std::vector<std::optional<std::string>> out;
    for (const auto& analysis : analyses.at(form)) out.push_back(describe_form(form, analysis));
    return out;
}

TEST(FormDescription, UsesTheWordingOfEnglishDictionaries) {
    using Row = std::pair<std::string, std::vector<std::optional<std::string>>>;
    const std::vector<Row> rows{
        {"oli", {"third-person singular past indicative of olla"}},
        {"ovat", {"third-person plural present indicative of olla"}},
        {"olisi", {"third-person singular conditional of olla"}},
        {"kehuttiin", {"passive past indicative of kehua"}},
        {"onko", {"third-person singular present indicative of olla with the question clitic -ko"}},
        {"en", {"first-person singular of ei"}},
        {"älä", {"second-person singular imperative of ei"}},
        {"talossa", {"inessive singular of talo"}},
        {"TALON", {"genitive singular of talo"}},
        {"minun", {"genitive singular of minä"}},
        {"hyvää", {"partitive singular of hyvä"}},
        {"parempi", {"comparative degree of hyvä"}},
        {"paras", {"superlative degree of hyvä"}},
        {"lukeva", {"present active participle of lukea"}},
        {"luettua", {"partitive singular of the past passive participle of lukea"}},
        {"lukiessa", {"second infinitive of lukea"}},
        {"lukemaan",
         {"illative singular of lukema", "illative of the third infinitive of lukea",
          "illative singular of the agent participle of lukea"}},
        {"taloni", {"talo with the first-person singular possessive suffix"}},
        {"kissakin", {"kissa with the clitic -kin"}},
        {"Suomen", {"genitive singular of suomi", "genitive singular of Suomi"}},
        // Base forms and compounds are not forms of anything else.
        {"talo", {std::nullopt}},
        {"olla", {std::nullopt}},
        {"kotitalo", {std::nullopt}},
    };
    for (const auto& [form, expected] : rows) EXPECT_EQ(describe_all(form), expected) << form;
}

TEST(FormDescription, NeedsEnoughAttributes) {
    const std::vector<std::string> rows{
        "BASEFORM=olla CLASS=teonsana MOOD=indicative PERSON=3",  // no number
        "BASEFORM=talo CLASS=nimisana",                           // no case
        "BASEFORM=ja CLASS=sidesana",
    };
    for (const auto& text : rows) {
        const auto analysis = parse_analysis(text);
        ASSERT_TRUE(analysis.has_value()) << text;
        EXPECT_EQ(describe_form("x", *analysis), std::nullopt) << text;
    }
}

TEST(FormDescription, FrontVowelWordsTakeFrontClitics) {
    const auto analysis = parse_analysis("BASEFORM=hyvä CLASS=laatusana FOCUS=kaan NUMBER=singular SIJAMUOTO=osanto");
    ASSERT_TRUE(analysis.has_value());
    EXPECT_EQ(describe_form("hyvääkään", *analysis), "partitive singular of hyvä with the clitic -kään");
}

TEST(AnalysisText, RoundTripsAndRejectsMalformedFields) {
    const std::string text = "BASEFORM=olla CLASS=teonsana STRUCTURE==ppp";
    const auto analysis = parse_analysis(text);
    ASSERT_TRUE(analysis.has_value());
    EXPECT_EQ(analysis->get("STRUCTURE"), "=ppp");
    EXPECT_EQ(analysis->get("MOOD"), "");
    EXPECT_EQ(format_analysis(*analysis), text);
    for (const std::string broken : {"BASEFORM", "=x BASEFORM=a", "CLASS=teonsana", ""}) {
        EXPECT_FALSE(parse_analysis(broken).has_value()) << broken;
    }
}

TEST(AnalysisBase, ParticiplesAreDescribedAsFormsOfTheirVerb) {
    const auto analyses = fixture_analyses();
    EXPECT_EQ(described_base(analyses.at("lukeva")[0]), "lukea");
    EXPECT_EQ(described_base(analyses.at("luettua")[0]), "lukea");
    EXPECT_EQ(described_base(analyses.at("talossa")[0]), "talo");
    EXPECT_EQ(described_base(analyses.at("kotitalo")[0]), "kotitalo");
}

}  // namespace
}  // namespace lomperi::data_build
