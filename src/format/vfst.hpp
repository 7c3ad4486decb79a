#pragma once
// The unweighted transducer format of voikko (VFST), read in place. voikko-fi's
// analyser maps a word (the input side, one character a symbol) to analyses
// (the output side: tags such as "[Ln]", "[Sine]" between surface letters).
//
// File: a 16-byte header (two cookies), a 16-bit symbol count, the symbols as
// NUL-terminated UTF-8 (0: epsilon; then the flag diacritics "@P.F.V@"; then
// single characters; then multi-character tags "[..]"), padding to 8 bytes,
// then cells of 8 bytes: input and output symbol (16 bits each), target
// state (24 bits) and, in a state's first cell, the number of further
// transitions (8 bits; 255: the count is in the next cell, plus one). A cell
// whose input is 0xFFFF marks its state final.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/bytes.hpp"
#include "base/error.hpp"

namespace lomperi::format {

struct VfstTransition {
    std::uint16_t input = 0;
    std::uint16_t output = 0;
    std::uint32_t target = 0;
};

// A flag diacritic: what it does to which feature.
struct VfstFlag {
    enum Op : std::uint8_t { Set, Clear, Unify, Require, Disallow, None };
    Op op = None;
    std::uint16_t feature = 0;
    std::uint16_t value = 0;  // kNeutral, kAny, then the named values
    static constexpr std::uint16_t kNeutral = 0;
    static constexpr std::uint16_t kAny = 1;
};

// Applies a flag diacritic to a path's feature values (one per feature);
// false when it blocks the path.
bool apply_flag(const VfstFlag& flag, std::uint16_t* values);

class Vfst {
public:
    static constexpr std::uint16_t kFinal = 0xFFFF;

    // Checks the header and reads the symbol table; the cells are read as
    // they are used, each within the file.
    static Result<Vfst> parse(Bytes file);

    std::size_t symbol_count() const { return symbols_.size(); }
    std::size_t cell_count() const { return cells_.size() / kCellSize; }
    std::string_view symbol(std::uint16_t s) const { return s < symbols_.size() ? symbols_[s] : std::string_view{}; }
    bool is_flag(std::uint16_t s) const { return s > 0 && s < first_normal_; }
    // Epsilon and the flags: symbols that consume no input.
    bool is_silent(std::uint16_t s) const { return s < first_normal_; }
    std::uint16_t first_letter() const { return first_normal_; }
    const VfstFlag& flag(std::uint16_t s) const { return flags_[s]; }
    std::size_t feature_count() const { return feature_count_; }
    // The input symbol of a character; nothing for a character the
    // transducer does not know.
    std::optional<std::uint16_t> input_symbol(char32_t ch) const {
        if (ch < latin1_symbols_.size()) {
            if (latin1_symbols_[ch] == 0) return std::nullopt;
            return latin1_symbols_[ch];
        }
        const auto found = input_symbols_.find(ch);
        if (found == input_symbols_.end()) return std::nullopt;
        return found->second;
    }

    // The transitions of the state at cell `state` into `out` (its final
    // marker included); none when they do not fit into the file.
    void transitions(std::uint32_t state, std::vector<VfstTransition>& out) const;

    // The same one at a time: how many the state has (0 when they do not fit
    // into the file), and transition k of them.
    std::uint32_t transition_count(std::uint32_t state) const {
        const std::uint64_t cells = cell_count();
        if (state >= cells) return 0;
        const std::uint8_t more = cells_[std::size_t{state} * kCellSize + 7];
        if (more < 255) return std::uint64_t{state} + more + 1 <= cells ? more + 1u : 0;
        return overflow_count(state);
    }
    VfstTransition transition(std::uint32_t state, std::uint32_t k) const {
        const bool overflow = cells_[std::size_t{state} * kCellSize + 7] == 255;
        return cell(std::uint64_t{state} + k + (overflow && k > 0 ? 1 : 0));
    }

    // The cells, for checking them.
    Bytes cells() const { return cells_; }

private:
    static constexpr std::size_t kCellSize = 8;
    std::uint32_t overflow_count(std::uint32_t state) const;
    VfstTransition cell(std::uint64_t index) const {
        const std::uint8_t* at = cells_.data() + index * kCellSize;
        std::uint32_t info = 0;
        std::memcpy(&info, at + 4, 4);
        return {static_cast<std::uint16_t>(at[0] | (at[1] << 8)), static_cast<std::uint16_t>(at[2] | (at[3] << 8)),
                info & 0xFFFFFF};
    }

    std::vector<std::string_view> symbols_;
    std::vector<VfstFlag> flags_;  // by symbol, for the flag diacritics
    std::unordered_map<char32_t, std::uint16_t> input_symbols_;
    std::array<std::uint16_t, 256> latin1_symbols_{};  // the common case without hashing; 0: unknown
    std::uint16_t first_normal_ = 0;
    std::size_t feature_count_ = 0;
    Bytes cells_;
};

}  // namespace lomperi::format
