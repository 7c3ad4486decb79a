#include <gtest/gtest.h>

#include <fmt/format.h>

#include <string>
#include <vector>

#include "core/morphology/headword_search.hpp"
#include "core/morphology/inflection_lookup.hpp"
#include "core/word_map/builder.hpp"
#include "core/morphology/english_search.hpp"
#include "support/kehu_data.hpp"
#include "support/test_data.hpp"

namespace lomperi::morphology {
namespace {

using testing::TestDictionary;
using Pairs = std::vector<std::pair<std::string, std::string>>;

std::vector<std::string> headwords_of(const std::vector<HeadwordMatch>& matches) {
    std::vector<std::string> out;
    for (const auto& m : matches) out.push_back(m.headword);
    return out;
}

Pairs pairs_of(const std::vector<InflectionCandidate>& candidates) {
    Pairs out;
    for (const auto& c : candidates) out.emplace_back(c.form, c.base);
    return out;
}

std::vector<format::PosGroup> noun(std::string meaning) { return {{"noun", {std::move(meaning)}}}; }

TestDictionary make_search_dictionary() {
    std::vector<testing::TestHeadword> headwords = {
        {"-kin", noun("too")},      {"-ko", noun("question")},   {"'s", noun("of")},
        {"Helsinki", noun("city")}, {"Kissa", noun("a name")},   {"helsinki", noun("a plant")},
        {"kissa", noun("cat")},     {"kissa-", noun("a prefix")}, {"kissa ja koira", noun("cat and dog")},
        {"kissaeläin", noun("feline")}, {"kissat", noun("cats")}, {"kissä", noun("made up")},
        {"kisu", noun("kitty")},    {"äiti", noun("mother")},
    };
    for (int k = 0; k < 150; ++k) headwords.push_back({fmt::format("pa{:03}", k), noun("filler")});
    return testing::make_test_dictionary(headwords);
}

struct SearchCase {
    const char* name;
    std::string query;
    std::vector<std::string> rows;
};

TEST(SearchHeadwords, MatchesBytePrefixesExactly) {
    const TestDictionary t = make_search_dictionary();
    const std::vector<SearchCase> cases = {
        {"empty query", "", {}},
        {"query that is a headword comes first, then byte order",
         "kissa",
         {"kissa", "kissa ja koira", "kissa-", "kissaeläin", "kissat"}},
        {"ä sorts after every ASCII letter", "kis", {"kissa", "kissa ja koira", "kissa-", "kissaeläin", "kissat", "kissä", "kisu"}},
        {"no case folding", "KISSA", {}},
        {"capitalised headword", "Kissa", {"Kissa"}},
        {"capitalised place name", "Hel", {"Helsinki"}},
        {"lower case finds only the lower-case headword", "hel", {"helsinki"}},
        {"trailing space is part of the prefix", "kissa ", {"kissa ja koira"}},
        {"leading space is not trimmed", " kissa", {}},
        {"hyphen lists the suffix headwords", "-", {"-kin", "-ko"}},
        {"apostrophe", "'", {"'s"}},
        {"no folding of ä to a", "aiti", {}},
        {"ä as typed", "ä", {"äiti"}},
        {"no key begins with it", "zz", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(headwords_of(search_headwords(t.dict.glosses, c.query, kListLimit)), c.rows) << c.name;
    }
}

TEST(SearchHeadwords, StopsAtTheLimitInByteOrder) {
    const TestDictionary t = make_search_dictionary();
    const auto rows = headwords_of(search_headwords(t.dict.glosses, "p", kListLimit));
    ASSERT_EQ(rows.size(), 100u);
    EXPECT_EQ(rows.front(), "pa000");
    EXPECT_EQ(rows.back(), "pa099");
    EXPECT_EQ(headwords_of(search_headwords(t.dict.glosses, "kissa", 2)), (std::vector<std::string>{"kissa", "kissa ja koira"}));
    EXPECT_TRUE(search_headwords(t.dict.glosses, "kissa", 0).empty());
}

TEST(SearchHeadwords, SkipsKeysThatAreNotUtf8WithoutCountingThem) {
    // Byte order puts the broken sequences C3 28 before the letters ä and ö.
    const auto bytes = word_map::build_word_map({{"ab", 0}, {"a\xc3\x28", 1}, {"a\xc3\x28x", 2}, {"aä", 3}, {"aö", 4}});
    ASSERT_TRUE(bytes) << bytes.error().report();
    const auto map = word_map::WordMap::open(*bytes);
    ASSERT_TRUE(map);
    EXPECT_EQ(headwords_of(search_headwords(*map, "a", 3)), (std::vector<std::string>{"ab", "aä", "aö"}));
    EXPECT_EQ(headwords_of(search_headwords(*map, "a\xc3", kListLimit)), (std::vector<std::string>{"aä", "aö"}));
    EXPECT_TRUE(search_headwords(*map, "a\xc3\x28", kListLimit).empty());
}

TEST(SearchHeadwords, WorkedExample) {
    const TestDictionary t = testing::make_kehu_dictionary();
    EXPECT_EQ(headwords_of(search_headwords(t.dict.glosses, "kehu", kListLimit)),
              (std::vector<std::string>{"kehu", "kehua", "kehui", "kehuja", "kehujan", "kehuminen", "kehun", "kehune"}));
}

TEST(SearchEnglish, PrefixesAndWholeWords) {
    const TestDictionary t = testing::make_kehu_dictionary(true);
    using Matches = std::vector<EnglishMatch>;
    const EnglishMatch kehu{"kehu", "praise, commendation (favorable representation in words)"};
    const EnglishMatch praise{"kehua", "to praise, tout, acclaim, commend"};
    const EnglishMatch tell{"kehua", "to tell, say"};
    EXPECT_EQ(search_english(t.dict, "Pra", kListLimit), (Matches{kehu, praise, {"kehuminen", "praising"}}));
    EXPECT_EQ(search_english(t.dict, "pra", 2), (Matches{kehu, praise}));
    EXPECT_EQ(search_english(t.dict, "to ", kListLimit), (Matches{praise}));
    EXPECT_EQ(english_translations(t.dict, "TELL", kListLimit), (Matches{tell}));
    EXPECT_EQ(english_translations(t.dict, "to say", kListLimit), (Matches{tell})) << "as \"say\"";
    EXPECT_EQ(search_english(t.dict, "a flattery", kListLimit), (Matches{{"kehune", "flattery"}}));
    EXPECT_EQ(english_translations(t.dict, "praise", kListLimit), (Matches{kehu, praise}));
    EXPECT_EQ(english_translations(t.dict, "tel", kListLimit), (Matches{tell})) << "no whole word: a prefix";
    EXPECT_TRUE(english_translations(t.dict, "popular", kListLimit).empty()) << "a word of the list only";
    EXPECT_TRUE(is_english(t.dict, "popular"));
    EXPECT_TRUE(is_english(t.dict, "to praise"));
    EXPECT_FALSE(is_english(t.dict, "kehua"));
    const TestDictionary finnish = testing::make_kehu_dictionary();
    EXPECT_FALSE(has_english(finnish.dict));
    EXPECT_FALSE(is_english(finnish.dict, "popular"));
    EXPECT_TRUE(search_english(finnish.dict, "pra", kListLimit).empty());
}

TEST(InflectionCandidates, WorkedExampleLeavesOutFormsPairedWithThemselves) {
    const TestDictionary t = testing::make_kehu_dictionary();
    EXPECT_EQ(pairs_of(inflection_candidates(t.dict, "kehu")),
              (Pairs{{"kehu", "kehua"}, {"kehua", "kehu"}, {"kehuaan", "kehu"}, {"kehuakseen", "kehua"}, {"kehui", "kehua"}}));
    const auto hits = search_inflections(t.dict, "kehu", kListLimit);
    ASSERT_EQ(hits.size(), 5u);
    EXPECT_EQ(hits[0], (InflectionHit{"kehu", {"kehu", "kehua"}}));
}

TestDictionary make_inflection_dictionary() {
    std::vector<testing::TestHeadword> headwords = {
        {"kuusi", noun("six")}, {"kuusia", noun("spruces")}, {"kuusikko", noun("spruce forest")},
        {"kuu", noun("moon")},  {"kuusen", noun("of the spruce")},
    };
    std::vector<testing::TestForm> forms = {
        {"kuu", {"kuu"}},                               // a base that is only its own form
        {"kuusi", {"kuusi", "kuusia"}},                 // a base that is also a form of another
        {"kuusien", {"kuusikko", "kuusi", "kuusia"}},   // three bases, none equal to the form
        {"kuusen", {"kuusen", "kuusi"}},
    };
    return testing::make_test_dictionary(headwords, forms);
}

struct CandidateCase {
    const char* name;
    std::string query;
    Pairs rows;
};

TEST(InflectionCandidates, PairsEveryFormWithItsOtherBases) {
    const TestDictionary t = make_inflection_dictionary();
    const std::vector<CandidateCase> cases = {
        {"empty query", "", {}},
        {"a base mapping to itself alone contributes nothing", "kuu", {{"kuusen", "kuusi"}, {"kuusi", "kuusia"},
                                                                        {"kuusien", "kuusi"}, {"kuusien", "kuusia"},
                                                                        {"kuusien", "kuusikko"}}},
        {"three bases in a row, in their stored order", "kuusie", {{"kuusien", "kuusi"}, {"kuusien", "kuusia"}, {"kuusien", "kuusikko"}}},
        {"a base that is its own form lists its other base", "kuusi", {{"kuusi", "kuusia"}, {"kuusien", "kuusi"},
                                                                          {"kuusien", "kuusia"}, {"kuusien", "kuusikko"}}},
        {"no case folding", "Kuu", {}},
        {"not a form", "kuusikko", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(pairs_of(inflection_candidates(t.dict, c.query)), c.rows) << c.name;
}

TEST(InflectionCandidates, CutsAtOneHundredPairsInsideAForm) {
    std::vector<testing::TestHeadword> headwords = {{"a", noun("x")}, {"b", noun("y")}};
    std::vector<testing::TestForm> more;
    for (int k = 0; k < 99; ++k) more.push_back({fmt::format("f{:02}", k), {"a"}});
    more.push_back({"f99", {"a", "b"}});
    const TestDictionary u = testing::make_test_dictionary(headwords, more);
    const Pairs cut = pairs_of(inflection_candidates(u.dict, "f"));
    ASSERT_EQ(cut.size(), 100u);
    EXPECT_EQ(cut.back(), (std::pair<std::string, std::string>{"f99", "a"}));
}

}  // namespace
}  // namespace lomperi::morphology
