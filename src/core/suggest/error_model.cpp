#include "core/suggest/error_model.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace lomperi::suggest {
namespace {

// The Finnish keyboard's letter rows, each row a quarter, half and three
// quarters of a key further right than the one above.
constexpr std::u32string_view kKeyRows[] = {U"qwertyuiopå", U"asdfghjklöä", U"zxcvbnm"};
constexpr int kRowShift[] = {0, 1, 3};  // in quarters of a key

struct KeyPlace {
    int row = -1;
    int quarters = 0;  // from the left edge
};

KeyPlace key_place(char32_t letter) {
    for (int row = 0; row < 3; ++row) {
        const auto column = kKeyRows[row].find(letter);
        if (column != std::u32string_view::npos) return {row, static_cast<int>(column) * 4 + kRowShift[row]};
    }
    return {};
}

bool near_keys(char32_t a, char32_t b) {
    const KeyPlace pa = key_place(a);
    const KeyPlace pb = key_place(b);
    if (pa.row < 0 || pb.row < 0) return false;
    const int across = std::abs(pa.quarters - pb.quarters);
    if (pa.row == pb.row) return across == 4;
    return std::abs(pa.row - pb.row) == 1 && across <= 3;
}

bool umlaut_pair(char32_t a, char32_t b) {
    const auto pair = [&](char32_t x, char32_t y) { return (a == x && b == y) || (a == y && b == x); };
    return pair(U'a', U'ä') || pair(U'o', U'ö') || pair(U'a', U'å');
}

}  // namespace

char32_t fold_case(char32_t letter) {
    if (letter >= U'A' && letter <= U'Z') return letter + 0x20;
    if (letter >= 0xC0 && letter <= 0xDE && letter != 0xD7) return letter + 0x20;
    if (letter == U'Š' || letter == U'Ž') return letter + 1;
    return letter;
}

char32_t other_case(char32_t letter) {
    if (const char32_t lower = fold_case(letter); lower != letter) return lower;
    if (letter >= U'a' && letter <= U'z') return letter - 0x20;
    if (letter >= 0xE0 && letter <= 0xFE && letter != 0xF7) return letter - 0x20;
    if (letter == U'š' || letter == U'ž') return letter - 1;
    return letter;
}

bool is_vowel(char32_t letter) {
    return std::u32string_view(U"aeiouyäöå").find(fold_case(letter)) != std::u32string_view::npos;
}

std::optional<LearnerError> replacement(char32_t typed, char32_t meant, char32_t previous) {
    if (typed == meant) return std::nullopt;
    const char32_t t = fold_case(typed);
    const char32_t m = fold_case(meant);
    if (t == m) return LearnerError::Capital;
    if (umlaut_pair(t, m)) return LearnerError::Umlaut;
    // "sanoo" for "sanoi": the diphthong's i said as its first vowel again.
    if (m == U'i' && is_vowel(previous) && t == fold_case(previous)) return LearnerError::SpokenEnding;
    if (near_keys(t, m)) return LearnerError::NearKey;
    return LearnerError::Replaced;
}

LearnerError omission(char32_t meant, char32_t previous, bool at_end) {
    const char32_t m = fold_case(meant);
    if (m == fold_case(previous)) return is_vowel(m) ? LearnerError::VowelLength : LearnerError::ConsonantLength;
    if (m == U'i' && is_vowel(previous)) return LearnerError::SpokenI;
    if (m == U'n' && at_end && is_vowel(previous)) return LearnerError::SpokenEnding;
    return LearnerError::Dropped;
}

LearnerError addition(char32_t typed, char32_t previous) {
    const char32_t t = fold_case(typed);
    if (t == fold_case(previous)) return is_vowel(t) ? LearnerError::VowelLength : LearnerError::ConsonantLength;
    return LearnerError::Added;
}

