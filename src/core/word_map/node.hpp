#pragma once
// Nodes of a word map: reading one in place, and the node of a map under
// construction with the writer that turns it into bytes.
//
// A node is checked against the node area once, when it is read: every byte
// its header says it has must lie inside the area, so the accessors below
// read without further checks and damaged bytes give "no node" instead of a
// stray read.
#include <cstdint>
#include <cstring>
#include <vector>

#include "base/bytes.hpp"
#include "base/chunk_checks.hpp"
#include "core/word_map/file_format.hpp"

namespace lomperi::word_map {

// The bytes a node may occupy: [low, high) of data, between header and footer.
struct NodeArea {
    Bytes data;
    std::uint64_t low = 0;
    std::uint64_t high = 0;
    std::uint64_t version = 0;
    ChunkChecks checks;  // a node in a damaged chunk reads as no node

    // An unsigned value of `width` bytes (0 to 8), lowest byte at `at`. The
    // caller knows the bytes are inside the node; a whole word is loaded when
    // the array holds one there, and masked to the width.
    std::uint64_t uint_at(std::uint64_t at, std::uint8_t width) const {
        if (at + 8 <= data.size()) {
            std::uint64_t word;
            std::memcpy(&word, data.data() + at, 8);
            return width >= 8 ? word : word & ((std::uint64_t{1} << (8 * width)) - 1);
        }
        return read_uint(data, at, width);
    }
};

struct Transition {
    std::uint8_t input = 0;
    std::uint64_t output = 0;
    std::uint64_t target = 0;
};

class Node {
public:
    // The empty final node at address 0.
    Node() = default;

    // Reads the node whose state byte is at `address` into this one; false,
    // leaving it unusable, when its bytes do not fit into the area or are
    // damaged (counted as a read that met damage).
    bool read(const NodeArea& area, std::uint64_t address) {
        address_ = address;
        if (address == kEmptyAddress) {
            kind_ = Kind::Empty;
            count_ = 0;
            final_ = true;
            final_output_ = 0;
            return true;
        }
        if (address < area.low || address >= area.high || area.high > area.data.size()) return damaged();
        const std::uint8_t state = area.data[address];
        bool fits_area = false;
        switch (state & kKindMask) {
            case kOneTransNext: fits_area = read_one_next(area, state); break;
            case kOneTrans: fits_area = read_one(area, state); break;
            default: fits_area = read_any(area, state); break;
        }
        if (!fits_area) return damaged();
        return area.checks.intact(lowest_, address + 1 - lowest_);
    }

    std::uint64_t address() const { return address_; }
    bool is_final() const { return final_; }
    std::uint64_t final_output() const { return final_output_; }
    std::uint32_t size() const { return count_; }

    std::uint8_t input(const NodeArea& area, std::uint32_t i) const {
        return kind_ == Kind::Any ? area.data[inputs_top_ - i] : one_input_;
    }

    // The number of the transition taking `byte`, or size() when none does.
    std::uint32_t find(const NodeArea& area, std::uint8_t byte) const {
        if (kind_ != Kind::Any) return count_ == 1 && one_input_ == byte ? 0 : count_;
        if (indexed_) {
            const std::uint32_t i = area.data[index_low_ + byte];
            return i < count_ && area.data[inputs_top_ - i] == byte ? i : count_;
        }
        const std::uint8_t* inputs = area.data.data() + inputs_top_;
        for (std::uint32_t i = 0; i < count_; ++i) {
            if (*(inputs - i) == byte) return i;
        }
        return count_;
    }

    // Transition i (< size()); false when its target would not lie below
    // this node, which could let a walk loop.
    bool transition(const NodeArea& area, std::uint32_t i, Transition& out) const {
        out.input = input(area, i);
        if (kind_ == Kind::OneNext) {
            out.output = 0;
            out.target = lowest_ - 1;
            return true;
        }
        const std::uint64_t delta = area.uint_at(deltas_top_ - (i + 1) * std::uint64_t{address_width_}, address_width_);
        if (delta > lowest_) return damaged();
        out.target = delta == 0 ? kEmptyAddress : lowest_ - delta;
        out.output = output_width_ == 0 ? 0 : area.uint_at(outputs_top_ - (i + 1) * std::uint64_t{output_width_}, output_width_);
        return true;
    }

private:
    enum class Kind : std::uint8_t { Empty, OneNext, One, Any };

    static bool damaged() {
        note_damaged_read();
        return false;
    }

    // Whether the node bytes [address + 1 - size, address] lie in the node area.
    bool fits(const NodeArea& area, std::uint64_t size) const { return address_ + 1 - area.low >= size; }

    bool read_one_next(const NodeArea& area, std::uint8_t state);
    bool read_one(const NodeArea& area, std::uint8_t state);
    bool read_any(const NodeArea& area, std::uint8_t state);

    std::uint64_t address_ = kEmptyAddress;
    std::uint64_t lowest_ = 0;         // offset of the node's lowest byte
    std::uint64_t final_output_ = 0;
    std::uint64_t inputs_top_ = 0;     // offset of input 0; inputs run downwards
    std::uint64_t deltas_top_ = 0;     // one past the highest byte of delta 0
    std::uint64_t outputs_top_ = 0;    // one past the highest byte of output 0
    std::uint64_t index_low_ = 0;      // lowest offset of the 256-byte index
    std::uint32_t count_ = 0;
    Kind kind_ = Kind::Empty;
    std::uint8_t one_input_ = 0;       // input of the one-transition kinds
    std::uint8_t address_width_ = 0;
    std::uint8_t output_width_ = 0;
    bool final_ = true;
    bool indexed_ = false;
};

// A node of a map under construction, before it is written.
struct BuilderNode {
    bool is_final = false;
    std::uint64_t final_output = 0;
    std::vector<Transition> transitions;  // ascending input bytes
};

// Hash of a node's contents, fed field by field so that written nodes read
// back from the output hash the same as the node they came from.
class NodeHash {
public:
    NodeHash(bool is_final, std::uint64_t final_output) {
        add(is_final ? 1 : 0);
        add(final_output);
    }
    void add(const Transition& t) {
        add(t.input);
        add(t.output);
        add(t.target);
    }
    std::uint64_t value() const {
        std::uint64_t h = state_;
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdull;
        h ^= h >> 33;
        h *= 0xc4ceb9fe1a85ec53ull;
        return h ^ (h >> 33);
    }

private:
    void add(std::uint64_t v) {
        state_ = (state_ ^ v) * 0x9e3779b97f4a7c15ull;
        state_ ^= state_ >> 29;
    }
    std::uint64_t state_ = 0x2545f4914f6cdd1dull;
};

inline std::uint64_t hash_node(const BuilderNode& node) {
    NodeHash hash(node.is_final, node.final_output);
    for (const Transition& t : node.transitions) hash.add(t);
    return hash.value();
}

// Appends node to out in the most compact kind that fits it. last_address is
// the address of the node written just before (a target that needs no
// address field).
void write_node(std::vector<std::uint8_t>& out, const BuilderNode& node, std::uint64_t last_address);

}  // namespace lomperi::word_map
