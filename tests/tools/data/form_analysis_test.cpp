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

// Every code of every kind, as libvoikko names it, in the wording of the
// generated meanings.
TEST(FormDescription, NamesEveryCode) {
    const std::string noun = "BASEFORM=talo CLASS=nimisana ";
    const std::string verb = "BASEFORM=lukea CLASS=teonsana ";
    const std::string adjective = "BASEFORM=hyvä CLASS=laatusana ";
    const std::pair<std::string, std::optional<std::string>> rows[] = {
        {noun + "NUMBER=singular SIJAMUOTO=nimento", std::nullopt},
        {noun + "NUMBER=plural SIJAMUOTO=nimento", "nominative plural of talo"},
        {noun + "NUMBER=singular SIJAMUOTO=omanto", "genitive singular of talo"},
        {noun + "NUMBER=singular SIJAMUOTO=osanto", "partitive singular of talo"},
        {noun + "NUMBER=singular SIJAMUOTO=olento", "essive singular of talo"},
        {noun + "NUMBER=singular SIJAMUOTO=tulento", "translative singular of talo"},
        {noun + "NUMBER=singular SIJAMUOTO=kohdanto", "accusative singular of talo"},
        {noun + "NUMBER=plural SIJAMUOTO=sisaolento", "inessive plural of talo"},
        {noun + "NUMBER=singular SIJAMUOTO=sisaeronto", "elative singular of talo"},
        {noun + "NUMBER=singular SIJAMUOTO=sisatulento", "illative singular of talo"},
        {noun + "NUMBER=singular SIJAMUOTO=ulkoolento", "adessive singular of talo"},
        {noun + "NUMBER=singular SIJAMUOTO=ulkoeronto", "ablative singular of talo"},
        {noun + "NUMBER=singular SIJAMUOTO=ulkotulento", "allative singular of talo"},
        {noun + "NUMBER=singular SIJAMUOTO=vajanto", "abessive singular of talo"},
        {noun + "NUMBER=plural SIJAMUOTO=seuranto", "comitative plural of talo"},
        {noun + "NUMBER=plural SIJAMUOTO=keinonto", "instructive plural of talo"},
        {noun + "SIJAMUOTO=omanto", "genitive of talo"},
        {noun + "SIJAMUOTO=nimento", std::nullopt},
        {noun + "SIJAMUOTO=kerrontosti", std::nullopt},
        {verb + "MOOD=indicative NUMBER=singular PERSON=1 TENSE=present_simple", "first-person singular present indicative of lukea"},
        {verb + "MOOD=indicative NUMBER=plural PERSON=1 TENSE=present_simple", "first-person plural present indicative of lukea"},
        {verb + "MOOD=indicative NUMBER=singular PERSON=2 TENSE=past_imperfective", "second-person singular past indicative of lukea"},
        {verb + "MOOD=indicative NUMBER=plural PERSON=2", "second-person plural present indicative of lukea"},
        {verb + "MOOD=indicative NUMBER=singular PERSON=3 TENSE=past_imperfective", "third-person singular past indicative of lukea"},
        {verb + "MOOD=indicative NUMBER=plural PERSON=3 TENSE=present_simple", "third-person plural present indicative of lukea"},
        {verb + "MOOD=indicative PERSON=4 TENSE=past_imperfective", "passive past indicative of lukea"},
        {verb + "MOOD=conditional NUMBER=singular PERSON=1", "first-person singular conditional of lukea"},
        {verb + "MOOD=imperative NUMBER=plural PERSON=2", "second-person plural imperative of lukea"},
        {verb + "MOOD=potential PERSON=4", "passive potential of lukea"},
        {"BASEFORM=ei CLASS=kieltosana MOOD=indicative NUMBER=plural PERSON=3", "third-person plural of ei"},
        {"BASEFORM=ei CLASS=kieltosana MOOD=imperative NUMBER=plural PERSON=2", "second-person plural imperative of ei"},
        {verb + "MOOD=A-infinitive", std::nullopt},
        {verb + "MOOD=A-infinitive SIJAMUOTO=tulento", "translative of the first infinitive of lukea"},
        {verb + "MOOD=E-infinitive SIJAMUOTO=sisaolento", "inessive of the second infinitive of lukea"},
        {verb + "MOOD=MA-infinitive SIJAMUOTO=sisaeronto", "elative of the third infinitive of lukea"},
        {verb + "MOOD=MINEN-infinitive", "fourth infinitive of lukea"},
        {verb + "MOOD=MAINEN-infinitive", "fifth infinitive of lukea"},
        {adjective + "PARTICIPLE=present_active WORDBASES=+luke(lukea)+v+a(+a)", "present active participle of lukea"},
        {adjective + "PARTICIPLE=present_passive NUMBER=singular SIJAMUOTO=nimento WORDBASES=+lue(lukea)", "present passive participle of lukea"},
        {adjective + "PARTICIPLE=past_active NUMBER=plural SIJAMUOTO=nimento WORDBASES=+luke(lukea)", "nominative plural of the past active participle of lukea"},
        {adjective + "PARTICIPLE=past_passive NUMBER=singular SIJAMUOTO=osanto WORDBASES=+lue(lukea)", "partitive singular of the past passive participle of lukea"},
        {adjective + "PARTICIPLE=agent WORDBASES=+luke(lukea)", "agent participle of lukea"},
        {adjective + "PARTICIPLE=negation WORDBASES=+luke(lukea)", "negative participle of lukea"},
        {adjective + "COMPARISON=comparative NUMBER=singular SIJAMUOTO=nimento", "comparative degree of hyvä"},
        {adjective + "COMPARISON=superlative NUMBER=singular SIJAMUOTO=osanto", "partitive singular of the superlative degree of hyvä"},
        {adjective + "COMPARISON=positive NUMBER=singular SIJAMUOTO=osanto", "partitive singular of hyvä"},
        {noun + "NUMBER=singular POSSESSIVE=1s SIJAMUOTO=nimento", "talo with the first-person singular possessive suffix"},
        {noun + "NUMBER=singular POSSESSIVE=2s SIJAMUOTO=nimento", "talo with the second-person singular possessive suffix"},
        {noun + "NUMBER=singular POSSESSIVE=1p SIJAMUOTO=sisaolento", "inessive singular of talo with the first-person plural possessive suffix"},
        {noun + "NUMBER=singular POSSESSIVE=2p SIJAMUOTO=nimento", "talo with the second-person plural possessive suffix"},
        {noun + "NUMBER=singular POSSESSIVE=3 SIJAMUOTO=nimento", "talo with the third-person possessive suffix"},
        {noun + "FOCUS=kin KYSYMYSLIITE=true NUMBER=singular POSSESSIVE=3 SIJAMUOTO=omanto",
         "genitive singular of talo with the third-person possessive suffix with the question clitic -ko with the clitic -kin"},
        {noun + "FOCUS=kaan NUMBER=singular SIJAMUOTO=nimento", "talo with the clitic -kaan"},
    };
    for (const auto& [text, expected] : rows) {
        const auto analysis = parse_analysis(text);
        ASSERT_TRUE(analysis.has_value()) << text;
        EXPECT_EQ(describe_form("taloa", *analysis), expected) << text;
    }
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
