#include "base/chunk_checks.hpp"

#include "base/crc32c.hpp"

namespace lomperi {

struct ChunkChecks::State {
    Bytes file;
    Bytes sums;
    unsigned shift = 12;
    std::uint64_t chunks = 0;
    std::unique_ptr<std::atomic<std::uint8_t>[]> status;
    mutable std::atomic<bool> found_damage{false};
};

namespace {

thread_local std::uint64_t damaged_reads_here = 0;

bool refused() {
    note_damaged_read();
    return false;
}

}  // namespace

std::uint64_t damaged_reads() { return damaged_reads_here; }

void note_damaged_read() { ++damaged_reads_here; }

ChunkChecks::ChunkChecks(Bytes file, Bytes sums, unsigned chunk_shift) : state_(std::make_shared<State>()) {
    state_->file = file;
    state_->sums = sums;
    state_->shift = chunk_shift;
    state_->chunks = file.empty() ? 0 : ((file.size() - 1) >> chunk_shift) + 1;
    state_->status = std::make_unique<std::atomic<std::uint8_t>[]>(state_->chunks);
    file_ = file.data();
    size_ = file.size();
    shift_ = chunk_shift;
    status_ = state_->status.get();
}

bool ChunkChecks::chunk_intact(const State& state, std::uint64_t chunk) const {
    std::atomic<std::uint8_t>& status = state.status[chunk];
    const std::uint8_t known = status.load(std::memory_order_relaxed);
    if (known != kUnknown) return known == kIntact;
    // Two threads may check the same chunk at once; both reach the same answer.
    const std::uint64_t start = chunk << state.shift;
    const std::uint64_t length = std::min<std::uint64_t>(std::uint64_t{1} << state.shift, state.file.size() - start);
    const bool intact = 4 * chunk + 4 <= state.sums.size() &&
                        crc32c(state.file.subspan(start, length)) == read_u32(state.sums, 4 * chunk);
    status.store(intact ? kIntact : kDamaged, std::memory_order_relaxed);
    if (!intact) state.found_damage.store(true, std::memory_order_relaxed);
    return intact;
}

bool ChunkChecks::checked(std::uint64_t offset, std::uint64_t length) const {
    if (!state_) return true;
    const State& state = *state_;
    if (offset > state.file.size() || length > state.file.size() - offset) return refused();
    if (length == 0) return true;
    const std::uint64_t last = (offset + length - 1) >> state.shift;
    for (std::uint64_t chunk = offset >> state.shift; chunk <= last; ++chunk) {
        if (!chunk_intact(state, chunk)) return refused();
    }
    return true;
}

bool ChunkChecks::checked(Bytes range) const {
    if (!state_ || range.empty()) return true;
    const std::uint8_t* begin = state_->file.data();
    if (range.data() < begin || range.data() > begin + state_->file.size()) return refused();
    return intact(static_cast<std::uint64_t>(range.data() - begin), range.size());
}

bool ChunkChecks::intact_uncounted(Bytes range) const {
    const std::uint64_t before = damaged_reads_here;
    const bool intact = this->intact(range);
    damaged_reads_here = before;
    return intact;
}

bool ChunkChecks::found_damage() const { return state_ && state_->found_damage.load(std::memory_order_relaxed); }

std::uint64_t ChunkChecks::chunk_count() const { return state_ ? state_->chunks : 0; }

std::uint64_t ChunkChecks::count_damaged() const {
    std::uint64_t damaged = 0;
    for (std::uint64_t chunk = 0; chunk < chunk_count(); ++chunk) {
        if (!chunk_intact(*state_, chunk)) ++damaged;
    }
    return damaged;
}

}  // namespace lomperi
