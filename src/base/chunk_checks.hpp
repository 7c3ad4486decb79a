#pragma once
// The checksums of a file's chunks, each chunk verified the first time a
// read touches it: damaged bytes then read as absent instead of as other
// words, and only what is read is ever checked, so start-up stays cheap.
// Copies share one record of what was verified; reads may come from several
// threads.
#include <atomic>
#include <cstdint>
#include <memory>

#include "base/bytes.hpp"

namespace lomperi {

class ChunkChecks {
public:
    // None: every read is taken as intact.
    ChunkChecks() = default;
    // The CRC-32C of each chunk of 2^chunk_shift bytes of `file` (the last
    // one shorter), little-endian, four bytes each.
    ChunkChecks(Bytes file, Bytes sums, unsigned chunk_shift);

    bool enabled() const { return state_ != nullptr; }
    // Whether the bytes [offset, offset + length) of the file are intact;
    // false for a range outside the file.
    bool intact(std::uint64_t offset, std::uint64_t length) const;
    // The same for a view into the file.
    bool intact(Bytes range) const;

private:
    struct State;
    bool chunk_intact(const State& state, std::uint64_t chunk) const;

    std::shared_ptr<State> state_;
};

}  // namespace lomperi
