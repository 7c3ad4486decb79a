#pragma once
// libvoikko's unweighted transducer format (VFST), read in place, and a walk
// over its paths. voikko-fi's analyser maps surface forms (the input side) to
// analyses (the output side: tags such as "[Ln]", "[Xp]talo[X]", "[Sine]"),
// so walking every path below a policy enumerates word forms with analyses.
//
// File: 16-byte header (two cookies), a 16-bit symbol count, the symbols as
// NUL-terminated strings (0: epsilon; then the flag diacritics "@P.F.V@";
// then characters and multi-character tags), padding to 8 bytes, then
// transitions of 8 bytes: input and output symbol (16 bits each), target
// state (24 bits) and, in a state's first cell, the number of further
// transitions (8 bits; 255: the count is in the next cell). A transition
// whose input symbol is 0xFFFF marks its state as final.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.hpp"
#include "base/error.hpp"

namespace lomperi::data_build {

class Vfst {
public:
    static Result<Vfst> parse(Bytes file);

    std::size_t symbol_count() const { return symbols_.size(); }
    std::size_t transition_count() const { return transitions_.size() / 8; }
    std::string_view symbol(std::uint16_t s) const { return symbols_[s]; }
    bool is_flag(std::uint16_t s) const { return s > 0 && s < first_normal_; }

    struct Transition {
        std::uint16_t input = 0;
        std::uint16_t output = 0;
        std::uint32_t target = 0;
    };
    struct Flag {
        char op = 0;  // P, C, U, R or D
        std::uint16_t feature = 0;
        std::uint16_t value = 0;  // 0 neutral, 1 any ("@"), then the named values
    };

    // The transitions of the state at cell `state` into `out`; none when it
    // does not fit into the file.
    void transitions(std::uint32_t state, std::vector<Transition>& out) const;
    const Flag& flag(std::uint16_t s) const { return flags_[s]; }
    std::size_t feature_count() const { return feature_count_; }
    static constexpr std::uint16_t kFinal = 0xFFFF;

private:
    Transition cell(std::uint32_t index) const;

    std::vector<std::string_view> symbols_;
    std::vector<Flag> flags_;  // by symbol, for the flag diacritics
    std::uint16_t first_normal_ = 0;
    std::size_t feature_count_ = 0;
    Bytes transitions_;
};

// At most `max` output tags of `tags` on one path.
struct TagLimit {
    std::vector<std::string> tags;
    int max = 0;
};

// Which paths a walk follows: it leaves a path on an input character outside
// `letters` and on an output tag beyond one of the limits (a limit of 0
// stops at the tag: compound boundaries, say).
struct PathPolicy {
    std::vector<TagLimit> limits;
    std::string letters;  // UTF-8: the characters a form may hold
    std::size_t max_input_bytes = 60;
};

// Calls `emit(form, analysis)` for every path from the start state to a
// final state that the policy allows, depth first, with the flag
// diacritics applied as the analyser applies them.
void walk_paths(const Vfst& vfst, const PathPolicy& policy,
                const std::function<void(std::string_view form, std::string_view analysis)>& emit);

}  // namespace lomperi::data_build
