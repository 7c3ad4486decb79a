// The analyser over the embedded transducer: its readings against a table
// of libvoikko's, and the ranking and entry choice a reader relies on.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/analysis/labels.hpp"
#include "core/cli/gloss.hpp"
#include "core/morphology/analysis.hpp"
#include "core/answer/entry_choice.hpp"
#include "embedded_dictionary.hpp"

namespace lomperi::morphology {
namespace {

// "class=noun;case=inessive;…" in the table's order; of the clitics only
// those libvoikko tells.
std::string attributes(const analysis::Reading& reading) {
    using analysis::label;
    const analysis::Form& r = reading.form;
    std::string out;
    const auto add = [&](std::string_view name, std::string_view value) {
        if (value.empty()) return;
        if (!out.empty()) out += ';';
        out += fmt::format("{}={}", name, value);
    };
    add("class", label(r.word_class).json);
    add("case", label(r.grammatical_case).json);
    add("number", label(r.number).json);
    add("person", label(r.person, r.number).json);
    add("mood", label(r.mood).json);
    add("tense", label(r.tense).json);
    add("infinitive", label(r.infinitive).json);
    add("participle", label(r.participle).json);
    add("comparison", label(r.comparison).json);
    add("possessive", label(r.possessive).json);
    std::set<std::string> told;
    for (const auto clitic : r.clitics) {
        if (clitic == analysis::Clitic::Kin || clitic == analysis::Clitic::Kaan || clitic == analysis::Clitic::Ko) {
            told.insert(std::string(label(clitic).json));
        }
    }
    std::string clitics;
    for (const auto& clitic : told) clitics += (clitics.empty() ? "" : ",") + clitic;
    add("clitics", clitics);
    if (r.negative != analysis::Negative::None) add("negative", r.negative == analysis::Negative::Yes ? "true" : "false");
    return out;
}

std::map<std::string, std::set<std::string>> libvoikko_table() {
    std::ifstream in(LOMPERI_LIBVOIKKO_ANALYSES);
    if (!in) throw std::runtime_error("cannot read " LOMPERI_LIBVOIKKO_ANALYSES);
    std::map<std::string, std::set<std::string>> table;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line.starts_with('#')) continue;
        const std::size_t tab = line.find('\t');
        auto& analyses = table[line.substr(0, tab)];
        if (line.substr(tab + 1) != "-") analyses.insert(line.substr(tab + 1));
    }
    return table;
}

TEST(Analysis, AgreesWithLibvoikko) {
    const auto& dictionary = embedded_dictionary();
    const auto table = libvoikko_table();
    ASSERT_GT(table.size(), 300u);
    for (const auto& [word, expected] : table) {
        std::set<std::string> readings;
        for (const auto& r : analyse_afresh(dictionary, word)) readings.insert(r.lemma + "\t" + attributes(r));
        EXPECT_EQ(readings, expected) << word;
    }
}

TEST(Analysis, TheEverydayReadingComesFirstAndLeadsToItsEntry) {
    const struct {
        const char* word;
        const char* top_lemma;
        const char* headword;  // whose entry the word shows
    } cases[] = {
        {"tuli", "tulla", "tulla"},
        {"ota", "ottaa", "ottaa"},
        {"on", "olla", "olla"},
        {"taloansa", "talo", "talo"},
        {"taloissammekin", "talo", "talo"},
        {"kirjaanikohan", "kirja", "kirja"},
        {"sivulla", "sivu", "sivu"},
        {"tiedot", "tieto", "tieto"},
        {"toiseen", "toinen", "toinen"},
        {"poistaminen", "poistaa", "poistaa"},
        // No entry for the lemma: nothing rather than "juoksen + teli".
        {"juoksentelisinkohan", "juoksennella", "(none)"},
        // A derived word without an entry: its own lemma, told by its base word.
        {"tuettu", "tuettu", "tuettu"},
    };
    const auto& dictionary = embedded_dictionary();
    for (const auto& c : cases) {
        const auto readings = analyse(dictionary, c.word);
        ASSERT_FALSE(readings.empty()) << c.word;
        EXPECT_EQ(readings.front().lemma, c.top_lemma) << c.word;
        EXPECT_EQ(cli::gloss_word(dictionary, c.word).headword.value_or("(none)"), c.headword) << c.word;
    }
}

