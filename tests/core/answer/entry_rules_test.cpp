// The entry rules on a small dictionary with a hand-made analyser: each
// rule with the example words it is for, and the answer's parts.
#include "core/answer/entry_rules.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/answer/answer.hpp"
#include "core/answer/answer_text.hpp"
#include "core/morphology/analysis.hpp"
#include "support/analysed_data.hpp"

namespace lomperi::answer {
namespace {

using testing::analysed_dictionary;

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
        // A participle whose entry only names its form shows its verb (the
        // first reading's, though the entry names the other's too).
        {"määritelty", "headword as written", "määrittää"},
        {"esimerkiksi", "lexicalised form", "esimerkiksi"},
        // Whatever its capital, as at the start of a sentence, and with a clitic.
        {"Esimerkiksi", "lexicalised form", "esimerkiksi"},
        {"esimerkiksikin", "lexicalised form", "esimerkiksi"},
        // A case form whose entry leads as a particle is that particle.
        {"varsinkin", "lexicalised form", "varsinkin"},
        // A compound spelt as the word is not the word read as itself.
        {"voimassa", "lexicalised form", "voimassa"},
        // Unless its entry only names the parts.
        {"kuuluu", "lemma with entry", "kuulua", "kuuluu"},
        // An entry that only repeats its name says nothing: the lemma's.
        {"sai", "lemma with entry", "saada"},
        {"talossa", "lemma with entry", "talo"},
        // A lemma whose entry only names a form of another word is passed over.
        {"suorittaman", "lemma with entry", "suorittaa"},
        // A name the analyser reads as written is no other spelling of a word.
        {"Heinäveden", "lemma with entry", "Heinävesi"},
        // Its own entry only names the form: nothing after the lemma's.
        {"talot", "lemma with entry", "talo"},
        // Its own entry says more than the form: shown after the lemma's.
        {"tiedot", "lemma with entry", "tieto", "tiedot"},
        // A pronoun's form is the pronoun, whatever the source says of it,
        {"sitä", "lemma with entry", "se", "sitä"},
        // unless the word's entry leads as a particle: a conjunction, or an
        // adverb of a case of becoming or direction, but not of a case that
        // is as often the pronoun's.
        {"sillä", "lexicalised form", "sillä"},
        {"miksi", "lexicalised form", "miksi"},
        {"mitä", "lemma with entry", "mikä", "mitä"},
        {"sumennus", "derived word", "sumennus", std::nullopt, true},
        {"yläpalkki", "compound", "yläpalkki", std::nullopt, true},
        // The last part tells the word; an earlier one without an entry is told as written.
        {"zorrotalo", "compound", "zorrotalo", std::nullopt, true},
        {"talozorro", "analysed, no entry", std::nullopt},
        // A hyphened word the analyser does not read: its last part.
        {"Qqq-talossa", "lemma with entry", "talo", std::nullopt, false, "talossa"},
        {"zorro", "analysed, no entry", std::nullopt},
        // The first part of a compound written alone: the word, if it has an entry.
        {"talo-", "lemma with entry", "talo"},
        {"zorro-", "analysed, no entry", std::nullopt},
        {"kirjoja", "form in the lists", "kirja"},
        // A headword that only begins like the word is no answer for it.
        {"kis", "", std::nullopt},
        // Respellings first: the rules read the standard word.
        {"mä", "headword as written", "minä", std::nullopt, false, "minä"},
        {"hyva", "headword as written", "hyvä", std::nullopt, false, "hyvä"},
        {"qqq", "", std::nullopt},
    };
    return rows;
}

TEST(EntryRules, EachRuleWithItsExampleWords) {
    const auto& dict = analysed_dictionary().dict;
    for (const auto& row : examples()) {
        const EntryChoice choice = choose_entry(dict, row.word);
        EXPECT_EQ(choice.rule, row.rule) << row.word;
        EXPECT_EQ(choice.headword, row.headword) << row.word;
        EXPECT_EQ(choice.also, row.also) << row.word;
        EXPECT_EQ(choice.built.has_value(), row.built) << row.word;
        EXPECT_EQ(choice.listed, row.listed.empty() ? row.word : row.listed) << row.word;
        EXPECT_EQ(choice.record.has_value(), row.headword.has_value()) << row.word;
    }
}

