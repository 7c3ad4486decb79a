#pragma once
// An ordered map from byte strings to unsigned 64-bit values, read in place
// from the bytes of a word map file.
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/morphology/word_map_node.hpp"
#include "core/morphology/word_map_stream.hpp"
#include "base/bytes.hpp"
#include "base/error.hpp"

namespace lomperi::morphology {

class WordMap {
public:
    // An empty map without keys.
    WordMap() = default;

    // Checks the header and footer only; fails with "FST error".
    static Result<WordMap> open(Bytes bytes);

    std::uint64_t len() const { return len_; }
    std::uint64_t version() const { return area_.version; }
    std::uint64_t map_type() const { return map_type_; }
    std::uint64_t root_address() const { return root_; }
    std::optional<std::uint32_t> checksum() const { return checksum_; }

    std::optional<std::uint64_t> get(Bytes key) const;
    std::optional<std::uint64_t> get(std::string_view key) const { return get(as_bytes(key)); }

    WordMapStream stream() const { return prefix_stream(Bytes{}); }
    WordMapStream prefix_stream(Bytes prefix) const;
    WordMapStream prefix_stream(std::string_view prefix) const { return prefix_stream(as_bytes(prefix)); }

private:
    struct Position {
        WordMapNode node;
        std::uint64_t sum = 0;
    };
    // The node reached from the root by the bytes of path, with its output sum.
    std::optional<Position> walk(Bytes path) const;

    NodeArea area_;
    std::uint64_t map_type_ = 0;
    std::uint64_t len_ = 0;
    std::uint64_t root_ = 1;  // no node: the default map has no keys
    std::optional<std::uint32_t> checksum_;
};

}  // namespace lomperi::morphology
