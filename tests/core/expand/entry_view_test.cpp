#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/expand/entry_view.hpp"
#include "core/expand/expansion.hpp"
#include "core/expand/meaning_scan.hpp"
#include "support/test_data.hpp"

namespace lomperi::expand {
namespace {

using testing::TestDictionary;

std::vector<format::PosGroup> noun(std::string meaning) { return {{"noun", {std::move(meaning)}}}; }

TestDictionary make_words() {
    return testing::make_test_dictionary(
        {
            {"kissa", noun("cat")},          {"koira", noun("dog")},
            {"hiiri", noun("mouse")},        {"lintu", noun("bird, see hiiri")},
            {"kala", noun("fish, see lintu")}, {"iso kissa", noun("big cat")},
            {"iso", {{"adj", {"big"}}}},     {"kissat", noun("cats")},
            {"Turku", noun("a city")},       {"ä", noun("a letter")},
            {"kuusi", noun("spruce")},       {"kuusia", noun("six")},
            {"kolme", noun("three")},        {"tyhjä", {}},
        },
        {
            {"kuusen", {"kuusi", "kuusia"}},
            {"kolmas", {"kissa", "koira", "hiiri"}},
            {"isot kissat", {"iso kissa"}},
            {"tyhjää", {"tyhjä"}},
        });
}

using Found = std::pair<std::string, std::optional<std::string>>;  // phrase, base

std::vector<Found> found(const std::vector<Expansion>& expansions) {
    std::vector<Found> out;
    for (const auto& e : expansions) out.emplace_back(e.phrase, e.base);
    return out;
}

using Linked = std::tuple<std::string, std::size_t, std::size_t>;  // target, start, end

std::vector<Linked> linked(const std::vector<LinkSpan>& spans) {
    std::vector<Linked> out;
    for (const auto& s : spans) out.emplace_back(s.target, s.start, s.end);
    return out;
}

struct MeaningCase {
    const char* name;
    std::string meaning;
    std::vector<Found> expansions;
    std::vector<Linked> links;
};

TEST(ExpandAndLinkMeaning, OneMeaningAtATime) {
    const TestDictionary t = make_words();
    const std::vector<MeaningCase> cases = {
        {"no known words", "nothing here at all", {}, {}},
        {"three expansions but five links", "kissa koira hiiri lintu kala",
         {{"kissa", {}}, {"koira", {}}, {"hiiri", {}}},
         {{"kissa", 0, 5}, {"koira", 6, 11}, {"hiiri", 12, 17}, {"lintu", 18, 23}, {"kala", 24, 28}}},
        {"a two-word headword is one phrase", "a iso kissa", {{"iso kissa", {}}}, {{"iso kissa", 2, 11}}},
        {"capitals are lower-cased", "Kissa", {{"kissa", {}}}, {{"kissa", 0, 5}}},
        {"a headword with capitals is out of reach", "Turku", {}, {}},
        {"one letter is never looked up", "ä", {}, {}},
        {"brackets and full stop are stripped and left out of the span", "a (kissa).", {{"kissa", {}}},
         {{"kissa", 3, 8}}},
        {"a comma is stripped", "kala, kissa", {{"kala", {}}, {"kissa", {}}}, {{"kala", 0, 4}, {"kissa", 6, 11}}},
        {"parentheses are stripped", "(kala)", {{"kala", {}}}, {{"kala", 1, 5}}},
        {"typographic quotes are not stripped", "\u201ckala\u201d \u00abkissa\u00bb \u201ekoira\u201d", {}, {}},
        {"nor a dash or the ellipsis", "\u2013kala kissa\u2026", {}, {}},
        {"a form of two headwords", "kuusen", {{"kuusen", "kuusi"}, {"kuusen", "kuusia"}}, {{"kuusi", 0, 6}}},
        {"only the first two candidates, bases in id order", "kolmas", {{"kolmas", "hiiri"}, {"kolmas", "kissa"}},
         {{"hiiri", 0, 6}}},
        {"a multi-word form", "isot kissat.", {{"isot kissat", "iso kissa"}}, {{"iso kissa", 0, 11}}},
        {"a record without groups", "tyhjä tyhjää", {}, {}},
        {"the longest phrase wins", "iso kissa iso", {{"iso kissa", {}}, {"iso", {}}},
         {{"iso kissa", 0, 9}, {"iso", 10, 13}}},
        {"a word repeated within a meaning", "kissa kissa", {{"kissa", {}}}, {{"kissa", 0, 5}, {"kissa", 6, 11}}},
        {"whitespace of all kinds", "kissa\u00A0koira\u3000hiiri", {{"kissa", {}}, {"koira", {}}, {"hiiri", {}}},
         {{"kissa", 0, 5}, {"koira", 7, 12}, {"hiiri", 15, 20}}},
    };
    for (const auto& c : cases) {
        Visited visited{"testi"};
        EXPECT_EQ(found(expand_meaning(t.dict, c.meaning, 1, visited)), c.expansions) << c.name;
        EXPECT_EQ(linked(link_meaning(t.dict, c.meaning, Visited{"testi"})), c.links) << c.name;
    }
}

TEST(ExpandMeaning, NestsOneLevelOnly) {
    const TestDictionary t = make_words();
    Visited visited{"testi"};
    const auto top = expand_meaning(t.dict, "kala", 1, visited);
    ASSERT_EQ(top.size(), 1u);
    ASSERT_EQ(top[0].children.size(), 1u);  // one list per group
    ASSERT_EQ(found(top[0].children[0]), (std::vector<Found>{{"lintu", {}}}));
    EXPECT_TRUE(top[0].children[0][0].children.empty()) << "lintu mentions hiiri, but level 2 has no children";
    EXPECT_EQ(top[0].record, t.dict.gloss_record("kala"));
    EXPECT_EQ(visited, (Visited{"testi", "kala", "lintu"}));

    Visited deep{"testi"};
    EXPECT_TRUE(expand_meaning(t.dict, "kala", 2, deep).at(0).children.empty());
}

struct EntryCase {
    const char* name;
    std::string headword;
    std::vector<std::string> meanings;
    std::vector<std::vector<Found>> expansions;
    std::vector<std::vector<Linked>> links;
};

TEST(BuildEntryView, SharesVisitedAcrossMeaningsButNotForLinks) {
    const TestDictionary t = make_words();
    const std::vector<EntryCase> cases = {
        {"a recurring word is expanded once and linked every time", "testi", {"kissa", "see kissa"},
         {{{"kissa", {}}}, {}}, {{{"kissa", 0, 5}}, {{"kissa", 4, 9}}}},
        {"the own headword is passed over but shorter links remain", "iso kissa", {"see iso kissa"}, {{}},
         {{{"iso", 4, 7}, {"kissa", 8, 13}}}},
        {"a phrase whose headwords were all expanded still passes over its words", "testi",
         {"iso kissa", "isot kissat"}, {{{"iso kissa", {}}}, {}}, {{{"iso kissa", 0, 9}}, {{"iso kissa", 0, 11}}}},
        {"a word expanded nested is not expanded again", "testi", {"kala", "lintu koira"},
         {{{"kala", {}}}, {{"koira", {}}}}, {{{"kala", 0, 4}}, {{"lintu", 0, 5}, {"koira", 6, 11}}}},
        {"the own headword as a base uses up one of two candidates, yet links", "hiiri", {"kolmas"},
         {{{"kolmas", "kissa"}}}, {{{"hiiri", 0, 6}}}},
    };
    for (const auto& c : cases) {
        const format::GlossRecord record{{{"noun", c.meanings}}};
        const EntryView view = build_entry_view(t.dict, c.headword, record);
        std::vector<std::vector<Found>> expansions;
        for (const auto& list : view.lines) expansions.push_back(found(list));
        std::vector<std::vector<Linked>> links;
        for (const auto& list : view.links) links.push_back(linked(list));
        EXPECT_EQ(expansions, c.expansions) << c.name;
        EXPECT_EQ(links, c.links) << c.name;
    }
}

TEST(BuildEntryView, IndexesMeaningsAcrossGroups) {
    const TestDictionary t = make_words();
    const format::GlossRecord record{{{"noun", {"kissa", "nothing"}}, {"verb", {"koira"}}}};
    const EntryView view = build_entry_view(t.dict, "testi", record);
    ASSERT_EQ(view.lines.size(), 3u);
    ASSERT_EQ(view.links.size(), 3u);
    EXPECT_EQ(found(view.lines[2]), (std::vector<Found>{{"koira", {}}}));
    EXPECT_EQ(linked(view.links[2]), (std::vector<Linked>{{"koira", 0, 5}}));
}

}  // namespace
}  // namespace lomperi::expand
