#pragma once
// inflections-multi.bin: the base-id lists of word forms that belong to
// several headwords; and inflections-multi-offsets.bin, optional, where each
// entry starts, so that start-up need not walk the entries to find out.
//
// Offsets file: "LMPO", version 1, a count n (4 bytes, that of the entries),
// then n starts (4 bytes each), counted from the first entry byte.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "base/bytes.hpp"
#include "base/chunk_checks.hpp"
#include "base/error.hpp"

namespace lomperi::format {

inline constexpr std::string_view kMultiMagic = "LMPM";
inline constexpr std::uint8_t kMultiVersion = 1;
inline constexpr std::size_t kMultiHeaderSize = 9;
// Set in an inflections value that names a multi entry; the other bits are
// then the entry's number instead of a base id.
inline constexpr std::uint32_t kMultiFlag = 0x8000'0000u;

inline constexpr std::string_view kMultiOffsetsMagic = "LMPO";
inline constexpr std::uint8_t kMultiOffsetsVersion = 1;

class MultiIndex {
public:
    // Checks the header and walks the entries once to find where each starts.
    static Result<MultiIndex> parse(Bytes file);
    // Takes the starts from an offsets file instead, checking its header and
    // a sample of the starts against the entries; a start damaged elsewhere
    // shows when its entry is read.
    static Result<MultiIndex> parse(Bytes file, Bytes offsets_file);
    // With checksums, an entry or start in a damaged chunk reads as an error.
    void set_checks(ChunkChecks entries, ChunkChecks offsets) {
        entry_checks = std::move(entries);
        offset_checks = std::move(offsets);
    }

    // The base ids of entry `index`, in stored order.
    Result<std::vector<std::uint32_t>> base_ids(std::uint32_t index) const;

    std::size_t size() const { return stored_offsets.empty() ? entry_offsets.size() : stored_offsets.size() / 4; }
    std::size_t entry_offset(std::size_t index) const {
        return stored_offsets.empty() ? entry_offsets[index] : read_u32(stored_offsets, 4 * index);
    }

    std::vector<std::uint32_t> entry_offsets;  // walked: start of entry k, counted from the first entry byte
    Bytes stored_offsets;                      // or read: 4 bytes per entry, a view into the offsets file
    Bytes body;                                // the entry bytes, a view into the file
    ChunkChecks entry_checks;
    ChunkChecks offset_checks;
};

}  // namespace lomperi::format
