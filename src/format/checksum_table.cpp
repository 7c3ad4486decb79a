#include "format/checksum_table.hpp"

#include "base/crc32c.hpp"
#include "format/header_cursor.hpp"

namespace lomperi::format {
namespace {

constexpr unsigned kMinChunkShift = 6;
constexpr unsigned kMaxChunkShift = 24;

std::uint64_t chunk_count(std::uint64_t size, unsigned shift) { return size == 0 ? 0 : ((size - 1) >> shift) + 1; }

}  // namespace

Result<ChecksumTable> ChecksumTable::parse(Bytes file) {
    if (file.size() < 4 || crc32c(file.first(file.size() - 4)) != read_u32(file, file.size() - 4))
        return fail("checksums.bin is damaged");
    HeaderCursor cursor(file.first(file.size() - 4));
    if (auto head = read_file_head(cursor, {kChecksumMagic, kChecksumVersion, "checksum"}); !head) return forward(head);
    ChecksumTable table;
    table.chunk_shift_ = cursor.u8();
    const std::uint8_t count = cursor.u8();
    if (table.chunk_shift_ < kMinChunkShift || table.chunk_shift_ > kMaxChunkShift) return fail("bad checksum chunk size");
    struct Row {
        std::uint8_t file;
        std::uint64_t size;
        std::uint32_t first;
    };
    std::vector<Row> rows;
    for (unsigned k = 0; k < count && !cursor.truncated(); ++k) {
        const std::uint8_t number = cursor.u8();
        const Bytes size = cursor.take(8);
        const std::uint32_t first = cursor.u32();
        if (!cursor.truncated()) rows.push_back({number, read_u64(size, 0), first});
    }
    const std::uint64_t sum_count = cursor.u32();
    const Bytes sums = cursor.take(4 * sum_count);
    if (cursor.truncated() || !cursor.rest().empty()) return fail("truncated checksum table");
    for (const Row& row : rows) {
        const std::uint64_t chunks = chunk_count(row.size, table.chunk_shift_);
        if (row.first > sum_count || chunks > sum_count - row.first) return fail("truncated checksum table");
        table.files_.push_back({row.file, row.size, sums.subspan(4 * std::uint64_t{row.first}, 4 * chunks)});
    }
    return table;
}

std::optional<ChecksummedFile> ChecksumTable::find(std::uint8_t file) const {
    for (const auto& row : files_) {
        if (row.file == file) return row;
    }
    return std::nullopt;
}

std::vector<std::uint8_t> write_checksum_table(std::span<const std::pair<std::uint8_t, Bytes>> files,
                                               unsigned chunk_shift) {
    std::vector<std::uint8_t> out;
    append_bytes(out, as_bytes(kChecksumMagic));
    out.push_back(kChecksumVersion);
    out.push_back(static_cast<std::uint8_t>(chunk_shift));
    out.push_back(static_cast<std::uint8_t>(files.size()));
    std::uint32_t first = 0;
    std::vector<std::uint8_t> sums;
    for (const auto& [number, bytes] : files) {
        out.push_back(number);
        append_u64(out, bytes.size());
        append_u32(out, first);
        for (std::uint64_t at = 0; at < bytes.size(); at += std::uint64_t{1} << chunk_shift) {
            append_u32(sums, crc32c(bytes.subspan(at, std::min<std::uint64_t>(std::uint64_t{1} << chunk_shift, bytes.size() - at))));
            ++first;
        }
    }
    append_u32(out, first);
    append_bytes(out, sums);
    append_u32(out, crc32c(out));
    return out;
}

}  // namespace lomperi::format