// A lexicalised word's own entry is its first reading, so that the form
// told is the word's; a present spelt like a past or a command comes first.
TEST(EntryRules, TheFirstReadingIsOfTheWordShown) {
    const auto& dict = analysed_dictionary().dict;
    const EntryChoice lexicalised = choose_entry(dict, "esimerkiksi");
    ASSERT_FALSE(lexicalised.readings.empty());
    EXPECT_EQ(lexicalised.readings.front().lemma, "esimerkiksi");
    EXPECT_EQ(lexicalised.readings.front().form.word_class, analysis::WordClass::Adverb);
    EXPECT_EQ(lexicalised.readings.size(), 2u) << "the reading as a form stays, second";

    const EntryChoice particle = choose_entry(dict, "varsinkin");
    ASSERT_FALSE(particle.readings.empty());
    EXPECT_EQ(particle.readings.front().form.word_class, analysis::WordClass::Adverb);
    ASSERT_TRUE(particle.record && !particle.record->groups.empty());
    EXPECT_EQ(particle.record->groups.front().pos, "adv");

    const EntryChoice passed_over = choose_entry(dict, "suorittaman");
    ASSERT_EQ(passed_over.readings.size(), 2u);
    EXPECT_EQ(passed_over.readings.front().lemma, "suorittaa");

    const EntryChoice voi = choose_entry(dict, "voi");
    ASSERT_EQ(voi.readings.size(), 3u);
    EXPECT_EQ(voi.readings.front().form.tense, analysis::Tense::Present);
    EXPECT_EQ(voi.readings.front().form.mood, analysis::Mood::Indicative);
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
    const auto& dict = analysed_dictionary().dict;
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
    const auto& dict = analysed_dictionary().dict;
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

// A lexicalised particle is told by its meaning as that particle, in its
// analysis line, its first meaning and its entry, not by the form it was.
TEST(Answer, ALexicalisedParticleIsToldAsTheParticle) {
    const auto& dict = analysed_dictionary().dict;
    const Answer particle = answer(dict, "varsinkin", Detail::Entry);
    EXPECT_EQ(particle.meaning, "especially");
    ASSERT_FALSE(particle.choice.notes.empty());
    EXPECT_EQ(particle.choice.notes.front().text, "varsinkin = varsinkin: basic form (\u201cespecially\u201d)");
    const std::string text = answer_text(particle, 60, false);
    EXPECT_LT(text.find("- especially"), text.find("- instructive plural")) << text;
}

// A participle whose entry only names its form is told by its verb's
// meaning in its analysis line too.
TEST(Answer, AParticiplesLineGivesItsVerbsMeaning) {
    const Answer participle = answer(testing::analysed_dictionary().dict, "määritelty", Detail::Notes);
    ASSERT_FALSE(participle.choice.notes.empty());
    const std::string& line = participle.choice.notes.front().text;
    EXPECT_NE(line.find("\u201cdefine\u201d"), std::string::npos) << line;
}

// The first meaning told says something of its own: not the form the word
// is of another, unless the entry says nothing else, and then the meaning
// of the word it names.
TEST(Answer, TheMeaningToldSaysSomething) {
    const auto& dict = analysed_dictionary().dict;
    const auto record = [](std::vector<format::PosGroup> groups) { return format::GlossRecord{std::move(groups)}; };
    const std::vector<std::pair<format::GlossRecord, std::string>> rows = {
        {record({{"noun", {"translative plural of erä with the third-person possessive suffix"}}, {"adv", {"apart"}}}), "apart"},
        {record({{"noun", {"inessive singular of talo"}}}), "house"},
        {record({{"noun", {"inessive singular of zzz"}}}), "inessive singular of zzz"},
        {record({{"noun", {"file (collection of papers)", "folder"}}}), "file (collection of papers)"},
        {record({}), ""},
    };
    for (const auto& [entry, said] : rows) EXPECT_EQ(morphology::said_meaning(dict, entry), said) << said;
    EXPECT_EQ(answer(dict, "suorittaman", Detail::Meaning).meaning, "execute");
    // A case of a noun whose entry leads as an adverb says the noun's
    // meaning, in its analysis line too; the word as written, the entry's.
    EXPECT_EQ(answer(dict, "kohdalla", Detail::Meaning).meaning, "point, place");
    const Answer kohdalla = answer(dict, "kohdalla", Detail::Notes);
    ASSERT_FALSE(kohdalla.choice.notes.empty());
    EXPECT_EQ(kohdalla.choice.notes.front().text, "kohdalla = kohta \u00b7 -lla on, at (\u201cpoint\u201d)");
    EXPECT_EQ(answer(dict, "kohta", Detail::Meaning).meaning, "soon");
    // A name's entry that only repeats the name says what the name is.
    EXPECT_EQ(answer(dict, "Kuopiossa", Detail::Meaning).meaning, "Kuopio (place name)");
    EXPECT_EQ(answer(dict, "Heinäveden", Detail::Meaning).meaning, "a place name");
    // So does a name the analyser knows that has no entry.
    const Answer name = answer(dict, "Kemissä", Detail::Meaning);
    EXPECT_FALSE(name.choice.headword);
    EXPECT_EQ(name.meaning, "Kemi (place name)");
    const Answer told = answer(dict, "Kemissä", Detail::Notes);
    ASSERT_FALSE(told.choice.notes.empty());
    EXPECT_EQ(told.choice.notes.front().text, "Kemissä = Kemi · -ssä in (place name)");
}

// An unread word of a text is guessed at; a query being typed is not, as it
// is as often the start of a word.
TEST(Answer, OnlyAWholeWordIsGuessedAt) {
    const auto& dict = analysed_dictionary().dict;
    const Answer word = answer(dict, "Kalymnoksen", Detail::Notes);
    ASSERT_FALSE(word.choice.readings.empty());
    EXPECT_TRUE(word.choice.readings.front().guessed);
    EXPECT_EQ(word.meaning, "Kalymnos (name)");
    const Answer typed = answer(dict, "Kalymnoksen", Detail::Notes, {.being_typed = true});
    EXPECT_TRUE(typed.choice.readings.empty());
    EXPECT_FALSE(typed.meaning);
}

TEST(Answer, AWordWithoutEntryHasNoMeaningAndNoText) {
    const auto& dict = analysed_dictionary().dict;
    const Answer none = answer(dict, "qqq", Detail::Entry);
    EXPECT_FALSE(none.meaning);
    EXPECT_FALSE(none.entry);
    EXPECT_EQ(answer_text(none, 60, false), "");
    // The analysis of a word without an entry is still told.
    const Answer analysed = answer(dict, "zorrossa", Detail::Entry);
    EXPECT_FALSE(analysed.entry);
    EXPECT_TRUE(answer_text(analysed, 60, false).starts_with("zorrossa = zorro")) << answer_text(analysed, 60, false);
    // A word told by its shape says what it is; a number only with an ending.
    const std::vector<std::pair<std::string, std::optional<std::string>>> told = {
        {"Y", "Y (letter)"}, {"Ctrl+Z", "Ctrl+Z (key)"}, {"3x3", "3x3 (size)"}, {"100", std::nullopt}};
    for (const auto& [word, meaning] : told) EXPECT_EQ(answer(dict, word, Detail::Meaning).meaning, meaning) << word;
    EXPECT_FALSE(answer(dict, "Y", Detail::Meaning, {.being_typed = true}).meaning);
    // And so is a word read as itself: the dictionary lacks it, not the language.
    const Answer itself = answer(dict, "zorro", Detail::Notes);
    ASSERT_EQ(itself.choice.notes.size(), 1u);
    EXPECT_EQ(itself.choice.notes.front().text, "zorro = zorro: basic form (noun, no entry)");
}

}  // namespace
}  // namespace lomperi::answer
