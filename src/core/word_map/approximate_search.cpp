#include "core/word_map/approximate_search.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>

#include "base/utf8.hpp"

namespace lomperi::word_map {
namespace {

// A key letter may be followed by this many more than the query has; the
// costs of dropped letters end a walk sooner.
constexpr std::size_t kMaxExtraLetters = 8;

EditCost plus(EditCost a, EditCost b) {
    const std::uint32_t sum = std::uint32_t{a} + b;
    return sum >= kNoEdit ? kNoEdit : static_cast<EditCost>(sum);
}

// A key's bytes gathered into letters: how many continuation bytes the
// letter begun still needs, and its bits so far.
struct PartialLetter {
    char32_t bits = 0;
    std::uint8_t missing = 0;

    // False for a byte no UTF-8 key holds here.
    bool take(std::uint8_t byte) {
        if (missing > 0) {
            if ((byte & 0xC0) != 0x80) return false;
            bits = bits << 6 | (byte & 0x3F);
            --missing;
            return true;
        }
        if (byte < 0x80) {
            bits = byte;
        } else if (byte >= 0xC2 && byte <= 0xDF) {
            bits = byte & 0x1F;
            missing = 1;
        } else if (byte >= 0xE0 && byte <= 0xEF) {
            bits = byte & 0x0F;
            missing = 2;
        } else if (byte >= 0xF0 && byte <= 0xF4) {
            bits = byte & 0x07;
            missing = 3;
        } else {
            return false;
        }
        return true;
    }
    bool complete() const { return missing == 0; }
};

// A set of bytes, walked in ascending order.
class ByteSet {
public:
    void add(std::uint8_t byte) { words_[byte / 64] |= std::uint64_t{1} << (byte % 64); }
    // The least member at or above `from` (at most 256); 256 when none is.
    std::uint32_t next(std::uint32_t from) const {
        for (std::uint32_t word = from / 64; word < 4; ++word) {
            std::uint64_t bits = words_[word];
            if (word == from / 64) bits &= ~std::uint64_t{0} << (from % 64);
            if (bits != 0) return word * 64 + static_cast<std::uint32_t>(std::countr_zero(bits));
        }
        return 256;
    }

private:
    std::array<std::uint64_t, 4> words_{};
};

std::uint8_t first_byte(char32_t letter) {
    std::string text;
    append_utf8(text, letter);
    return static_cast<std::uint8_t>(text[0]);
}

class Walk {
public:
    Walk(const WordMap& map, std::u32string_view query, const EditCosts& costs, const ApproximateLimits& limits)
        : area_(map.node_area()), query_(query), costs_(costs), limits_(limits), width_(query.size() + 1),
          max_letters_(query.size() + kMaxExtraLetters), bound_(limits.max_cost) {
        rows_.assign((max_letters_ + 1) * width_, kNoEdit);
        least_.assign(max_letters_ + 1, kNoEdit);
        letters_.assign(max_letters_ + 1, 0);
        substitute_.resize(query.size());
        dropped_.resize(width_);
        added_.resize(query.size());
        swapped_.resize(query.size());
        for (std::size_t j = 0; j < query.size(); ++j) {
            added_[j] = costs.added(j);
            swapped_[j] = j == 0 ? kNoEdit : costs.swapped(j);
            least_swap_ = std::min(least_swap_, swapped_[j]);
        }
        least_edit_ = costs.least_edit();
        EditCost* first = row(0);
        first[0] = 0;
        least_[0] = 0;
        for (std::size_t j = 1; j < width_; ++j) first[j] = plus(first[j - 1], added_[j - 1]);
    }

    ApproximateResult run(const WordMap& map) {
        Frame root;
        if (limits_.max_matches == 0 || !map.read_root(root.node)) return finish();
        choose_targets(root);
        frames_.push_back(root);
        key_.clear();
        offer(root);
        Transition t;
        while (!frames_.empty()) {
            Frame& frame = frames_.back();
            const std::optional<std::uint32_t> i = next_transition(frame);
            if (!i) {
                frames_.pop_back();
                if (!frames_.empty()) key_.pop_back();
                continue;
            }
            if (result_.steps == limits_.max_steps) {
                result_.complete = false;
                break;
            }
            ++result_.steps;
            if (*i == frame.node.size() || !frame.node.transition(area_, *i, t)) continue;
            Frame child;
            if (!descend(frame, t, child)) continue;
            if (!child.node.read(area_, t.target)) continue;
            key_.push_back(t.input);
            frames_.push_back(child);
            offer(frames_.back());
        }
        return finish();
    }

private:
    struct Frame {
        Node node;
        std::uint64_t sum = 0;
        std::uint32_t next = 0;     // the next transition, or with targets the next byte
        std::uint32_t letters = 0;  // the key letters complete on the path to node
        PartialLetter partial;
        bool targeted = false;  // only the transitions of `targets` can stay within the bound
        ByteSet targets;
    };

    // The transition to try next: its number, size() for a target byte the
    // node has no transition for; nothing when the node is done.
    std::optional<std::uint32_t> next_transition(Frame& frame) const {
        if (!frame.targeted) {
            if (frame.next >= frame.node.size()) return std::nullopt;
            return frame.next++;
        }
        const std::uint32_t byte = frame.targets.next(frame.next);
        if (byte == 256) return std::nullopt;
        frame.next = byte + 1;
        return frame.node.find(area_, static_cast<std::uint8_t>(byte));
    }

