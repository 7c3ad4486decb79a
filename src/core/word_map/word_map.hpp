#pragma once
// An ordered map from byte strings to unsigned 64-bit values, read in place
// from the bytes of a word map file, and the lazy walks over its keys.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "base/bytes.hpp"
#include "base/error.hpp"
#include "core/word_map/node.hpp"

namespace lomperi::word_map {

// One pair of a stream; key is valid until the next pull.
struct WordMapEntry {
    Bytes key;
    std::uint64_t value = 0;
};

// The keys below one node, in ascending byte order, pulled one at a time.
class WordMapStream {
public:
    WordMapStream() = default;
    // Streams the keys below `start`, a node reached by the bytes of prefix
    // with the output sum base.
    WordMapStream(NodeArea area, const Node& start, Bytes prefix, std::uint64_t base);

    std::optional<WordMapEntry> next();

private:
    struct Frame {
        Node node;
        std::uint64_t sum = 0;     // outputs along the path to node
        std::uint32_t next = 0;    // the next transition to follow
        std::uint8_t last_input = 0;  // the input of transition next - 1
    };

    static constexpr std::size_t kTypicalDepth = 24;

    std::optional<WordMapEntry> stop();
    WordMapEntry entry(std::uint64_t value) const { return {Bytes(key_), value}; }

    NodeArea area_;
    std::vector<std::uint8_t> key_;
    // Frames [0, depth_) are the path, one per key byte below the start;
    // frames past it keep their storage for the next descent.
    std::vector<Frame> stack_;
    std::size_t depth_ = 0;
    std::optional<std::uint64_t> pending_;  // the start node's own value, not yet yielded
};

class WordMap {
public:
    // An empty map without keys.
    WordMap() = default;

    // Checks the header and footer only; fails with "FST error". With
    // `checks`, a node whose bytes are damaged reads as no node.
    static Result<WordMap> open(Bytes bytes, ChunkChecks checks = {});

    std::uint64_t len() const { return len_; }
    std::uint64_t version() const { return area_.version; }
    std::uint64_t map_type() const { return map_type_; }
    std::uint64_t root_address() const { return root_; }
    std::optional<std::uint32_t> checksum() const { return checksum_; }

    // Nothing for a key the map does not hold, and for one that damaged
    // bytes hide (a DamageWatch tells the two apart). The answers of the
    // keys got last are kept per thread.
    std::optional<std::uint64_t> get(Bytes key) const;
    std::optional<std::uint64_t> get(std::string_view key) const { return get(as_bytes(key)); }

    // The lengths of the keys that begin `text` (the empty key left out), in
    // ascending order, in one walk from the root.
    void key_prefixes(Bytes text, std::vector<std::size_t>& lengths) const;
    void key_prefixes(std::string_view text, std::vector<std::size_t>& lengths) const {
        key_prefixes(as_bytes(text), lengths);
    }

    // The nodes and the root, for walks of their own (approximate_search.hpp).
    const NodeArea& node_area() const { return area_; }
    bool read_root(Node& node) const { return has_nodes() && node.read(area_, root_); }

    WordMapStream stream() const { return prefix_stream(Bytes{}); }
    WordMapStream prefix_stream(Bytes prefix) const;
    WordMapStream prefix_stream(std::string_view prefix) const { return prefix_stream(as_bytes(prefix)); }

private:
    // A map opened from a file; the default map has no node to read.
    bool has_nodes() const { return !area_.data.empty(); }
    // The node reached from the root by the bytes of path, and its output sum.
    bool walk(Bytes path, Node& node, std::uint64_t& sum) const;
    std::optional<std::uint64_t> walk_to_value(Bytes key) const;

    NodeArea area_;
    std::uint64_t map_type_ = 0;
    std::uint64_t len_ = 0;
    std::uint64_t root_ = 1;  // no node: the default map has no keys
    std::optional<std::uint32_t> checksum_;
    // Which opened map this is: copies share it, no two opens do (0: none),
    // so that answers kept of one are never taken for another's.
    std::uint64_t number_ = 0;
};

}  // namespace lomperi::word_map
