#include "core/morphology/forgiving_lookup.hpp"

#include <gtest/gtest.h>

#include "support/test_data.hpp"
#include "support/test_transducer.hpp"

namespace lomperi::morphology {
namespace {

testing::TestDictionary forgiving_dictionary() {
    return testing::make_test_dictionary(
        {{"hyvä", {{"adj", {"good"}}}},
         {"jos", {{"conj", {"if"}}}},
         {"käydä", {{"verb", {"to visit"}}}},
         {"tekijä", {{"noun", {"maker"}}}},
         {"tekijänoikeus", {{"noun", {"copyright"}}}},
         {"oikeus", {{"noun", {"right"}}}},
         {"ehto", {{"noun", {"condition"}}}},
         {"levy", {{"noun", {"disc"}}}},
         {"tila", {{"noun", {"space"}}}},
         {"työ", {{"noun", {"work"}}}},
         {"talo", {{"noun", {"house"}}}},
         {"ćevapi", {{"noun", {"cevapi"}}}}},
        {{"hyvää", {"hyvä"}}, {"kävimme", {"käydä"}}, {"ehdot", {"ehto"}}, {"tilaa", {"tila"}}, {"tekijän", {"tekijä"}},
         {"oikeusehdot", {"oikeus"}}});
}

TEST(ForgivingLookup, FindsWhatWasMeant) {
    const auto t = forgiving_dictionary();
    struct Row {
        const char* query;
        bool lists_empty;
        std::optional<std::string> found;
        std::string note;
    };
    const Row rows[] = {
        {"talo", true, std::nullopt, ""},           // as typed: nothing to forgive
        {"Jos", false, "jos", "Jos → jos"},         // capitals even when something begins with the query
        {"JOS", true, "jos", "JOS → jos"},
        {"hyva", true, "hyvä", "hyva → hyvä"},
        {"Hyvaa", true, "hyvää", "Hyvaa → hyvää"},
        {"kavimme", true, "kävimme", "kavimme → kävimme"},
        {"hyva", false, std::nullopt, ""},          // letters only when nothing begins with the query
        {"tekijänoikeusehdot", true, "tekijänoikeusehdot", "tekijänoikeusehdot: tekijänoikeus + ehdot"},
        {"levytilaa", true, "levytilaa", "levytilaa: levy + tilaa"},
        {"työsopimus", true, std::nullopt, ""},     // "sopimus" is no word here
        {"qqq", true, std::nullopt, ""},
        {"Ćevapi", true, "ćevapi", "Ćevapi → ćevapi"},  // a capital beyond Latin-1
        // A hyphened word nothing reads or splits: its last part.
        {"Billboard-tilaa", true, "tilaa", "Billboard-tilaa: Billboard + tilaa"},
        {"-tilaa", true, "tilaa", "-tilaa: tilaa"},
        {"levy-tilaa", true, "levy-tilaa", "levy-tilaa: levy- + tilaa"},  // parts that are words split
        {"Billboard-x", true, std::nullopt, ""},
        // Longer than any key: neither varied nor split, however it would split.
        {"talotalotalotalotalotalotalotalotalotalotalotalotalotalotalotalotalotalotalotalotalotalotalo", true,
         std::nullopt, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.query);
        const auto forgiven = forgive_query(t.dict, row.query, row.lists_empty);
        ASSERT_EQ(forgiven.has_value(), row.found.has_value());
        if (!forgiven) continue;
        EXPECT_EQ(forgiven->found, *row.found);
        EXPECT_EQ(forgiven->note, row.note);
    }
}

// The a/ä and o/ö spellings that the analyser reads: one that begins with
// the letters that decided an earlier spelling has no analysis is left out,
// and one that differs within them is read ("käännös" after "käännos",
// whose walk stopped at its "o").
TEST(ForgivingLookup, FindsTheSpellingTheAnalyserReads) {
    const auto t = testing::make_analysed_dictionary(
        {{"käännös", {{"noun", {"translation"}}}}, {"kaakao", {{"noun", {"cocoa"}}}}}, {},
        testing::lexicon({"[Ln][Xp]käännös[X]käännöks[Sg][Ny]en", "[Ln][Xp]käännös[X]käännöks[Sine][Ny]essä",
                          "[Ln][Xp]kaakao[X]kaakao[Sine][Ny]ssa", "[Ln][Xp]säätö[X]säädö[Sine][Ny]ssä"}));
    struct Row {
        const char* query;
        std::optional<std::string> found;
    };
    const Row rows[] = {
        {"kaannoksen", "käännöksen"}, {"Kaannoksessa", "käännöksessä"}, {"kaakaossa", std::nullopt},
        {"kaakaossä", "kaakaossa"},   {"saadossa", std::nullopt},  // säätö has no entry
        {"kaannoksan", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.query);
        const auto forgiven = forgive_query(t.dict, row.query, true);
        ASSERT_EQ(forgiven.has_value(), row.found.has_value());
        if (forgiven) {
            EXPECT_EQ(forgiven->found, *row.found);
        }
    }
}

TEST(ForgivingLookup, CompoundPartsAndTheirEntry) {
    const auto t = forgiving_dictionary();
    const auto parts = split_into_parts(t.dict, "tekijänoikeusehdot");
    ASSERT_TRUE(parts.has_value());
    ASSERT_EQ(parts->size(), 2u);
    EXPECT_EQ((*parts)[0].text, "tekijänoikeus");
    EXPECT_EQ((*parts)[1].headword, "ehto");
    const auto record = compound_record(t.dict, *parts);
    EXPECT_EQ(record, (format::GlossRecord{{{"noun", {"tekijänoikeus, a part of the compound", "ehdot, a form of ehto"}}}}));
    // A linking "s" or hyphen after a headword, and no part shorter than two letters.
    EXPECT_EQ(split_into_parts(t.dict, "työ-ehto")->front().headword, "työ");
    EXPECT_FALSE(split_into_parts(t.dict, "talox").has_value());
}

}  // namespace
}  // namespace lomperi::morphology
