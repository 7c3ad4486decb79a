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
    // false for a range outside the file. A read that is refused counts as
    // one that met damage (DamageWatch).
    bool intact(std::uint64_t offset, std::uint64_t length) const {
        return !state_ || in_intact_chunk(offset, length) || checked(offset, length);
    }
    // The same for a view into the file.
    bool intact(Bytes range) const {
        if (!state_ || range.empty()) return true;
        const bool inside = range.data() >= file_ && range.data() <= file_ + size_;
        return (inside && in_intact_chunk(static_cast<std::uint64_t>(range.data() - file_), range.size())) || checked(range);
    }
    // The same, not counted as a read that met damage: for a look ahead
    // whose answer a later read relies on only if it is made.
    bool intact_uncounted(Bytes range) const;

    // Whether a check has found a damaged chunk of the file so far.
    bool found_damage() const;
    std::uint64_t chunk_count() const;
    // Checks every chunk not checked yet: the number that are damaged. Not
    // counted as a read: it tells of the file, not of one look-up.
    std::uint64_t count_damaged() const;

private:
    struct State;
    enum : std::uint8_t { kUnknown, kIntact, kDamaged };

    // Most reads lie within one chunk found intact before: told here, where
    // the caller's code can have it without a call.
    bool in_intact_chunk(std::uint64_t offset, std::uint64_t length) const {
        if (length == 0 || offset > size_ || length > size_ - offset) return false;
        const std::uint64_t chunk = offset >> shift_;
        return chunk == (offset + length - 1) >> shift_ && status_[chunk].load(std::memory_order_relaxed) == kIntact;
    }
    bool checked(std::uint64_t offset, std::uint64_t length) const;
    bool checked(Bytes range) const;
    bool chunk_intact(const State& state, std::uint64_t chunk) const;

    std::shared_ptr<State> state_;
    // The state's file and chunk statuses, for in_intact_chunk.
    const std::uint8_t* file_ = nullptr;
    std::uint64_t size_ = 0;
    unsigned shift_ = 0;
    const std::atomic<std::uint8_t>* status_ = nullptr;
};

// This thread's reads that met damaged bytes so far.
std::uint64_t damaged_reads();
// Counts a read that met damaged bytes, for readers that tell damage by the
// bytes themselves (a file without checksums).
void note_damaged_read();

// Whether reads on this thread met damaged bytes since the watch was made:
// a look-up that met damage is told from one that found nothing, and then
// tries no other spelling or neighbour, which would stand in for the word
// that could not be read.
class DamageWatch {
public:
    DamageWatch() : start_(damaged_reads()) {}
    bool met() const { return damaged_reads() != start_; }

private:
    std::uint64_t start_;
};

}  // namespace lomperi
