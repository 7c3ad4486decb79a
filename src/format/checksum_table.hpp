#pragma once
// checksums.bin: the CRC-32C of every chunk of every other file of the data
// set, so that a read can tell damaged bytes (see base/chunk_checks.hpp).
//
// File: "LMPC", version 1, the chunk size as a power of two (1 byte), a file
// count F (1 byte), then F rows: the file's number in the table of data
// files (1 byte), its size (8 bytes) and the number of its first sum
// (4 bytes); then the sum count S (4 bytes), S sums (4 bytes each), and last
// the CRC-32C of everything before it.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "base/bytes.hpp"
#include "base/chunk_checks.hpp"
#include "base/error.hpp"

namespace lomperi::format {

inline constexpr std::string_view kChecksumMagic = "LMPC";
inline constexpr std::uint8_t kChecksumVersion = 1;
inline constexpr unsigned kDefaultChunkShift = 12;

struct ChecksummedFile {
    std::uint8_t file = 0;  // its number in the table of data files
    std::uint64_t size = 0;
    Bytes sums;  // a view into checksums.bin
};

class ChecksumTable {
public:
    // Checks the whole file against its own trailing sum.
    static Result<ChecksumTable> parse(Bytes file);

    unsigned chunk_shift() const { return chunk_shift_; }
    const std::vector<ChecksummedFile>& files() const { return files_; }
    // The row of a file, when the table has one.
    std::optional<ChecksummedFile> find(std::uint8_t file) const;

private:
    unsigned chunk_shift_ = kDefaultChunkShift;
    std::vector<ChecksummedFile> files_;
};

// The checksums.bin of `files` (number in the table, bytes), chunks of
// 2^chunk_shift bytes.
std::vector<std::uint8_t> write_checksum_table(std::span<const std::pair<std::uint8_t, Bytes>> files,
                                               unsigned chunk_shift);

}  // namespace lomperi::format
