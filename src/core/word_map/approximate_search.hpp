#pragma once
// The keys of a word map near a query: a weighted edit distance, row by row,
// walked together with the map, so that the work is bounded by the states
// the walk reaches within the cost, never by the size of the map.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/word_map/word_map.hpp"

namespace lomperi::word_map {

using EditCost = std::uint16_t;
inline constexpr EditCost kNoEdit = 0xFFFF;  // an edit not allowed: beyond any budget

// What each edit turning the query into a key costs. The query's letters are
// known from the start; a key's letters are read one at a time as the walk
// reaches them.
class EditCosts {
public:
    virtual ~EditCosts() = default;

    // For the key letter `letter`, which follows the key letter `previous`
    // (0 at the key's start): substitute[j] (j < n) what it costs read against
    // query letter j (0 when they are alike), and dropped[j] (j <= n) what it
    // costs as a letter the query lacks just before query letter j.
    virtual void key_letter(char32_t letter, char32_t previous, std::span<EditCost> substitute,
                            std::span<EditCost> dropped) const = 0;
    // Query letter j typed where the key has none.
    virtual EditCost added(std::size_t j) const = 0;
    // Query letters j - 1 and j typed the other way round (j >= 1).
    virtual EditCost swapped(std::size_t j) const = 0;
    // The key letters that read as query letter j for less than least_edit():
    // the letter itself, and say its other case.
    virtual std::span<const char32_t> alike(std::size_t j) const = 0;
    // The least that any other edit costs. Where no more than that is left
    // to spend, the walk follows only the transitions of alike letters.
    virtual EditCost least_edit() const = 0;
};

struct ApproximateLimits {
    EditCost max_cost = 0;
    std::size_t max_matches = 0;  // the cheapest are kept; on a tie, the first in key order
    std::size_t max_steps = 0;    // transitions followed
};

struct ApproximateMatch {
    std::string key;
    std::uint64_t value = 0;
    EditCost cost = 0;
};

struct ApproximateResult {
    std::vector<ApproximateMatch> matches;  // cheapest first, then in key order
    std::size_t steps = 0;
    bool complete = true;  // false when the step cap ended the walk
};

// Longer queries find nothing: a row per letter bounds the work per step.
inline constexpr std::size_t kMaxApproximateQuery = 48;

// The keys whose cost from `query` is at most limits.max_cost. Keys that are
// not UTF-8 are never matched. Damaged nodes end their branch (a read that
// met damage, as everywhere).
ApproximateResult approximate_search(const WordMap& map, std::u32string_view query, const EditCosts& costs,
                                     const ApproximateLimits& limits);

}  // namespace lomperi::word_map
