#pragma once
// headword-ranks.bin: how often each headword's forms are used in running
// text, as a rank (0 the most used), by base id; optional. The analysis puts
// the reading of the more used word first when nothing else tells readings
// apart.
//
// File: "LMPR", version 1, a count n (4 bytes), n ranks (2 bytes each).
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "base/bytes.hpp"
#include "base/chunk_checks.hpp"
#include "base/error.hpp"

namespace lomperi::format {

inline constexpr std::string_view kRanksMagic = "LMPR";
inline constexpr std::uint8_t kRanksVersion = 1;
inline constexpr std::uint16_t kUnranked = 0xFFFF;

class HeadwordRanks {
public:
    // Checks the header and that the file holds the count it declares.
    static Result<HeadwordRanks> parse(Bytes file, ChunkChecks checks = {});

    std::size_t size() const { return ranks_.size() / 2; }
    // The rank of base id `id`; kUnranked when it has none, is out of range
    // or its bytes are damaged.
    std::uint16_t rank(std::size_t id) const;

private:
    Bytes ranks_;
    ChunkChecks checks_;
};

std::vector<std::uint8_t> write_headword_ranks(std::span<const std::uint16_t> ranks);

}  // namespace lomperi::format
