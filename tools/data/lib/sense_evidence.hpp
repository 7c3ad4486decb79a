#pragma once
// Evidence of which sense of a Finnish word is its everyday one, from pinned
// sources, and the rule that lets such a sense lead its entry:
// - primacy: whether the English-Finnish side gives the word as the first
//   translation of an English word (general text);
// - how common the English word is, from a ranked frequency list (general text);
// - how often software translators put the word for the English word, from
//   translation catalogues (software text).
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogues.hpp"
#include "dictd.hpp"

namespace lomperi::data_build {

inline constexpr std::size_t kUnknownRank = 1'000'000;
// Longer messages say little about which word translates which.
inline constexpr std::size_t kMaxCatalogueWords = 12;

// How strongly the English-Finnish records name a Finnish word for an
// English word: 3 as the first translation of the first sense of the English
// word's main record (the one of most senses, the first of them on a tie),
// 2 as the first translation of another sense or a later one of that first
// sense, 1 as any translation, 0 not at all.
class EnglishPrimacy {
public:
    EnglishPrimacy() = default;
    explicit EnglishPrimacy(const std::vector<DictdRecord>& english_finnish);
    std::uint8_t tier(std::string_view finnish, std::string_view english) const;

private:
    std::unordered_map<std::string, std::uint8_t> tiers_;  // "finnish\tenglish"
};

// The lower-cased base forms of a Finnish word.
using Lemmatizer = std::function<std::vector<std::string>(const std::string& word)>;

// Over the distinct pairs of the catalogues of at most kMaxCatalogueWords
// words a side: how many English messages hold an English word or two-word
// phrase, and how many of those have a form of a Finnish lemma in their
// translation.
class CatalogueCounts {
public:
    CatalogueCounts() = default;
    CatalogueCounts(const std::vector<CataloguePair>& pairs, const Lemmatizer& lemmas);
    std::uint32_t english(std::string_view english) const;
    std::uint32_t together(std::string_view lemma, std::string_view english) const;
    std::size_t pairs() const { return pairs_; }

private:
    std::unordered_map<std::string, std::uint32_t> english_;
    std::unordered_map<std::string, std::uint32_t> together_;  // "lemma\tenglish"
    std::size_t pairs_ = 0;
};

// One meaning's evidence for one headword, over its English keys
// (morphology::meaning_keys): the best primacy tier; the frequency rank of
// the most common key of that tier, or of tier 2 or 3 when it is 3 ("alter,
// change" is as common as "change", which a sense gives the headword first
// for); of its first key when none names the headword; the catalogue count
// of the key the headword translates most often ("settings" counts for
// "setting"), and the share of that key's messages it makes.
struct MeaningEvidence {
    std::uint8_t primacy = 0;
    std::size_t rank = kUnknownRank;
    std::uint32_t together = 0;
    double share = 0;
};

class SenseEvidence {
public:
    SenseEvidence(EnglishPrimacy primacy, CatalogueCounts catalogues, const std::vector<std::string>& english_by_frequency);
    MeaningEvidence of(std::string_view headword, std::string_view meaning) const;
    // A word's position in the frequency list; a phrase ranks as its least
    // common word, half as much again for each further word.
    std::size_t rank(std::string_view english) const;
    std::size_t catalogue_pairs() const { return catalogues_.pairs(); }
    // How many distinct English keys of `meanings` have the headword as
    // their first translation (primacy tier 3).
    std::size_t first_translations(std::string_view headword, const std::vector<std::string>& meanings) const;

private:
    EnglishPrimacy primacy_;
    CatalogueCounts catalogues_;
    std::unordered_map<std::string, std::size_t> rank_;
};

// Whether the catalogues translate so clearly more often by `a` than by `b`:
// at least twice the count and kCatalogueMargin more.
inline constexpr std::uint32_t kCatalogueMargin = 5;
bool catalogues_prefer(const MeaningEvidence& a, const MeaningEvidence& b);

// Whether a candidate sense should lead instead of the current first one,
// and by how many votes. A vote each: a higher primacy tier; an English word
// at least twice as common; the catalogues (catalogues_prefer, and a fifth
// of the key's messages or more). It needs two votes; a sense from the
// inverted side needs the catalogues' among them (general
// text alone does not lift it over the dictionary's own senses); a lower tier
// needs both of the others; an English word less than half as common vetoes,
// unless the first sense is a field's (names_a_field: "dirty (computing: …)"),
// whose English word is common for its other senses.
std::optional<std::size_t> votes_to_lead(const MeaningEvidence& candidate, bool candidate_inverted,
                                          const MeaningEvidence& first, bool first_names_field);

}  // namespace lomperi::data_build
