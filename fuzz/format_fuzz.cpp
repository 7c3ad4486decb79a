// The gloss store, frame, headword-table, multi-index and checksum parsers over
// arbitrary bytes: every fault is an error value or an absent value, never a
// read outside the input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/chunk_checks.hpp"
#include "format/checksum_table.hpp"
#include "format/gloss.hpp"
#include "format/headword_table.hpp"
#include "format/multi_index.hpp"
#include "format/zstd_frames.hpp"

using lomperi::Bytes;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::string> kNames = {"noun", "verb", "adj"};
    const Bytes bytes(data, size);
    (void)lomperi::format::parse_gloss_header(bytes);
    for (std::size_t at = 0; at < size && at < 64; ++at) (void)lomperi::format::parse_gloss_record(bytes.subspan(at), kNames);
    if (const auto multi = lomperi::format::MultiIndex::parse(bytes)) {
        for (std::uint32_t k = 0; k <= multi->size() && k < 1024; ++k) (void)multi->base_ids(k);
    }
    const std::size_t half = size / 2;
    if (const auto multi = lomperi::format::MultiIndex::parse(bytes.first(half), bytes.subspan(half))) {
        for (std::uint32_t k = 0; k <= multi->size() && k < 1024; ++k) (void)multi->base_ids(k);
    }
    if (const auto table = lomperi::format::HeadwordTable::parse(bytes)) {
        for (std::size_t id = 0; id <= table->size() && id < 1024; ++id) (void)table->at(id);
    }
    if (const auto frames = lomperi::format::split_zstd_frames(bytes, 1 << 16)) {
        lomperi::format::ZstdDecompressor decompressor;
        for (const auto& frame : *frames) {
            if (frame.plain_size > (std::size_t{1} << 20)) continue;
            std::vector<std::uint8_t> plain(frame.plain_size);
            (void)decompressor.decompress(frame, plain.data());
        }
    }
    if (const auto table = lomperi::format::ChecksumTable::parse(bytes)) {
        for (const auto& row : table->files()) {
            const lomperi::ChunkChecks checks(bytes, row.sums, table->chunk_shift());
            (void)checks.intact(0, bytes.size());
        }
    }
    return 0;
}
