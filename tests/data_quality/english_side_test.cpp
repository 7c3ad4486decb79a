// The English side of the embedded data set: the reverse search finds the
// Finnish words a learner expects, English words of meanings are no longer
// read as Finnish, and form-of meanings still expand the word they name.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>
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

// Whether a form-of wording names `phrase` as its Finnish word: "of X",
// "X + Y", "X, a form of Y".
bool named_by_wording(std::string meaning, std::string_view phrase) {
    for (char& c : meaning) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string p(phrase);
    return meaning.find("of " + p) != std::string::npos || meaning.find(p + " +") != std::string::npos ||
           meaning.find("+ " + p) != std::string::npos || meaning.find(p + ", a ") != std::string::npos;
}

// Whether the entry shows an English word of a meaning read as Finnish.
bool expands_english_word(const Dictionary& dictionary, const Dictionary& whole, std::string_view headword,
                          std::string* shown = nullptr) {
    const auto record = dictionary.gloss_record(headword);
    if (!record) return false;
    const auto view = expand::build_entry_view(dictionary, headword, *record);
    std::size_t line = 0;
    for (const auto& group : record->groups) {
        for (const auto& meaning : group.meanings) {
            for (const auto& expansion : view.lines[line]) {
                if (!is_english(whole, expansion.phrase) || named_by_wording(meaning, expansion.phrase)) continue;
                if (shown && shown->size() < 2000) *shown += " " + std::string(headword) + ":" + expansion.phrase;
                return true;
            }
            ++line;
        }
    }
    return false;
}

TEST(EnglishSide, EnglishWordsOfMeaningsAreNotExpanded) {
    const auto& whole = embedded_dictionary();
    const auto& finnish_only = embedded_dictionary_without_english();
    std::size_t sampled = 0, before = 0, after = 0;
    std::string shown;
    for (std::size_t k = 0; k < whole.headwords.size(); k += kSampleStep) {
        ++sampled;
        before += expands_english_word(finnish_only, whole, *whole.headwords.at(k)) ? 1 : 0;
        after += expands_english_word(whole, whole, *whole.headwords.at(k), &shown) ? 1 : 0;
    }
    const auto share = [&](std::size_t n) { return 100.0 * static_cast<double>(n) / static_cast<double>(sampled); };
    std::printf("entries expanding an English word: without the English side %zu of %zu (%.2f %%), with it %zu (%.2f %%)\n",
                before, sampled, share(before), after, share(after));
    EXPECT_LT(share(after), 1.0) << shown;
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

// Every word an entry expands, at any depth, as typed and as its base.
void collect_expanded(const std::vector<expand::Expansion>& expansions, std::set<std::string>& out) {
    for (const auto& e : expansions) {
        out.insert(e.phrase);
        if (e.base) out.insert(*e.base);
        for (const auto& children : e.children) collect_expanded(children, out);
    }
}

// A word is expanded once per entry, and a meaning expands at most three
// phrases: a compound of more parts, or a word an earlier meaning already
// expanded, counts as expanded wherever the entry shows it.
TEST(EnglishSide, FormOfMeaningsStillExpandTheWordTheyName) {
    const auto& dictionary = embedded_dictionary();
    struct Count {
        std::size_t named = 0, expanded = 0;
        std::string missed;
    } form_of, names, compound;
    for (std::size_t k = 0; k < dictionary.headwords.size(); k += kSampleStep) {
        const std::string_view headword = *dictionary.headwords.at(k);
        const auto record = dictionary.gloss_record(headword);
        if (!record) continue;
        const auto view = expand::build_entry_view(dictionary, headword, *record);
        std::set<std::string> shown;
        for (const auto& line : view.lines) collect_expanded(line, shown);
        for (const auto& group : record->groups) {
            for (const auto& meaning : group.meanings) {
                const auto words = named_words(meaning);
                if (words.size() > 3) continue;
                for (const auto& word : words) {
                    if (word == headword || !has_meaning(dictionary, word)) continue;
                    // The expansion looks phrases up lower-cased: a name reaches
                    // its entry only through a lower-case form that leads to it.
                    const bool name = std::isupper(static_cast<unsigned char>(word[0])) != 0;
                    Count& count = meaning.starts_with("compound of ") ? compound : name ? names : form_of;
                    ++count.named;
                    const bool found = shown.contains(word);
                    count.expanded += found ? 1 : 0;
                    if (!found && count.missed.size() < 300) count.missed += " " + std::string(headword) + ":" + word;
                }
            }
        }
    }
    std::printf("form-of meanings expanding the word they name: %zu of %zu;%s\n"
                "of them naming a name: %zu of %zu;%s\n"
                "compound parts expanded: %zu of %zu; missed:%s\n",
                form_of.expanded, form_of.named, form_of.missed.c_str(), names.expanded, names.named,
                names.missed.c_str(), compound.expanded, compound.named, compound.missed.c_str());
    EXPECT_EQ(form_of.expanded, form_of.named);
    // A part that is also a name ("Lahti") takes two of a meaning's three expansions.
    EXPECT_GE(static_cast<double>(compound.expanded), 0.995 * static_cast<double>(compound.named));
}

}  // namespace
}  // namespace lomperi::morphology
