#pragma once
// The nodes already written, found again by content so that equal subtrees
// are stored once. Each slot is 8 bytes: the node's address in the low 40
// bits and a fingerprint of its hash above; equality is settled by reading
// the written node back.
#include <cstdint>
#include <optional>
#include <vector>

#include "core/word_map/node.hpp"
#include "base/bytes.hpp"

namespace lomperi::word_map {

class NodeRegistry {
public:
    // written: every byte written so far, header included.
    std::optional<std::uint64_t> find(const BuilderNode& node, std::uint64_t hash, Bytes written) const;
    void insert(std::uint64_t hash, std::uint64_t address, Bytes written);
    std::size_t size() const { return size_; }

private:
    void grow(Bytes written);
    void place(std::uint64_t hash, std::uint64_t address);

    std::vector<std::uint64_t> slots_;
    std::size_t size_ = 0;
};

}  // namespace lomperi::word_map