// What --gloss prints for the words readers meet most: the everyday sense.
TEST(Analysis, TheFirstMeaningIsTheEverydayOne) {
    const struct {
        const char* word;
        const char* headword;
        const char* meaning_starts;
    } cases[] = {
        {"aika", "aika", "time"},           {"tekee", "tehdä", "do"},
        {"voidaan", "voida", "can"},        {"näytä", "näyttää", "look"},
        {"esimerkiksi", "esimerkiksi", "for example"},
        {"asteikko", "asteikko", "scale"},  {"tämän", "tämä", "this"},
        {"on", "olla", "be"},               {"kaikki", "kaikki", "all"},
        {"sama", "sama", "same"},           {"nämä", "nämä", "these"},
        {"jälkeen", "jälkeen", "after"},    {"ilman", "ilman", "without"},
        {"liian", "liian", "too"},          {"sillä", "sillä", "for"},
        {"valinta", "valinta", "choice"},   {"sisällä", "sisällä", "inside"},
        // Lexicalised particles the analyser reads only as case forms.
        {"varsinkin", "varsinkin", "especially"}, {"lopulta", "lopulta", "finally"},
        {"välillä", "välillä", "between"},  {"kotonakin", "kotona", "home"},
        // A plural-only word; a possessive form whose entry names the form.
        {"kasvoissa", "kasvot", "face"},    {"silmäni", "silmä", "eye"},
        // A name is no compound of its parts.
        {"Heinäveden", "Heinävesi", "a place name"},
        // A participle whose own entry only names its form: the meaning of its verb (määritelty is
        // määritellä's, derived from määrittää).
        {"määritelty", "määritellä", "define"},
        {"käytettävissä", "käyttää", "use"},
        {"olevan", "olla", "be"},
    };
    const auto& dictionary = embedded_dictionary();
    for (const auto& c : cases) {
        const auto glossed = cli::gloss_word(dictionary, c.word);
        EXPECT_EQ(glossed.headword.value_or("(none)"), c.headword) << c.word;
        const std::string meaning = glossed.meaning.value_or("");
        EXPECT_TRUE(meaning.starts_with(c.meaning_starts)) << c.word << ": " << meaning;
    }
}

// Spoken forms no analyser knows lead to their standard word, and say so;
// a word that is a word as written stays that word.
TEST(Analysis, SpokenFormsLeadToTheirStandardWord) {
    const struct {
        const char* word;
        const char* headword;
        const char* note;  // the first line above the entry; "" for none
    } cases[] = {
        {"mä", "minä", "mä = spoken form of minä"},   {"mun", "minä", "mun = spoken form of minun"},
        {"oon", "olla", "oon = spoken form of olen"}, {"mennää", "mennä", "mennää = spoken form of mennään"},
        {"kaks", "kaksi", "kaks = spoken form of kaksi"}, {"Sä", "sinä", "Sä = spoken form of sinä"},
        {"ett", "että", "ett = spoken form of että"}, {"ni", "niin", "ni = spoken form of niin"},
        {"musta", "musta", ""},
    };
    const auto& dictionary = embedded_dictionary();
    for (const auto& c : cases) {
        const auto choice = answer::choose_entry(dictionary, c.word);
        EXPECT_EQ(choice.headword.value_or("(none)"), c.headword) << c.word;
        const std::string note = choice.notes.empty() ? "" : choice.notes.front().text;
        if (std::string_view(c.note).empty()) {
            EXPECT_EQ(note.find("spoken"), std::string::npos) << c.word;
        } else {
            EXPECT_EQ(note, c.note) << c.word;
        }
    }
}

TEST(Analysis, InterlinearGlossOfASentence) {
    cli::Glosser glosser(embedded_dictionary(), cli::GlossStyle::Interlinear, 80);
    std::string out;
    glosser.gloss_line("Talossamme on kissa.", out);
    EXPECT_EQ(out,
              "Talossamme    on      kissa.\n"
              "talo-ssa-mme  o-n     kissa\n"
              "house-in-our  be-3sg  cat\n\n");
}

TEST(Analysis, APossessiveFormIsNoCompound) {
    const auto readings = analyse(embedded_dictionary(), "taloansa");
    ASSERT_FALSE(readings.empty());
    EXPECT_EQ(readings.front().form.possessive, analysis::Possessive::Third);
    EXPECT_EQ(readings.front().compound_parts, 1u);
}

// Words the analyser knows are never another word that begins the same, nor
// a respelling, nor a guessed split.
TEST(Analysis, AKnownWordWithoutAnEntryReachesNoOtherWord) {
    const auto& dictionary = embedded_dictionary();
    for (const char* word : {"tulostumattomatkin", "kirjoittamattomiakaan", "tyylisiltä", "verran"}) {
        const auto glossed = cli::gloss_word(dictionary, word);
        const auto readings = analyse(dictionary, word);
        ASSERT_FALSE(readings.empty()) << word;
        if (!glossed.headword) continue;
        bool from_analysis = false;
        for (const auto& r : readings) {
            from_analysis = from_analysis || *glossed.headword == r.lemma ||
                            (!r.parts.empty() && *glossed.headword == r.parts.front().lemma);
        }
        EXPECT_TRUE(from_analysis) << word << " → " << *glossed.headword;
    }
}

}  // namespace
}  // namespace lomperi::morphology
