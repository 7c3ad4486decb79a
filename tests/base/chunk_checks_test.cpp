#include "base/chunk_checks.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "base/crc32c.hpp"

namespace lomperi {
namespace {

// A file of five 16-byte chunks (the last one short) whose third chunk is
// damaged after its checksum was taken.
struct CheckedFile {
    static constexpr unsigned kShift = 4;
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint8_t> sums;

    CheckedFile() : bytes(70) {
        for (std::size_t k = 0; k < bytes.size(); ++k) bytes[k] = static_cast<std::uint8_t>(k * 7);
        for (std::size_t at = 0; at < bytes.size(); at += 16) {
            append_u32(sums, crc32c(Bytes(bytes).subspan(at, std::min<std::size_t>(16, bytes.size() - at))));
        }
        bytes[40] ^= 0x5A;
    }
};

// Each range is told intact or not by the chunks it touches, whether they
// were checked before or not, and a refused one counts as a read that met
// damage every time it is asked.
TEST(ChunkChecks, ARangeIsIntactWhenEveryChunkItTouchesIs) {
    struct Row {
        std::uint64_t offset;
        std::uint64_t length;
        bool intact;
    };
    const Row rows[] = {
        {0, 16, true},   {0, 1, true},    {15, 1, true},  {15, 2, true},   {16, 16, true},  {31, 2, false},
        {32, 1, false},  {40, 1, false},  {47, 1, false}, {48, 1, true},   {47, 2, false},  {64, 6, true},
        {69, 1, true},   {69, 2, false},  {70, 0, true},  {71, 0, false},  {70, 1, false},  {0, 70, false},
        {20, ~std::uint64_t{0}, false},
    };
    const CheckedFile file;
    const ChunkChecks checks(file.bytes, file.sums, CheckedFile::kShift);
    for (int round = 0; round < 2; ++round) {
        for (const auto& row : rows) {
            const DamageWatch watch;
            EXPECT_EQ(checks.intact(row.offset, row.length), row.intact) << row.offset << "+" << row.length;
            EXPECT_EQ(watch.met(), !row.intact) << row.offset << "+" << row.length;
            if (row.offset + row.length > file.bytes.size() || row.length > file.bytes.size()) continue;
            const DamageWatch view_watch;
            const Bytes view = Bytes(file.bytes).subspan(row.offset, row.length);
            EXPECT_EQ(checks.intact(view), row.intact || row.length == 0) << "view " << row.offset << "+" << row.length;
            EXPECT_EQ(view_watch.met(), !row.intact && row.length > 0) << "view " << row.offset << "+" << row.length;
        }
    }
    // A view into other bytes is no part of the file.
    const std::vector<std::uint8_t> elsewhere(4);
    EXPECT_FALSE(checks.intact(Bytes(elsewhere)));
    EXPECT_TRUE(ChunkChecks().intact(Bytes(elsewhere)));
}

}  // namespace
}  // namespace lomperi
