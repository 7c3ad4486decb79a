#include "format/multi_index.hpp"

#include <fmt/format.h>

#include <algorithm>

#include "base/bytes.hpp"

namespace lomperi::format {

Result<MultiIndex> MultiIndex::parse(Bytes file) {
    if (file.size() < kMultiHeaderSize) return fail("truncated multi header");
    if (as_text(file.first(4)) != kMultiMagic) return fail("bad multi magic");
    if (file[4] != kMultiVersion) return fail(fmt::format("unsupported multi version {}", file[4]));
    const std::uint32_t count = read_u32(file, 5);
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
    if (index >= entry_offsets.size()) return fail(fmt::format("multi index {} out of range", index));
    const std::size_t p = entry_offsets[index];
    if (p >= body.size()) return fail("truncated multi entry");
    const std::size_t n = body[p];
    if (p + 1 + 4 * n > body.size()) return fail("truncated multi ids");
    std::vector<std::uint32_t> ids;
    ids.reserve(n);
    for (std::size_t i = 0; i < n; ++i) ids.push_back(read_u32(body, p + 1 + 4 * i));
    return ids;
}

}  // namespace lomperi::format
