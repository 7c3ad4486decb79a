#pragma once
// A lazy walk over the keys of a word map, in ascending byte order.
#include <cstdint>
#include <optional>
#include <vector>

#include "core/morphology/word_map_node.hpp"
#include "base/bytes.hpp"

namespace lomperi::morphology {

// One pair of a stream; key is valid until the next pull.
struct WordMapEntry {
    Bytes key;
    std::uint64_t value = 0;
};

class WordMapStream {
public:
    WordMapStream() = default;
    // Streams the keys below start, a node reached by the bytes of prefix with
    // the output sum base; no start node gives an empty stream.
    WordMapStream(NodeArea area, std::optional<WordMapNode> start, Bytes prefix, std::uint64_t base);

    std::optional<WordMapEntry> next();

private:
    struct Frame {
        WordMapNode node;
        std::uint64_t sum = 0;     // outputs along the path to node
        std::uint32_t next = 0;    // the next transition to follow
    };

    std::optional<WordMapEntry> stop();
    WordMapEntry entry(std::uint64_t value) const { return {Bytes(key_), value}; }

    NodeArea area_;
    std::vector<std::uint8_t> key_;
    std::vector<Frame> stack_;  // reused across pulls; one frame per key byte below the start
    std::optional<std::uint64_t> pending_;  // the start node's own value, not yet yielded
};

}  // namespace lomperi::morphology
