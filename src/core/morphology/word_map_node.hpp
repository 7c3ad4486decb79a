#pragma once
// Reading single nodes of a word map in place. Every read is checked against
// the node area, so damaged bytes give "no node" instead of a stray read.
#include <cstdint>
#include <optional>

#include "base/bytes.hpp"

namespace lomperi::morphology {

// The bytes a node may occupy: [low, high) of data, between header and footer.
struct NodeArea {
    Bytes data;
    std::uint64_t low = 0;
    std::uint64_t high = 0;
    std::uint64_t version = 0;
};

struct NodeTransition {
    std::uint8_t input = 0;
    std::uint64_t output = 0;
    std::uint64_t target = 0;
};

class WordMapNode {
public:
    // The node whose state byte is at address; address 0 is the empty final node.
    static std::optional<WordMapNode> read(const NodeArea& area, std::uint64_t address);

    std::uint64_t address() const { return address_; }
    bool is_final() const { return final_; }
    std::uint64_t final_output() const { return final_output_; }
    std::uint32_t size() const { return count_; }

    // Transition i (< size()); nothing when its target lies outside the map.
    std::optional<NodeTransition> transition(const NodeArea& area, std::uint32_t i) const;
    std::uint8_t input(const NodeArea& area, std::uint32_t i) const;
    // The number of the transition taking this input byte.
    std::optional<std::uint32_t> find(const NodeArea& area, std::uint8_t input) const;

private:
    enum class Kind : std::uint8_t { Empty, OneNext, One, Any };

    bool read_one_next(const NodeArea& area, std::uint8_t state);
    bool read_one(const NodeArea& area, std::uint8_t state);
    bool read_any(const NodeArea& area, std::uint8_t state);
    std::uint64_t target_of(std::uint64_t delta) const;

    std::uint64_t address_ = 0;
    std::uint64_t lowest_ = 0;  // offset of the node's lowest byte
    std::uint64_t final_output_ = 0;
    std::uint64_t inputs_top_ = 0;    // offset of input 0; inputs run downwards
    std::uint64_t deltas_top_ = 0;    // one past the highest byte of delta 0
    std::uint64_t outputs_top_ = 0;   // one past the highest byte of output 0
    std::uint64_t index_low_ = 0;     // lowest offset of the 256-byte index
    std::uint32_t count_ = 0;
    Kind kind_ = Kind::Empty;
    std::uint8_t one_input_ = 0;      // input of the one-transition kinds
    std::uint8_t address_width_ = 0;
    std::uint8_t output_width_ = 0;
    bool final_ = false;
    bool indexed_ = false;
};

}  // namespace lomperi::morphology
