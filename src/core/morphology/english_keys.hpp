#pragma once
// The keys of the English side: how the data build forms them from the
// meanings and the word list, and how a typed English word is looked up.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lomperi::morphology {

inline constexpr std::size_t kMaxEnglishKeyWords = 5;

// A typed English word or phrase as a key: lower-cased.
std::string english_key(std::string_view text);

// The key without a leading "to", "a", "an" or "the" ("to be" → "be"), as
// the meanings are indexed too; empty when it has no such lead.
std::string_view without_lead(std::string_view key);

// One key of a meaning, and how well it stands for the meaning: the first
// item, and an item without a description, are the general senses.
struct MeaningKey {
    std::string key;
    std::uint8_t tier = 0;  // 0 first plain item, 1 later plain, 2 first described, 3 later described
    friend bool operator==(const MeaningKey&, const MeaningKey&) = default;
};

// The keys of one meaning: its items (split at commas and semicolons outside
// brackets), each without its bracketed descriptions and outer marks,
// lower-cased, of at most five words; and each again without its lead.
std::vector<MeaningKey> meaning_keys(std::string_view meaning);

// The key of a word of the English word list ("House's" → "house"); empty
// when it makes none.
std::string word_list_key(std::string_view word);

}  // namespace lomperi::morphology
