#include "gloss_merge.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/text.hpp"
#include "fixtures.hpp"

namespace lomperi::data_build {
namespace {

using format::PosGroup;
using testing::fixture_text;

std::map<std::string, std::vector<PosGroup>> merge_fixtures() {
    const auto forward = read_dictd(fixture_text("fin-eng.index"), fixture_text("fin-eng.dict"));
    const auto inverted = read_dictd(fixture_text("eng-fin.index"), fixture_text("eng-fin.dict"));
    if (!forward || !inverted) throw std::runtime_error("fixture databases do not parse");
    GlossMerger merger;
    for (const auto& record : *forward) merger.add_record(record);
    for (const auto& record : *inverted) merger.add_inverted_record(record);
    return merger.entries();
}

TEST(GlossMerge, ForwardRecordsGiveOneMeaningPerSense) {
    const auto entries = merge_fixtures();
    const std::vector<std::pair<std::string, std::vector<PosGroup>>> rows{
        {"aallonpituus", {{"noun", {"wavelength"}}}},
        {"albuminuria", {{"noun", {"albuminuria"}}}},
        {"Abu Dhabi", {{"name", {"Abu Dhabi"}}}},
        {"Suomi", {{"name", {"Finland"}}}},
    };
    for (const auto& [headword, expected] : rows) {
        ASSERT_TRUE(entries.contains(headword)) << headword;
        EXPECT_EQ(entries.at(headword), expected) << headword;
    }
    // Forward groups first; the inverted "good" (a noun there) adds a group of its own.
    const auto& hyva = entries.at("hyvä");
    ASSERT_EQ(hyva.size(), 3u);
    EXPECT_EQ(hyva[0], (PosGroup{"adj", {"good"}}));
    EXPECT_EQ(hyva[1].pos, "intj");
    EXPECT_EQ(hyva[1].meanings[0], "bravo");
    EXPECT_EQ(hyva[2].pos, "noun");
}

TEST(GlossMerge, DamagedSuffixEntriesAreDroppedAndRestoredFromTheInvertedSide) {
    const auto entries = merge_fixtures();
    EXPECT_FALSE(entries.contains("kin"));
    EXPECT_FALSE(entries.contains("ni"));
    ASSERT_TRUE(entries.contains("-kin"));
    ASSERT_TRUE(entries.contains("-ni"));
    const auto& kin = entries.at("-kin");
    ASSERT_EQ(kin.size(), 1u);
    EXPECT_EQ(kin[0].pos, "adv");
    EXPECT_TRUE(std::ranges::any_of(kin[0].meanings, [](const std::string& m) { return m.starts_with("also ("); }));
    EXPECT_EQ(entries.at("-ni")[0].pos, "det");
}

TEST(GlossMerge, InvertedMeaningsSkipWordsTheForwardGroupHas) {
    const auto entries = merge_fixtures();
    // talo already says "house"; kissa already says "cat".
    for (const auto& group : entries.at("talo")) {
        for (const auto& meaning : group.meanings) EXPECT_FALSE(meaning.starts_with("house (")) << meaning;
    }
    for (const auto& meaning : entries.at("kissa")[0].meanings) EXPECT_FALSE(meaning.starts_with("cat (")) << meaning;
    // "kehittäjä" comes from "(filmin) kehittäjä"; the qualifier is gone.
    ASSERT_TRUE(entries.contains("kehittäjä"));
    EXPECT_FALSE(entries.contains("(filmin) kehittäjä"));
}

TEST(GlossMerge, AtMostTwelveInvertedMeaningsPerGroup) {
    GlossMerger merger;
    merger.add_record({"sana", "n", {{"word0", {}}}});
    for (int i = 0; i < 20; ++i) {
        merger.add_inverted_record({"word" + std::to_string(i), "n", {{"sana", {"meaning"}}}});
    }
    const auto entries = merger.entries();
    ASSERT_EQ(entries.at("sana").size(), 1u);
    const auto& meanings = entries.at("sana")[0].meanings;
    ASSERT_EQ(meanings.size(), 1 + kMaxInvertedPerGroup);
    EXPECT_EQ(meanings[0], "word0");
    EXPECT_EQ(meanings[1], "word1 (meaning)");  // word0 is already there
    EXPECT_EQ(meanings.back(), "word12 (meaning)");
}

TEST(GlossMerge, ForwardDuplicatesMergeIntoOneGroup) {
    GlossMerger merger;
    merger.add_record({"kuusi", "numeral", {{"six", {}}}});
    merger.add_record({"kuusi", "n", {{"spruce", {}}}});
    merger.add_record({"kuusi", "n", {{"spruce", {}}, {"fir", {}}}});
    const std::vector<PosGroup> expected{{"num", {"six"}}, {"noun", {"spruce", "fir"}}};
    EXPECT_EQ(merger.entries().at("kuusi"), expected);
}

std::vector<std::string> first_meanings(const std::vector<PosGroup>& groups) {
    std::vector<std::string> firsts;
    for (const auto& group : groups) firsts.push_back(group.pos + ": " + group.meanings.front());
    return firsts;
}

TEST(GlossMerge, TheEverydayMeaningComesFirst) {
    // A smaller list is a list of commoner words.
    const EnglishCommonness commonness = [](std::string_view english) -> std::size_t {
        return english == "scale" || english == "gamut" || english == "this" || english == "fuck" ? 0 : 1;
    };
    const OwnPartsOfSpeech own_pos = [](const std::string& headword) {
        return headword == "aika" || headword == "kaikki" ? std::vector<std::string>{"noun"} : std::vector<std::string>{};
    };
    GlossMerger merger(commonness, own_pos);
    // An inverted-only headword: the commoner English word, then the one more
    // senses give, then the English word of more senses.
    merger.add_inverted_record({"AVPU", "n", {{"asteikko", {"system to assess level of consciousness"}}}});
    merger.add_inverted_record({"gamut", "n", {{"asteikko", {"complete range"}}}});
    merger.add_inverted_record({"scale", "n", {{"asteikko", {"series of notes"}}, {"vaaka", {"for weighing"}}}});
    // A labelled sense after the plain ones.
    merger.add_record({"eikä", "conj", {{"fuck off (slang: disbelief)", {}}, {"and not, nor", {}}}});
    // An English inflection: dropped where the headword has another meaning, kept where not.
    merger.add_inverted_record({"there are", "v", {{"on", {"third-person plural present indicative of there be"}}}});
    merger.add_inverted_record({"is", "v", {{"on", {"be"}}}});
    merger.add_inverted_record({"these", "det", {{"nämä", {"plural of this"}}}});
    // The analyser's part of speech among the groups of the Finnish-English side, never an inverted-only group.
    merger.add_record({"aika", "adj", {{"remarkable, some", {}}}});
    merger.add_record({"aika", "n", {{"time, era", {}}}});
    merger.add_record({"kaikki", "pron", {{"all, everything", {}}}});
    merger.add_inverted_record({"lot", "n", {{"kaikki", {"all members of a set"}}}});

    const auto merged = merger.merged();
    const std::map<std::string, std::vector<std::string>> expected{
        {"asteikko", {"noun: scale (series of notes)"}},
        {"eikä", {"conj: and not, nor"}},
        {"on", {"verb: is (be)"}},
        {"nämä", {"det: these (plural of this)"}},
        {"aika", {"noun: time, era", "adj: remarkable, some"}},
        {"kaikki", {"pron: all, everything", "noun: lot (all members of a set)"}},
    };
    for (const auto& [headword, firsts] : expected) {
        EXPECT_EQ(first_meanings(merged.entries.at(headword)), firsts) << headword;
    }
    EXPECT_EQ(merged.entries.at("asteikko")[0].meanings.back(), "AVPU (system to assess level of consciousness)");
    EXPECT_EQ(merged.counts.inverted_dropped, 1u);
    EXPECT_EQ(merged.counts.labelled_moved, 1u);
    EXPECT_TRUE(merged.inverted_only.contains("asteikko"));
    EXPECT_FALSE(merged.inverted_only.contains("aika"));
}

// A headword of inverted meanings only, one of them a particle's in an
// everyday English word, may be a lexicalised particle; a rare English word
// ("athwart") is no sign of one.
TEST(GlossMerge, EverydayParticlesAreThoseWithAParticlesMeaningInEverydayEnglish) {
    GlossMerger merger([](std::string_view english) -> std::size_t { return english == "athwart" ? 2 : 0; });
    merger.add_inverted_record({"especially", "adv", {{"varsinkin", {}}}});
    merger.add_inverted_record({"athwart", "adv", {{"sivulla", {}}}});
    merger.add_inverted_record({"information", "n", {{"tiedot", {}}}});
    merger.add_record({"lisäksi", "adv", {{"besides", {}}}});
    const auto merged = merger.merged();
    EXPECT_EQ(merged.everyday_particles, (std::set<std::string>{"varsinkin"}));
}

// A single word's groups of a word class come before a phrase's; a phrase
// keeps its own.
TEST(GlossMerge, AWordsPartOfSpeechComesBeforeAPhrases) {
    GlossMerger merger;
    merger.add_inverted_record({"at times", "", {{"välillä", {}}}});
    merger.add_inverted_record({"between", "prep", {{"välillä", {}}}});
    merger.add_inverted_record({"why", "", {{"minkä vuoksi", {}}}});
    merger.add_inverted_record({"wherefore", "adv", {{"minkä vuoksi", {}}}});
    const auto merged = merger.merged();
    EXPECT_EQ(first_meanings(merged.entries.at("välillä")), (std::vector<std::string>{"prep: between", "phrase: at times"}));
    EXPECT_EQ(first_meanings(merged.entries.at("minkä vuoksi")), (std::vector<std::string>{"phrase: why", "adv: wherefore"}));
}

TEST(GlossMerge, EvidenceOfUseLeadsWithTheEverydaySenseOnAClearMargin) {
    const std::vector<DictdRecord> english_finnish{
        {"state", "n", {{"tila", {}}, {"osavaltio, valtio", {}}}},
        {"stead", "n", {{"tila", {}}}},
        {"farm", "n", {{"maatila, tila, farmi", {}}}},
        {"because of", "preposition", {{"vuoksi, takia", {}}}},
        {"flood", "n", {{"tulva", {}}}},
        {"click", "v", {{"napsauttaa", {"press and release (button on a mouse)"}}}},
        {"snap", "v", {{"katketa", {}}, {"napsauttaa", {}}}},
        {"go for", "v", {{"koskea", {"to apply equally to"}}}},
    };
    std::vector<CataloguePair> catalogues;
    for (int k = 0; k < 20; ++k) {
        const std::string n = std::to_string(k);
        catalogues.push_back({"Click button " + n, "Napsauta painiketta " + n});
        catalogues.push_back({"Current state " + n, "Nykyinen tila " + n});
    }
    const Lemmatizer lemmas = [](const std::string& word) {
        const std::string lower = lower_case(word);
        return std::vector<std::string>{lower == "napsauta" ? "napsauttaa" : lower};
    };
    const SenseEvidence evidence(EnglishPrimacy(english_finnish), CatalogueCounts(catalogues, lemmas),
                                 {"state", "the", "of", "go", "for", "because", "click", "snap", "farm", "touch", "stead",
                                  "with", "on", "at", "flood"});
    GlossMerger merger({}, {}, &evidence);
    // Forward senses: "condition, state" is as primary and of a commoner word, and the catalogues' choice;
    // within it, "state" is the English side's first word for tila.
    merger.add_record({"tila", "n", {{"farm, stead", {}}, {"space", {}}, {"condition, state", {}}}});
    // A group of the Finnish-English side moves first: "because of" is primary and commoner.
    merger.add_record({"vuoksi", "n", {{"flood, flow", {}}}});
    merger.add_record({"vuoksi", "postposition", {{"because of", {}}}});
    // An inverted sense with the catalogues' vote leads; one on general text alone does not.
    merger.add_record({"napsauttaa", "v", {{"snap", {}}}});
    merger.add_record({"koskea", "v", {{"touch", {}}}});
    for (const auto& record : english_finnish) merger.add_inverted_record(record);

    const auto merged = merger.merged();
    const std::map<std::string, std::vector<std::string>> expected{
        {"tila", {"noun: state, condition"}},
        {"vuoksi", {"postp: because of", "noun: flood, flow", "prep: because of"}},
        {"napsauttaa", {"verb: click (press and release (button on a mouse))"}},
        {"koskea", {"verb: touch"}},
    };
    for (const auto& [headword, firsts] : expected) {
        EXPECT_EQ(first_meanings(merged.entries.at(headword)), firsts) << headword;
    }
    EXPECT_EQ(merged.entries.at("tila")[0].meanings, (std::vector<std::string>{"state, condition", "farm, stead", "space"}));
    EXPECT_EQ(merged.counts.evidence_led, 3u);
    EXPECT_EQ(merged.counts.evidence_items, 1u);
    EXPECT_EQ(merged.counts.evidence_groups, 1u);
}

TEST(GlossMerge, EvidenceLeadsTheFirstMeaningWithItsEverydayWord) {
    const std::vector<DictdRecord> english_finnish{
        {"document", "n", {{"asiakirja", {}}}},
        {"deed", "n", {{"teko", {}}, {"asiakirja", {}}}},
        {"value", "n", {{"arvo", {}}}},
        {"worth", "n", {{"arvo", {}}}},
        {"storey", "n", {{"kerros", {}}}},
        {"picture", "n", {{"kuva", {}}}},
        {"image", "n", {{"kuva", {}}}},
        {"ray", "n", {{"säde", {}}}},
    };
    std::vector<CataloguePair> catalogues;
    for (int k = 0; k < 10; ++k) {
        const std::string n = std::to_string(k);
        catalogues.push_back({"Open document " + n, "Avaa asiakirja " + n});
        catalogues.push_back({"Value " + n, "Arvo " + n});
    }
    const Lemmatizer lemmas = [](const std::string& word) { return std::vector<std::string>{lower_case(word)}; };
    const SenseEvidence evidence(EnglishPrimacy(english_finnish), CatalogueCounts(catalogues, lemmas),
                                 {"the", "of", "worth", "picture", "document", "value", "image", "ray", "deed", "beam",
                                  "floor", "storey"});
    GlossMerger merger({}, {}, &evidence);
    struct Row {
        std::string headword;
        std::string meaning;
        std::string first;
        const char* why;
    };
    const std::vector<Row> rows{
        {"asiakirja", "deed, document", "document, deed", "first translation of a commoner word, and the catalogues'"},
        {"arvo", "value, worth", "value, worth", "worth is as primary and commoner, but the catalogues say value"},
        {"kerros", "floor, storey", "floor, storey", "storey is primary but far rarer"},
        {"kuva", "image, picture", "image, picture", "picture is commoner, but no more primary: one vote"},
        {"säde", "beam, ray (light)", "beam, ray (light)", "a description may belong to one word only"},
    };
    for (const auto& row : rows) merger.add_record({row.headword, "n", {{row.meaning, {}}}});
    for (const auto& record : english_finnish) merger.add_inverted_record(record);

    const auto merged = merger.merged();
    for (const auto& row : rows) EXPECT_EQ(merged.entries.at(row.headword)[0].meanings[0], row.first) << row.why;
    EXPECT_EQ(merged.counts.evidence_items, 1u);
}

TEST(GlossMerge, EvidenceLeadsWithAFunctionWordsGroupButNeverWithASenseOfAField) {
    const std::vector<DictdRecord> english_finnish{
        {"along", "adv", {{"mukaan", {}}}},
        {"according to", "preposition", {{"mukaan", {}}}},
        {"as to", "preposition", {{"mukaan", {}}}},
        {"on the basis of", "preposition", {{"mukaan, perusteella", {}}}},
        {"in", "preposition", {{"sisään, sisällä", {}}}},
        {"inside", "preposition", {{"sisällä", {}}}},
        {"within", "preposition", {{"sisällä", {}}}},
        {"indoors", "adv", {{"sisällä", {}}}},
        {"action", "n", {{"toiminto, toiminta", {}}}},
    };
    const SenseEvidence evidence(EnglishPrimacy(english_finnish), CatalogueCounts({}, {}),
                                 {"the", "to", "as", "in", "of", "action", "along", "inside", "within", "basis",
                                  "according", "operation", "indoors"});
    GlossMerger merger({}, {}, &evidence);
    // Three English adpositions name mukaan first, one adverb does.
    merger.add_record({"mukaan", "adv", {{"with, along", {}}}});
    merger.add_record({"mukaan", "postposition", {{"according to", {}}}});
    // Two adpositions against one adverb are not enough.
    merger.add_record({"sisällä", "adv", {{"indoors", {}}}});
    merger.add_record({"sisällä", "postposition", {{"inside, within", {}}}});
    // "action" is primary and commoner, but only in mathematics.
    merger.add_record({"toiminto", "n", {{"operation, function", {}}, {"action (mathematics: type of mapping)", {}}}});
    for (const auto& record : english_finnish) merger.add_inverted_record(record);

    const auto merged = merger.merged();
    EXPECT_EQ(merged.entries.at("mukaan")[0].pos, "postp");
    EXPECT_EQ(merged.entries.at("sisällä")[0].pos, "adv");
    EXPECT_EQ(merged.entries.at("toiminto")[0].meanings[0], "operation, function");
    EXPECT_EQ(merged.counts.evidence_led, 1u);
    EXPECT_EQ(merged.counts.evidence_groups, 1u);
}

TEST(GlossMerge, LabelsAndEnglishInflectionsAreToldFromTheDescription) {
    const std::pair<std::string_view, bool> labelled[] = {
        {"dope (slang: inside information)", true}, {"wireless (dated)", true}, {"thee (now rare)", true},
        {"cove (chiefly dialectal)", true},         {"rare (not cooked through)", false}, {"slang", false},
        {"house (building)", false},
    };
    for (const auto& [meaning, expected] : labelled) EXPECT_EQ(is_labelled(meaning), expected) << meaning;
    const std::pair<std::string_view, bool> fields[] = {
        {"mode (computing: a state of the system)", true},
        {"default ((electronics, computing) original settings)", true},
        {"status (social networking: function of instant messaging)", true},
        {"click (intransitive: click the left button of a mouse)", false},
        {"set (to compile, to make (a crossword))", false},
        {"increase (increased amount)", false},
        {"state", false},
    };
    for (const auto& [meaning, expected] : fields) EXPECT_EQ(names_a_field(meaning), expected) << meaning;
    const std::pair<std::string_view, bool> inflections[] = {
        {"third-person plural present indicative of there be", true}, {"plural of this", true},
        {"simple past tense and past participle of run", true},     {"the state of being", false},
        {"a unit of measure", false},
    };
    for (const auto& [description, expected] : inflections) {
        EXPECT_EQ(describes_english_inflection(description), expected) << description;
    }
}

}  // namespace
}  // namespace lomperi::data_build
