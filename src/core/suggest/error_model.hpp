#pragma once
// What a misspelling costs: the errors learners of Finnish make, each with
// its cost and an example, in one table, and the rules that tell which error
// an edit is. A plain edit (a letter dropped, added or replaced) costs
// kPlainEdit; the errors learners make most cost less.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/word_map/approximate_search.hpp"

namespace lomperi::suggest {

using word_map::EditCost;

enum class LearnerError : std::uint8_t {
    Capital,          // a name typed in lower case
    Umlaut,           // a for ä, o for ö and back
    ConsonantLength,  // one consonant for two and back
    VowelLength,      // one vowel for two and back
    SpokenI,          // the i of a diphthong left out, as it is spoken
    SpokenEnding,     // a final n left out, or a vowel said twice for a diphthong
    NearKey,          // a key beside the meant one
    Swapped,          // two letters the other way round
    Dropped,          // a letter left out
    Added,            // a letter too many
    Replaced,         // another letter
};

struct ErrorCostRow {
    LearnerError error;
    EditCost cost;
    std::string_view example;  // typed → meant
};

inline constexpr EditCost kPlainEdit = 100;

inline constexpr ErrorCostRow kErrorCosts[] = {
    {LearnerError::Capital, 2, "helsinki → Helsinki"},
    {LearnerError::Umlaut, 30, "hyva → hyvä, tyo → työ, kädessa → kädessä"},
    {LearnerError::ConsonantLength, 35, "kaupasa → kaupassa, ravintolla → ravintola, kisssa → kissa"},
    {LearnerError::VowelLength, 40, "kauniis → kaunis, kuule → kuulee"},
    {LearnerError::SpokenI, 40, "kirjotan → kirjoitan, punanen → punainen"},
    {LearnerError::SpokenEnding, 50, "mennää → mennään, sanoo → sanoi"},
    {LearnerError::NearKey, 70, "kissq → kissa, talp → talo"},
    {LearnerError::Swapped, 80, "ksisa → kissa, ravintloa → ravintola"},
    {LearnerError::Dropped, kPlainEdit, "ravintla → ravintola"},
    {LearnerError::Added, kPlainEdit, "ravintoxla → ravintola"},
    {LearnerError::Replaced, kPlainEdit, "ravintela → ravintola"},
};

constexpr EditCost cost_of(LearnerError error) {
    for (const auto& row : kErrorCosts) {
        if (row.error == error) return row.cost;
    }
    return kPlainEdit;
}

// A plain edit and a cheap error at most, or several cheap errors. Two plain
// edits triple the walk over the word map and on learners' misspellings
// never brought the word meant into the first three.
inline constexpr EditCost kMaxSuggestionCost = kPlainEdit + cost_of(LearnerError::NearKey);

// Letters compared without their case: ASCII and Latin-1 letters, and the
// š and ž of Finnish loanwords.
char32_t fold_case(char32_t letter);
// The letter in the other case, for the letters fold_case knows.
char32_t other_case(char32_t letter);
bool is_vowel(char32_t letter);

// Which error a typed letter is where the word has `meant` after `previous`
// (0 at its start); nothing when the two are alike.
std::optional<LearnerError> replacement(char32_t typed, char32_t meant, char32_t previous);
// Which error it is to leave out `meant` after `previous` (0 at the start),
// `at_end` when nothing was typed after it.
LearnerError omission(char32_t meant, char32_t previous, bool at_end);
// Which error a typed letter is that the word does not have, after the
// typed letter `previous` (0 at the start).
LearnerError addition(char32_t typed, char32_t previous);

// The typed word with one cheap error undone (at most `max_cost`), cheapest
// first: a letter doubled or made single, a or o for ä or ö and back, a
// spoken form's i or final n put back.
struct Respelling {
    std::u32string letters;
    EditCost cost = 0;
};
std::vector<Respelling> cheap_respellings(std::u32string_view typed, EditCost max_cost);

// The costs of a typed word's errors, for the approximate search.
class LearnerCosts : public word_map::EditCosts {
public:
    explicit LearnerCosts(std::u32string typed);

    void key_letter(char32_t letter, char32_t previous, std::span<EditCost> substitute,
                    std::span<EditCost> dropped) const override;
    EditCost added(std::size_t j) const override { return added_[j]; }
    EditCost swapped(std::size_t) const override { return cost_of(LearnerError::Swapped); }
    std::span<const char32_t> alike(std::size_t j) const override { return alike_[j]; }
    // Any error but a capital costs at least this much.
    EditCost least_edit() const override;

    const std::u32string& typed() const { return typed_; }

private:
    static constexpr char32_t kKeptLetters = 0x180;  // Latin letters, Finnish ones among them
    static constexpr std::uint32_t kNoColumn = 0xFFFFFFFF;

    std::span<const EditCost> column(char32_t letter) const;

    std::u32string typed_;
    std::vector<EditCost> added_;
    std::vector<std::u32string> alike_;  // each typed letter and its other case
    mutable std::vector<EditCost> columns_;  // one column per letter met, typed_.size() costs each
    mutable std::array<std::uint32_t, kKeptLetters> first_column_;
    mutable std::vector<EditCost> other_column_;  // of the last letter beyond them
};

}  // namespace lomperi::suggest
