#include "english_side.hpp"

#include <gtest/gtest.h>

#include "core/morphology/dictionary.hpp"

namespace lomperi::data_build {
namespace {

using Keys = std::vector<std::string>;

TEST(EnglishKeys, ItemsWithoutDescriptionsAndLeadingArticles) {
    const std::vector<std::pair<std::string, Keys>> rows{
        {"to praise, tout, acclaim, commend", {"acclaim", "commend", "praise", "to praise", "tout"}},
        {"House (building); home.", {"home", "house"}},
        {"a cat", {"a cat", "cat"}},
        {"(rare) the [archaic] end", {"end", "the end"}},
        {"one two three four five six, seven", {"seven"}},
        {"to, ;", {"to"}},
    };
    for (const auto& [meaning, keys] : rows) EXPECT_EQ(english_keys(meaning), keys) << meaning;
}

TEST(EnglishSide, FirstPlainItemFirstThenFrequencyThenShorterMeaning) {
    const Entries entries{
        {"asunto", {{"noun", {"apartment, house"}}}},
        {"kota", {{"noun", {"hut, house"}}}},
        {"mökki", {{"noun", {"cottage, small house, house"}}}},
        {"pesä", {{"noun", {"house (home for animal)"}}}},
        {"talo", {{"noun", {"house", "building"}}}},
        {"talot", {{"noun", {"house"}}}},
    };
    const std::set<std::string, std::less<>> generated{"talot"};
    const std::unordered_map<std::string_view, std::size_t> rank{{"kota", 0}};
    const auto side = build_english_side(entries, generated, rank, {"House's", "zebra"});
    ASSERT_TRUE(side) << side.error().report();
    auto english = morphology::load_english(side->files.english_fst, side->files.english_bin);
    ASSERT_TRUE(english && *english) << "the files load";
    const auto postings_of = [&](std::string_view key) {
        const auto offset = (*english)->words.get(key);
        return offset ? (*english)->postings.at(*offset) : std::nullopt;
    };
    using Postings = std::vector<format::EnglishPosting>;
    EXPECT_EQ(postings_of("house"), (Postings{{4, 0}, {1, 0}, {0, 0}, {2, 0}, {3, 0}}));
    EXPECT_EQ(postings_of("building"), (Postings{{4, 1}}));
    EXPECT_EQ(postings_of("zebra"), Postings{});
    EXPECT_FALSE(postings_of("house's").has_value());
    EXPECT_EQ(side->keys, 7u);  // apartment, building, cottage, house, hut, small house, zebra
}

}  // namespace
}  // namespace lomperi::data_build
