#include "sense_evidence.hpp"

#include <gtest/gtest.h>

#include "base/text.hpp"

namespace lomperi::data_build {
namespace {

TEST(SenseEvidence, PrimacyIsTheFirstTranslationOfTheMainRecordsFirstSense) {
    const std::vector<DictdRecord> records{
        {"farm", "n", {{"maatila, tila, farmi", {}}}},
        // "ready" is mostly an adjective: the verb's first translation is not its main one.
        {"ready", "adj", {{"valmis", {}}, {"halukas", {}}}},
        {"ready", "v", {{"valmistaa", {}}}},
        {"setting", "n", {{"asetus", {}}, {"miljöö, tapahtumapaikka", {}}}},
        {"[[State]]", "n", {{"[[tila]]", {}}}},
    };
    const EnglishPrimacy primacy(records);
    const std::tuple<std::string_view, std::string_view, int> rows[] = {
        {"maatila", "farm", 3}, {"tila", "farm", 2},         {"farmi", "farm", 2},
        {"valmis", "ready", 3}, {"halukas", "ready", 2},     {"valmistaa", "ready", 2},
        {"asetus", "setting", 3}, {"miljöö", "setting", 2}, {"tapahtumapaikka", "setting", 1},
        {"tila", "state", 3},   {"asetus", "farm", 0},
    };
    for (const auto& [finnish, english, tier] : rows) {
        EXPECT_EQ(primacy.tier(finnish, english), tier) << finnish << " for " << english;
    }
}

TEST(SenseEvidence, CataloguesCountLemmasWithEnglishWordsOfShortMessages) {
    const Lemmatizer lemmas = [](const std::string& word) -> std::vector<std::string> {
        const std::string lower = lower_case(word);
        if (lower == "asetukset" || lower == "asetuksia") return {"asetus"};
        if (lower == "tila" || lower == "tilaa") return {"tila", "tilata"};
        return {lower};
    };
    const std::vector<CataloguePair> pairs{
        {"Settings", "Asetukset"},
        {"Settings", "Asetukset"},  // counted once
        {"Change the settings", "Muuta asetuksia"},
        {"Free space", "Vapaata tilaa"},
        {"Mode", "Tila"},
        {"A message of far more than twelve words says little about which word means which one",
         "Tila asetukset ja muuta"},
    };
    const CatalogueCounts counts(pairs, lemmas);
    EXPECT_EQ(counts.pairs(), 4u);
    EXPECT_EQ(counts.english("settings"), 2u);
    EXPECT_EQ(counts.together("asetus", "settings"), 2u);
    EXPECT_EQ(counts.together("asetus", "the settings"), 1u);
    EXPECT_EQ(counts.together("tila", "space"), 1u);
    EXPECT_EQ(counts.together("tilata", "mode"), 1u);
    EXPECT_EQ(counts.together("tila", "far"), 0u);
    EXPECT_EQ(counts.together("muuta", "mode"), 0u);
}

TEST(SenseEvidence, AMeaningsEvidenceComesFromItsEnglishKeys) {
    const EnglishPrimacy primacy({{"setting", "n", {{"asetus", {}}}},
                                  {"decree", "n", {{"määräys, asetus", {}}}},
                                  {"alter", "v", {{"muuttaa", {}}}},
                                  {"change", "n", {{"muutos", {}}, {"muuttaa", {}}}},
                                  {"when", "adv", {{"milloin", {}}, {"kun, muuttaa", {}}}}});
    std::vector<CataloguePair> distinct;
    for (int k = 0; k < 12; ++k) distinct.push_back({"Settings " + std::string(1, char('a' + k)), "Asetukset"});
    distinct.push_back({"Setting", "Arvo"});
    const CatalogueCounts counts(distinct, [](const std::string& word) {
        return std::vector<std::string>{lower_case(word) == "asetukset" ? "asetus" : lower_case(word)};
    });
    const SenseEvidence evidence(primacy, counts, {"the", "setting", "decree", "go", "when", "change", "alter"});
    const auto setting = evidence.of("asetus", "setting (placement of a control)");
    EXPECT_EQ(setting.primacy, 3);
    EXPECT_EQ(setting.rank, 1u);
    EXPECT_EQ(setting.together, 12u);  // "settings" counts for "setting"
    EXPECT_DOUBLE_EQ(setting.share, 12.0 / 13.0);
    const auto decree = evidence.of("asetus", "decree");
    EXPECT_EQ(decree.primacy, 2);  // a later translation of the first sense
    EXPECT_EQ(decree.rank, 2u);
    EXPECT_EQ(decree.together, 0u);
    EXPECT_EQ(evidence.of("asetus", "unrelated").rank, kUnknownRank);
    // A first translation's meaning is as common as its commonest word that
    // some sense gives the headword first ("change"), not one it is a later
    // translation of ("when").
    const auto alter = evidence.of("muuttaa", "alter, change, when");
    EXPECT_EQ(alter.primacy, 3);
    EXPECT_EQ(alter.rank, 5u);
    // Where the English-Finnish side names the headword for none of its
    // words, the meaning is as common as its first word.
    const auto unnamed = evidence.of("asetus", "go, the");
    EXPECT_EQ(unnamed.primacy, 0);
    EXPECT_EQ(unnamed.rank, 3u);
    EXPECT_EQ(evidence.first_translations("asetus", {"setting", "decree", "setting (placement)"}), 1u);
    // A phrase is as common as its least common word, and half as much again per further word.
    EXPECT_EQ(evidence.rank("go the"), 4u);
    EXPECT_EQ(evidence.rank("decree the go"), 6u);
    EXPECT_EQ(evidence.rank("go nowhere"), kUnknownRank);
}

TEST(SenseEvidence, ASenseLeadsOnlyOnAClearMargin) {
    using E = MeaningEvidence;
    struct Row {
        const char* what;
        E candidate;
        bool inverted;
        E first;
        std::optional<std::size_t> votes;
        bool first_names_field = false;
    };
    const Row rows[] = {
        // joka: "which, who" over "every, each": as primary, a commoner word, the catalogues'.
        {"commoner and translated", {3, 84, 59, 0.54}, false, {3, 228, 13, 0.42}, 2},
        {"all three", {3, 174, 40, 0.5}, false, {2, 4242, 6, 0.3}, 3},
        {"primacy and a commoner word", {3, 198, 0, 0}, false, {1, 3140, 0, 0}, 2},
        {"one vote is not enough", {3, 1000, 0, 0}, false, {2, 1200, 0, 0}, std::nullopt},
        {"twice as common, exactly", {2, 100, 0, 0}, false, {1, 200, 0, 0}, 2},
        {"a rarer word vetoes", {3, 5073, 40, 0.5}, false, {2, 1590, 8, 0.3}, std::nullopt},
        // Not over a field's sense, whose English word is common for its other senses:
        // muokattu "modified" over "dirty (computing: …)".
        {"over a field's sense", {3, 11258, 32, 0.47}, true, {2, 1190, 0, 0}, 2, true},
        {"catalogues need a share", {3, 500, 200, 0.1}, false, {3, 1200, 0, 0}, std::nullopt},
        {"catalogues need five more", {3, 500, 4, 0.9}, false, {3, 2000, 0, 0}, std::nullopt},
        // An inverted sense needs the catalogues: napsauttaa "click" over "snap".
        {"inverted with catalogues", {3, 5062, 117, 0.44}, true, {2, 3851, 1, 0.08}, 2},
        {"inverted on general text only", {3, 67, 0, 0}, true, {1, 578, 0, 0}, std::nullopt},
        // A lower tier by one needs both of the others: lisä "increase" over "premium".
        {"lower tier, both others", {1, 3675, 27, 0.43}, true, {2, 12616, 0, 0}, 2},
        // tapa "way" over "habit": seven messages of "way" of ten, none of "habit".
        {"lower tier, both others, five more", {2, 98, 7, 0.7}, false, {3, 3349, 0, 0}, 2},
        {"lower tier, one other", {1, 3675, 0, 0}, false, {2, 12616, 0, 0}, std::nullopt},
        {"two tiers lower", {1, 10, 100, 0.9}, false, {3, 5000, 0, 0}, std::nullopt},
    };
    for (const auto& row : rows) EXPECT_EQ(votes_to_lead(row.candidate, row.inverted, row.first, row.first_names_field), row.votes) << row.what;
}

}  // namespace
}  // namespace lomperi::data_build
