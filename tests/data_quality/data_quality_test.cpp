// The embedded data set against what data/README.md states and what a
// learner needs first: common words and their forms.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/morphology/dictionary.hpp"
#include "core/morphology/headword_search.hpp"
#include "core/morphology/inflection_lookup.hpp"
#include "embedded_dictionary.hpp"

namespace lomperi::morphology {
namespace {

std::vector<std::string> lines_of(const char* path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error(std::string("cannot read ") + path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The rows "| name | 123,456 |" of the README's count table.
std::map<std::string, double> stated_counts() {
    std::map<std::string, double> counts;
    for (const auto& line : lines_of(LOMPERI_DATA_README)) {
        if (!line.starts_with("| ") || !line.ends_with(" |")) continue;
        const std::size_t bar = line.rfind(" | ", line.size() - 3);
        if (bar == std::string::npos || bar < 2) continue;
        std::string digits = line.substr(bar + 3, line.size() - 2 - (bar + 3));
        std::erase(digits, ',');
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) continue;
        counts[line.substr(2, bar - 2)] = std::stod(digits);
    }
    return counts;
}

std::size_t meaning_count(const Dictionary& dictionary) {
    std::size_t count = 0;
    for (const auto& headword : dictionary.headwords) {
        const auto record = dictionary.gloss_record(headword);
        if (!record) continue;
        for (const auto& group : record->groups) count += group.meanings.size();
    }
    return count;
}

bool has_meaning(const Dictionary& dictionary, std::string_view headword) {
    const auto record = dictionary.gloss_record(headword);
    if (!record) return false;
    for (const auto& group : record->groups) {
        if (!group.meanings.empty()) return true;
    }
    return false;
}

TEST(DataQuality, CountsAreWithinFivePercentOfTheReadme) {
    const auto& dictionary = embedded_dictionary();
    const auto stated = stated_counts();
    const std::vector<std::pair<std::string, double>> rows{
        {"headwords (glosses.fst keys)", static_cast<double>(dictionary.glosses.len())},
        {"meanings", static_cast<double>(meaning_count(dictionary))},
        {"word forms (inflections.fst keys)", static_cast<double>(dictionary.inflections.len())},
        {"multi entries (inflections-multi.bin)", static_cast<double>(dictionary.multi.size())},
    };
    for (const auto& [name, actual] : rows) {
        ASSERT_TRUE(stated.contains(name)) << "data/README.md states no count of " << name;
        EXPECT_NEAR(actual, stated.at(name), stated.at(name) * 0.05) << name;
    }
}

TEST(DataQuality, CommonWordsHaveEntriesAndForms) {
    const auto& dictionary = embedded_dictionary();
    const std::vector<std::pair<std::string, std::string>> rows{
        {"kehua", "kehui"}, {"talo", "talossa"}, {"olla", "oli"}, {"hyvä", "parempi"}, {"kissa", "kissan"},
    };
    for (const auto& [headword, form] : rows) {
        EXPECT_TRUE(has_meaning(dictionary, headword)) << headword;
        const auto bases = bases_of(dictionary, form);
        EXPECT_NE(std::ranges::find(bases, headword), bases.end()) << form << " does not lead to " << headword;
        EXPECT_FALSE(bases_of(dictionary, headword).empty()) << headword << " is no key of the form map";
    }
}

TEST(DataQuality, OliLeadsToOllaAndExplainsItself) {
    const auto& dictionary = embedded_dictionary();
    const auto bases = bases_of(dictionary, "oli");
    EXPECT_NE(std::ranges::find(bases, "olla"), bases.end());
    const auto record = dictionary.gloss_record("oli");
    ASSERT_TRUE(record.has_value());
    ASSERT_FALSE(record->groups.empty());
    EXPECT_EQ(record->groups[0].pos, "verb");
    const auto& meanings = record->groups[0].meanings;
    EXPECT_NE(std::ranges::find(meanings, "third-person singular past indicative of olla"), meanings.end());
}

TEST(DataQuality, TheMostFrequentFormsReachAnEnglishMeaning) {
    const auto& dictionary = embedded_dictionary();
    std::size_t total = 0, finnish = 0, reached = 0, finnish_reached = 0;
    std::string missed;
    for (const auto& line : lines_of(LOMPERI_TOP_FORMS)) {
        if (line.empty() || line.starts_with('#')) continue;
        const std::string form = line.substr(0, line.find('\t'));
        const bool foreign = line.ends_with("\tforeign");
        ++total;
        finnish += foreign ? 0 : 1;
        bool found = false;
        for (const auto base : bases_of(dictionary, form)) found = found || has_meaning(dictionary, base);
        reached += found ? 1 : 0;
        finnish_reached += found && !foreign ? 1 : 0;
        if (!found) missed += " " + form + (foreign ? "*" : "");
    }
    ASSERT_EQ(total, 1000u);
    const double share = 100.0 * static_cast<double>(finnish_reached) / static_cast<double>(finnish);
    std::printf("frequent forms reaching an English meaning: %zu of %zu, of the Finnish ones %zu of %zu (%.1f %%); "
                "missed (* foreign):%s\n", reached, total, finnish_reached, finnish, share, missed.c_str());
    EXPECT_GE(share, 99.0);
}

// Whole paradigms: forms that no word list holds, possessive and clitic
// forms, and compounds that lead to their parts through their entry.
TEST(DataQuality, ParadigmsAndCompounds) {
    const auto& dictionary = embedded_dictionary();
    const std::vector<std::pair<std::string, std::string>> forms{
        {"talojen", "talo"}, {"taloissamme", "talo"}, {"taloissakin", "talo"}, {"kirjoittamattomia", "kirjoittamaton"},
        {"kissoiltaan", "kissa"}, {"levytilaa", "levytila"}, {"pakettiluettelon", "pakettiluettelo"},
    };
    for (const auto& [form, headword] : forms) {
        const auto bases = bases_of(dictionary, form);
        EXPECT_NE(std::ranges::find(bases, headword), bases.end()) << form << " does not lead to " << headword;
    }
    const std::vector<std::pair<std::string, std::string>> compounds{
        {"levytila", "compound of levy + tila"}, {"pakettiluettelo", "compound of paketti + luettelo"},
    };
    for (const auto& [headword, meaning] : compounds) {
        const auto record = dictionary.gloss_record(headword);
        ASSERT_TRUE(record.has_value()) << headword;
        ASSERT_FALSE(record->groups.empty());
        EXPECT_EQ(record->groups.front().meanings.front(), meaning);
    }
    EXPECT_GE(dictionary.inflections.len(), 10'000'000u);
}

}  // namespace
}  // namespace lomperi::morphology
