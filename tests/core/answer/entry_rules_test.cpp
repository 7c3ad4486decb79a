// The entry rules on a small dictionary with a hand-made analyser: each
// rule with the example words it is for, and the answer's parts.
#include "core/answer/entry_rules.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/answer/answer.hpp"
#include "core/answer/answer_text.hpp"
#include "support/test_data.hpp"
#include "support/test_transducer.hpp"

namespace lomperi::answer {
namespace {

using testing::TestHeadword;

format::PosGroup group(std::string pos, std::vector<std::string> meanings) { return {std::move(pos), std::move(meanings)}; }

const testing::TestDictionary& dictionary() {
    static const testing::TestDictionary t = testing::make_analysed_dictionary(
        {
            {"esimerkiksi", {group("adverb", {"for example"})}},
            {"esimerkki", {group("noun", {"example"})}},
            {"hyvä", {group("adjective", {"good"})}},
            {"kirja", {group("noun", {"book"})}},
            {"kissa", {group("noun", {"cat"})}},
            {"minä", {group("pronoun", {"I"})}},
            {"määritelty", {group("adjective", {"past passive participle of määrittää"})}},
            {"määrittää", {group("verb", {"define"})}},
            {"palkki", {group("noun", {"bar, beam"})}},
            {"se", {group("pronoun", {"it"})}},
            {"sillä", {group("conjunction", {"because"})}},
            {"sumentaa", {group("verb", {"blur"})}},
            {"talo", {group("noun", {"house"})}},
            {"talot", {group("noun", {"nominative plural of talo"})}},
            {"tiedot", {group("noun", {"nominative plural of tieto", "information, data"})}},
            {"tieto", {group("noun", {"knowledge"})}},
            {"ylä", {group("noun", {"top"})}},
        },
        {{"kirjoja", {"kirja"}}},
        testing::lexicon({
            "[Ln][Xp]esimerkki[X]esimerki[Str][Ny]ksi",
            "[Ln][Xp]esimerkki[X]esimerkki[Sn][Ny]",
            "[Ll][Xp]hyvä[X]hyvä[Sn][Ny]",
            "[Ln][Xp]kissa[X]kissa[Sn][Ny]",
            "[Lr][Xp]minä[X]minä[Sn][Ny]",
            "[Lt][Xp]määrittää[X]määritel[Ll][Rt]ty[Xj][X][Sn][Ny]",
            "[Lr][Xp]se[X]si[Sade][Ny]llä",
            "[Lt][Xp]sumentaa[X]sumen[Ln][Xj]nus[X]nus[Sn][Ny]",
            "[Ln][Xp]talo[X]talo[Sn][Ny]",
            "[Ln][Xp]talo[X]talo[Sine][Ny]ssa",
            "[Ln][Xp]talo[X]talo[Sn][Nm]t",
            "[Ln][Xp]tieto[X]tiedo[Sn][Nm]t",
            "[Ln][Xp]ylä[X]ylä[Sn][Ny][Bh][Bc][Ln][Xp]palkki[X]palkki[Sn][Ny]",
            "[Ln][Xp]zorro[X]zorro[Sn][Ny]",
            "[Ln][Xp]zorro[X]zorro[Sine][Ny]ssa",
        }));
    return t;
}

struct Expected {
    std::string word;
    std::string_view rule;
    std::optional<std::string> headword;
    std::optional<std::string> also = std::nullopt;
    bool built = false;
    std::string listed = {};  // when not the word
};

const std::vector<Expected>& examples() {
    static const std::vector<Expected> rows = {
        {"kissa", "headword as written", "kissa"},
        {"talo", "headword as written", "talo"},
        // A participle whose entry only names its form shows its verb.
        {"määritelty", "headword as written", "määrittää"},
        {"esimerkiksi", "lexicalised form", "esimerkiksi"},
        {"talossa", "lemma with entry", "talo"},
        // Its own entry only names the form: nothing after the lemma's.
        {"talot", "lemma with entry", "talo"},
        // Its own entry says more than the form: shown after the lemma's.
        {"tiedot", "lemma with entry", "tieto", "tiedot"},
        // A pronoun's form is the pronoun, whatever the source says of it.
        {"sillä", "lemma with entry", "se", "sillä"},
        {"sumennus", "derived word", "sumennus", std::nullopt, true},
        {"yläpalkki", "compound", "yläpalkki", std::nullopt, true},
        {"zorro", "analysed, no entry", std::nullopt},
        {"kirjoja", "form in the lists", "kirja"},
        {"kis", "neighbour", "kissa"},
        // Respellings first: the rules read the standard word.
        {"mä", "headword as written", "minä", std::nullopt, false, "minä"},
        {"hyva", "headword as written", "hyvä", std::nullopt, false, "hyvä"},
        {"qqq", "", std::nullopt},
    };
    return rows;
}

TEST(EntryRules, EachRuleWithItsExampleWords) {
    const auto& dict = dictionary().dict;
    for (const auto& row : examples()) {
        const EntryChoice choice = choose_entry(dict, row.word);
        EXPECT_EQ(choice.rule, row.rule) << row.word;
        EXPECT_EQ(choice.headword, row.headword) << row.word;
        EXPECT_EQ(choice.also, row.also) << row.word;
        EXPECT_EQ(choice.built.has_value(), row.built) << row.word;
        EXPECT_EQ(choice.listed, row.listed.empty() ? row.word : row.listed) << row.word;
        EXPECT_EQ(choice.only_begins_alike, row.rule == "neighbour") << row.word;
        EXPECT_EQ(choice.record.has_value(), row.headword.has_value()) << row.word;
    }
}

TEST(EntryRules, EveryRuleHasAnExampleAndANameOfItsOwn) {
    for (const auto& rule : entry_rules()) {
        const auto named = [&](const Expected& row) { return row.rule == rule.name; };
        EXPECT_TRUE(std::ranges::any_of(examples(), named)) << rule.name;
        EXPECT_EQ(std::ranges::count(entry_rules(), rule.name, &NamedRule::name), 1) << rule.name;
    }
}

// The pane passes the lists it has searched for the word as typed: the
// choice is the same as one that searches them itself.
TEST(EntryRules, TheCallersListsChooseAsASearchWould) {
    const auto& dict = dictionary().dict;
    for (const auto& row : examples()) {
        const auto matches = morphology::search_headwords(dict.glosses, row.word, morphology::kListLimit);
        const auto candidates = morphology::inflection_candidates(dict, row.word);
        const EntryChoice searched = choose_entry(dict, row.word);
        const EntryChoice known = choose_entry(dict, row.word, {&matches, &candidates});
        EXPECT_EQ(known.rule, searched.rule) << row.word;
        EXPECT_EQ(known.headword, searched.headword) << row.word;
        EXPECT_EQ(known.listed, searched.listed) << row.word;
        EXPECT_EQ(known.notes, searched.notes) << row.word;
    }
}

TEST(Answer, EachDetailAddsWhatItNames) {
    const auto& dict = dictionary().dict;
    const Answer meaning = answer(dict, "tiedot", Detail::Meaning);
    EXPECT_EQ(meaning.meaning, "knowledge");
    EXPECT_TRUE(meaning.choice.notes.empty());
    EXPECT_FALSE(meaning.entry);

    const Answer notes = answer(dict, "tiedot", Detail::Notes);
    ASSERT_EQ(notes.choice.notes.size(), 1u);
    EXPECT_TRUE(notes.choice.notes.front().text.starts_with("tiedot = tieto")) << notes.choice.notes.front().text;
    EXPECT_FALSE(notes.entry);

    const Answer entry = answer(dict, "tiedot", Detail::Entry);
    ASSERT_TRUE(entry.entry);
    EXPECT_EQ(entry.entry->headword, "tieto");
    ASSERT_EQ(entry.entry->also.size(), 1u);
    EXPECT_EQ(entry.entry->also.front().headword, "tiedot");
    const std::string text = answer_text(entry, 60, false);
    EXPECT_LT(text.find("tiedot = tieto"), text.find("knowledge")) << text;
    EXPECT_LT(text.find("knowledge"), text.find("information")) << text;
}

TEST(Answer, AWordWithoutEntryHasNoMeaningAndNoText) {
    const auto& dict = dictionary().dict;
    const Answer none = answer(dict, "qqq", Detail::Entry);
    EXPECT_FALSE(none.meaning);
    EXPECT_FALSE(none.entry);
    EXPECT_EQ(answer_text(none, 60, false), "");
    // The analysis of a word without an entry is still told.
    const Answer analysed = answer(dict, "zorrossa", Detail::Entry);
    EXPECT_FALSE(analysed.entry);
    EXPECT_TRUE(answer_text(analysed, 60, false).starts_with("zorrossa = zorro")) << answer_text(analysed, 60, false);
}

}  // namespace
}  // namespace lomperi::answer