std::vector<Respelling> cheap_respellings(std::u32string_view typed, EditCost max_cost) {
    std::vector<Respelling> out;
    const auto add = [&](std::u32string letters, LearnerError error) {
        if (cost_of(error) > max_cost) return;
        if (std::ranges::any_of(out, [&](const Respelling& r) { return r.letters == letters; })) return;
        out.push_back({std::move(letters), cost_of(error)});
    };
    const std::size_t n = typed.size();
    for (std::size_t j = 0; j < n; ++j) {
        const char32_t letter = typed[j];
        const bool at_end = j + 1 == n;
        std::u32string doubled(typed);
        doubled.insert(j + 1, 1, letter);
        add(std::move(doubled), omission(letter, letter, at_end));
        if (j > 0 && fold_case(letter) == fold_case(typed[j - 1])) {
            std::u32string single(typed);
            single.erase(j, 1);
            add(std::move(single), addition(letter, typed[j - 1]));
        }
        for (const char32_t other : {U'a', U'ä', U'o', U'ö'}) {
            const auto error = replacement(letter, other, 0);
            if (!error || *error != LearnerError::Umlaut) continue;
            std::u32string respelt(typed);
            respelt[j] = other;
            add(std::move(respelt), *error);
        }
        if (is_vowel(letter)) {
            std::u32string with_i(typed);
            with_i.insert(j + 1, 1, U'i');
            add(std::move(with_i), omission(U'i', letter, at_end));
        }
        if (j > 0) {
            const auto error = replacement(letter, U'i', typed[j - 1]);
            if (error && *error == LearnerError::SpokenEnding) {
                std::u32string respelt(typed);
                respelt[j] = U'i';
                add(std::move(respelt), *error);
            }
        }
    }
    if (n > 0) add(std::u32string(typed) + U'n', omission(U'n', typed[n - 1], true));
    std::ranges::stable_sort(out, {}, &Respelling::cost);
    return out;
}

LearnerCosts::LearnerCosts(std::u32string typed) : typed_(std::move(typed)) {
    added_.reserve(typed_.size());
    alike_.reserve(typed_.size());
    for (std::size_t j = 0; j < typed_.size(); ++j) {
        added_.push_back(cost_of(addition(typed_[j], j == 0 ? 0 : typed_[j - 1])));
        std::u32string alike(1, typed_[j]);
        if (const char32_t other = other_case(typed_[j]); other != typed_[j]) alike.push_back(other);
        alike_.push_back(std::move(alike));
    }
    first_column_.fill(kNoColumn);
}

EditCost LearnerCosts::least_edit() const {
    EditCost least = word_map::kNoEdit;
    for (const auto& row : kErrorCosts) {
        if (row.error != LearnerError::Capital) least = std::min(least, row.cost);
    }
    return least;
}

// The column of a letter against the typed letters, found once per letter:
// a walk reads the same few letters at every step.
std::span<const EditCost> LearnerCosts::column(char32_t letter) const {
    const bool kept = letter < kKeptLetters;
    if (kept && first_column_[letter] != kNoColumn) return {columns_.data() + first_column_[letter], typed_.size()};
    std::vector<EditCost>& out = kept ? columns_ : other_column_;
    if (!kept) out.clear();
    const std::size_t first = out.size();
    for (const char32_t typed : typed_) {
        const auto error = replacement(typed, letter, 0);
        out.push_back(error ? cost_of(*error) : 0);
    }
    if (kept) first_column_[letter] = static_cast<std::uint32_t>(first);
    return {out.data() + first, typed_.size()};
}

void LearnerCosts::key_letter(char32_t letter, char32_t previous, std::span<EditCost> substitute,
                              std::span<EditCost> dropped) const {
    const auto costs = column(letter);
    std::copy(costs.begin(), costs.end(), substitute.begin());
    // The one replacement that depends on the letter before.
    if (fold_case(letter) == U'i' && is_vowel(previous)) {
        for (std::size_t j = 0; j < typed_.size(); ++j) {
            if (const auto error = replacement(typed_[j], letter, previous)) substitute[j] = std::min(substitute[j], cost_of(*error));
        }
    }
    const EditCost inside = cost_of(omission(letter, previous, false));
    std::fill(dropped.begin(), dropped.end(), inside);
    dropped[typed_.size()] = cost_of(omission(letter, previous, true));
}

}  // namespace lomperi::suggest
