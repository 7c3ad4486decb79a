#include "cleaning.hpp"

#include <gtest/gtest.h>

#include "pos_names.hpp"

namespace lomperi::data_build {
namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

TEST(WikiMarkup, IsStripped) {
    const Rows rows{
        {"albuminuria#Englanti", "albuminuria"},
        {"hyvällä [[onni|onnella˔]]", "hyvällä onnella"},
        {"Oxford[[-kautinen]]", "Oxford-kautinen"},
        {"[[Saudi-Arabian]] kuningaskunta", "Saudi-Arabian kuningaskunta"},
        {"transliteration of }}", "transliteration of"},
        {"hyökkää väijyksistä }} kimppuun", "hyökkää väijyksistä kimppuun"},
        {"a {{lb|en|rare}} word", "a word"},
        {"number #1", "number #1"},
        {"#Englanti", ""},
        {"the # symbol", "the # symbol"},
        {"  plain   text ", "plain text"},
    };
    for (const auto& [text, expected] : rows) EXPECT_EQ(strip_wiki_markup(text), expected) << text;
    EXPECT_EQ(clean_meaning("#Suomi, tequila"), "tequila");
}

TEST(TranslationItems, SplitAtCommasOutsideBrackets) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> rows{
        {"prohibit, deny, forbid ban", {"prohibit", "deny", "forbid ban"}},
        {"myös, -kin", {"myös", "-kin"}},
        {"viedä (genitive, possessive) kunnia, x", {"viedä (genitive, possessive) kunnia", "x"}},
        {" , a,, b ,", {"a", "b"}},
        {"", {}},
    };
    for (const auto& [line, expected] : rows) EXPECT_EQ(split_items(line), expected) << line;
}

TEST(FinnishKeys, KeepWordsAndDropQualifiersAndDebris) {
    const std::vector<std::pair<std::string, std::optional<std::string>>> rows{
        {"kissa", "kissa"},
        {"-kin", "-kin"},
        {"(filmin) kehittäjä", "kehittäjä"},
        {"paljastaa (kasvonsa)", "paljastaa"},
        {"tehdä (jostakin) marttyyri", "tehdä marttyyri"},
        {"[[Saudi-Arabian]] kuningaskunta", "Saudi-Arabian kuningaskunta"},
        {"suomi#Suomi", "suomi"},
        {"rauta(II)sulfaatti", std::nullopt},    // the brackets belong to the word
        {"panna ...[[-n]] päälle", std::nullopt},  // a pattern, not a word
        {"sisään/ulostulo", std::nullopt},
        {"lacrosse: goalpost", std::nullopt},
        {"(minun)", std::nullopt},
        {"  ", std::nullopt},
        {std::string(91, 'a'), std::nullopt},
    };
    for (const auto& [item, expected] : rows) EXPECT_EQ(clean_finnish_key(item), expected) << item;
}

TEST(InvertedMeaning, JoinsTheDescriptions) {
    EXPECT_EQ(inverted_meaning("cat", {}), "cat");
    EXPECT_EQ(inverted_meaning("behind", {"at the back of", "in support of"}), "behind (at the back of; in support of)");
    EXPECT_EQ(inverted_meaning("yod", {"}}"}), "yod");
}

TEST(PosNames, MapSourceLabelsAndWordClasses) {
    const Rows labels{
        {"n", "noun"}, {"v", "verb"}, {"adj", "adj"}, {"pn", "name"}, {"numeral", "num"},
        {"pronoun", "pron"}, {"interjection", "intj"}, {"conjunction", "conj"}, {"postposition", "postp"},
        {"preposition", "prep"}, {"abbreviation", "abbrev"}, {"article", "det"}, {"determiner", "det"},
        {"phraseologicalUnit", "phrase"}, {"idiom", "phrase"}, {"", "phrase"}, {"proverb", "proverb"},
        {"symbol", "symbol"}, {"somethingNew", "somethingNew"},
    };
    for (const auto& [label, expected] : labels) EXPECT_EQ(pos_from_label(label), expected) << label;
    EXPECT_EQ(pos_from_word_class("teonsana"), "verb");
    EXPECT_EQ(pos_from_word_class("paikannimi"), "name");
    EXPECT_EQ(pos_from_word_class("tuntematon"), std::nullopt);
}

}  // namespace
}  // namespace lomperi::data_build
