#include "format/multi_index.hpp"

#include <fmt/format.h>

#include <algorithm>

#include "base/bytes.hpp"
#include "format/header_cursor.hpp"

namespace lomperi::format {

namespace {

Result<std::uint32_t> parse_header(Bytes file) {
    HeaderCursor cursor(file);
    if (auto head = read_file_head(cursor, {kMultiMagic, kMultiVersion, "multi", kMultiHeaderSize}); !head)
        return forward(head);
    return cursor.u32();
}

// The stored starts of an offsets file that holds `count` of them.
Result<Bytes> parse_offsets(Bytes offsets_file, std::uint32_t count) {
    HeaderCursor cursor(offsets_file);
    if (auto head = read_file_head(cursor, {kMultiOffsetsMagic, kMultiOffsetsVersion, "multi offsets", 9}); !head)
        return forward(head);
    if (cursor.u32() != count || cursor.rest().size() != 4 * std::uint64_t{count})
        return fail("multi offsets do not match the entries");
    return cursor.rest();
}

// Where entry k ends by its own length byte, and where the next one starts
// (or the body ends): equal for the starts of a matching offsets file.
bool entry_fits(const MultiIndex& index, std::size_t k) {
    const std::size_t start = index.entry_offset(k);
    if (start >= index.body.size()) return false;
    const std::size_t end = start + 1 + 4 * std::size_t{index.body[start]};
    const std::size_t next = k + 1 < index.size() ? index.entry_offset(k + 1) : index.body.size();
    return end == next;
}

}  // namespace

Result<MultiIndex> MultiIndex::parse(Bytes file, Bytes offsets_file) {
    const auto count = parse_header(file);
    if (!count) return forward(count);
    const auto offsets = parse_offsets(offsets_file, *count);
    if (!offsets) return forward(offsets);
    MultiIndex index;
    index.body = file.subspan(kMultiHeaderSize);
    index.stored_offsets = *offsets;
    constexpr std::size_t kSamples = 8;  // each costs a page fault at start-up
    for (std::size_t k = 0; k < std::min<std::size_t>(*count, kSamples); ++k) {
        const std::size_t sampled = *count <= kSamples ? k : k * (*count - 1) / (kSamples - 1);
        if (!entry_fits(index, sampled)) return fail("multi offsets do not match the entries");
    }
    return index;
}

Result<MultiIndex> MultiIndex::parse(Bytes file) {
    const auto header_count = parse_header(file);
    if (!header_count) return forward(header_count);
    const std::uint32_t count = *header_count;
    MultiIndex index;
    index.body = file.subspan(kMultiHeaderSize);
    const std::size_t length = index.body.size();
    // Each entry takes at least one byte, so a count beyond the body cannot
    // be satisfied; reserving by it would let a damaged count allocate 16 GiB.
    index.entry_offsets.reserve(std::min<std::size_t>(count, length));
    std::size_t p = 0;
    for (std::uint32_t k = 0; k < count; ++k) {
        if (p >= length) return fail("truncated multi entry header");
        index.entry_offsets.push_back(static_cast<std::uint32_t>(p));
        p += 1 + 4 * std::size_t{index.body[p]};
        if (p > length) return fail("truncated multi entry body");
    }
    return index;
}

Result<std::vector<std::uint32_t>> MultiIndex::base_ids(std::uint32_t index) const {
    if (index >= size()) return fail(fmt::format("multi index {} out of range", index));
    if (!stored_offsets.empty() && !offset_checks.intact(stored_offsets.subspan(4 * std::size_t{index}, 4)))
        return fail("damaged multi offset");
    const std::size_t p = entry_offset(index);
    if (p >= body.size()) return fail("truncated multi entry");
    const std::size_t n = body[p];
    if (p + 1 + 4 * n > body.size()) return fail("truncated multi ids");
    if (!entry_checks.intact(body.subspan(p, 1 + 4 * n))) return fail("damaged multi entry");
    std::vector<std::uint32_t> ids;
    ids.reserve(n);
    for (std::size_t i = 0; i < n; ++i) ids.push_back(read_u32(body, p + 1 + 4 * i));
    return ids;
}

}  // namespace lomperi::format
