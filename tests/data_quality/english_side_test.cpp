// The English side of the embedded data set: the reverse search finds the
// Finnish words a learner expects, English words of meanings are no longer
// read as Finnish, and form-of meanings still expand the word they name.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/expand/entry_view.hpp"
#include "core/morphology/english_search.hpp"
#include "embedded_dictionary.hpp"

namespace lomperi::morphology {
namespace {

constexpr std::size_t kSampleStep = 13;

TEST(EnglishSide, ReverseSearchPutsTheCommonWordNearTheTop) {
    const auto& dictionary = embedded_dictionary();
    ASSERT_TRUE(has_english(dictionary));
    const std::vector<std::pair<std::string, std::string>> rows{
        {"house", "talo"}, {"cat", "kissa"}, {"to be", "olla"}, {"copyright", "tekijänoikeus"}, {"computer", "tietokone"},
    };
    for (const auto& [english, finnish] : rows) {
        const auto matches = english_translations(dictionary, english, 5);
        std::printf("%s:", english.c_str());
        for (std::size_t k = 0; k < matches.size() && k < 3; ++k) {
            std::printf(" %s (%s);", matches[k].headword.c_str(), matches[k].meaning.c_str());
        }
        std::printf("\n");
        EXPECT_TRUE(std::ranges::any_of(matches, [&](const EnglishMatch& m) { return m.headword == finnish; }))
            << english << " does not list " << finnish << " among the first five";
    }
}

bool expands_english_word(const Dictionary& dictionary, const Dictionary& whole, std::string_view headword) {
    const auto record = dictionary.gloss_record(headword);
    if (!record) return false;
    for (const auto& line : expand::build_entry_view(dictionary, headword, *record).lines) {
        for (const auto& expansion : line) {
            if (is_english(whole, expansion.phrase)) return true;
        }
    }
    return false;
}

TEST(EnglishSide, EnglishWordsOfMeaningsAreNotExpanded) {
    const auto& whole = embedded_dictionary();
    const auto& finnish_only = embedded_dictionary_without_english();
    std::size_t sampled = 0, before = 0, after = 0;
    for (std::size_t k = 0; k < whole.headwords.size(); k += kSampleStep) {
        ++sampled;
        before += expands_english_word(finnish_only, whole, whole.headwords[k]) ? 1 : 0;
        after += expands_english_word(whole, whole, whole.headwords[k]) ? 1 : 0;
    }
    const auto share = [&](std::size_t n) { return 100.0 * static_cast<double>(n) / static_cast<double>(sampled); };
    std::printf("entries expanding an English word: without the English side %zu of %zu (%.2f %%), with it %zu (%.2f %%)\n",
                before, sampled, share(before), after, share(after));
    EXPECT_LT(share(after), 1.0);
}

// The Finnish words a form-of meaning names: "X" of "… of X", the parts of
// "compound of A + B".
std::vector<std::string> named_words(const std::string& meaning) {
    if (meaning.starts_with("compound of ")) {
        std::vector<std::string> parts;
        std::string rest = meaning.substr(12);
        for (std::size_t plus; (plus = rest.find(" + ")) != std::string::npos; rest = rest.substr(plus + 3)) {
            parts.push_back(rest.substr(0, plus));
        }
        parts.push_back(rest);
        return parts;
    }
    const std::size_t of = meaning.rfind(" of ");
    if (of == std::string::npos || meaning.find(' ', of + 4) != std::string::npos) return {};
    return {meaning.substr(of + 4)};
}

bool has_meaning(const Dictionary& dictionary, const std::string& headword) {
    const auto record = dictionary.gloss_record(headword);
    return record && std::ranges::any_of(record->groups, [](const auto& g) { return !g.meanings.empty(); });
}

TEST(EnglishSide, FormOfMeaningsStillExpandTheWordTheyName) {
    const auto& dictionary = embedded_dictionary();
    std::size_t named = 0, expanded = 0;
    std::string missed;
    for (std::size_t k = 0; k < dictionary.headwords.size(); k += kSampleStep) {
        const std::string_view headword = dictionary.headwords[k];
        const auto record = dictionary.gloss_record(headword);
        if (!record) continue;
        const auto view = expand::build_entry_view(dictionary, headword, *record);
        std::size_t line = 0;
        for (const auto& group : record->groups) {
            for (const auto& meaning : group.meanings) {
                const auto& expansions = view.lines[line++];
                for (const auto& word : named_words(meaning)) {
                    if (word == headword || !has_meaning(dictionary, word)) continue;
                    ++named;
                    const bool found = std::ranges::any_of(expansions, [&](const expand::Expansion& e) {
                        return e.phrase == word || e.base == word;
                    });
                    expanded += found ? 1 : 0;
                    if (!found && missed.size() < 400) missed += " " + std::string(headword) + ":" + word;
                }
            }
        }
    }
    std::printf("form-of and compound meanings expanding the word they name: %zu of %zu; missed:%s\n", expanded, named,
                missed.c_str());
    EXPECT_EQ(expanded, named);
}

}  // namespace
}  // namespace lomperi::morphology