    // With little left to spend, any letter but one alike to a query letter
    // still within the bound ends beyond it: only those are followed.
    void choose_targets(Frame& frame) const {
        const std::size_t d = frame.letters;
        if (std::int32_t{least_[d]} + least_edit_ <= bound_) return;
        if (d >= 1 && std::int32_t{least_[d - 1]} + least_swap_ <= bound_) return;
        const EditCost* costs = rows_.data() + d * width_;
        for (std::size_t j = 0; j < query_.size(); ++j) {
            if (std::int32_t{costs[j]} > bound_) continue;
            for (const char32_t letter : costs_.alike(j)) frame.targets.add(first_byte(letter));
        }
        frame.targeted = true;
    }

    EditCost* row(std::size_t letters) { return rows_.data() + letters * width_; }

    // The child frame of a transition, its row filled when the transition
    // completes a letter; false when no key below it is within the bound.
    bool descend(const Frame& parent, const Transition& t, Frame& child) {
        if (key_.size() >= kMaxKeyLength) return false;
        child.sum = parent.sum + t.output;
        child.partial = parent.partial;
        child.letters = parent.letters;
        if (!child.partial.take(t.input)) return false;
        if (!child.partial.complete()) return true;
        if (parent.letters == max_letters_) return false;
        child.letters = parent.letters + 1;
        letters_[child.letters] = child.partial.bits;
        least_[child.letters] = fill_row(child.letters);
        if (std::int32_t{least_[child.letters]} > bound_) return false;
        choose_targets(child);
        return true;
    }

    // Row `d` from the rows before it, for key letter d; its least cost.
    EditCost fill_row(std::size_t d) {
        const char32_t letter = letters_[d];
        const char32_t previous = d >= 2 ? letters_[d - 1] : 0;
        costs_.key_letter(letter, previous, substitute_, dropped_);
        const EditCost* above = row(d - 1);
        const EditCost* swap_row = d >= 2 ? row(d - 2) : nullptr;
        EditCost* out = row(d);
        out[0] = plus(above[0], dropped_[0]);
        EditCost least = out[0];
        for (std::size_t j = 1; j < width_; ++j) {
            EditCost cost = plus(above[j - 1], substitute_[j - 1]);
            cost = std::min(cost, plus(above[j], dropped_[j]));
            cost = std::min(cost, plus(out[j - 1], added_[j - 1]));
            if (swap_row != nullptr && j >= 2 && query_[j - 1] == previous && query_[j - 2] == letter) {
                cost = std::min(cost, plus(swap_row[j - 2], swapped_[j - 1]));
            }
            out[j] = cost;
            least = std::min(least, cost);
        }
        return least;
    }

    // The frame's key, when its node ends one within the bound.
    void offer(const Frame& frame) {
        if (!frame.node.is_final() || !frame.partial.complete()) return;
        const EditCost cost = row(frame.letters)[width_ - 1];
        if (std::int32_t{cost} > bound_ || !is_utf8(Bytes(key_))) return;
        auto& matches = result_.matches;
        if (matches.size() == limits_.max_matches) {
            // The latest of the dearest goes: on a tie the first in key order stay.
            auto dearest = matches.begin();
            for (auto m = matches.begin(); m != matches.end(); ++m) {
                if (m->cost >= dearest->cost) dearest = m;
            }
            matches.erase(dearest);
        }
        matches.push_back({std::string(as_text(Bytes(key_))), frame.sum + frame.node.final_output(), cost});
        if (matches.size() == limits_.max_matches) {
            EditCost dearest = 0;
            for (const auto& m : matches) dearest = std::max(dearest, m.cost);
            // Only a cheaper key can take a place now.
            bound_ = std::min<std::int32_t>(bound_, std::int32_t{dearest} - 1);
        }
    }

    ApproximateResult finish() {
        std::ranges::stable_sort(result_.matches, {}, &ApproximateMatch::cost);
        return std::move(result_);
    }

    NodeArea area_;
    std::u32string_view query_;
    const EditCosts& costs_;
    ApproximateLimits limits_;
    std::size_t width_;
    std::size_t max_letters_;
    std::int32_t bound_;  // below 0 once the matches are full at cost 0
    EditCost least_edit_ = 0;
    EditCost least_swap_ = kNoEdit;
    std::vector<EditCost> rows_;  // row d: the costs of the query's prefixes against the key's first d letters
    std::vector<EditCost> least_;  // the least cost of each row
    std::vector<char32_t> letters_;  // letters_[d]: key letter d (1-based)
    std::vector<EditCost> substitute_, dropped_, added_, swapped_;
    std::vector<Frame> frames_;
    std::vector<std::uint8_t> key_;
    ApproximateResult result_;
};

}  // namespace

ApproximateResult approximate_search(const WordMap& map, std::u32string_view query, const EditCosts& costs,
                                     const ApproximateLimits& limits) {
    if (query.size() > kMaxApproximateQuery) return {};
    return Walk(map, query, costs, limits).run(map);
}

}  // namespace lomperi::word_map
