#include "format/multi_writer.hpp"

#include <fmt/format.h>

#include <limits>

#include "base/bytes.hpp"
#include "format/multi_index.hpp"

namespace lomperi::format {

Result<void> append_multi_entry(std::vector<std::uint8_t>& out, std::span<const std::uint32_t> ids) {
    if (ids.size() > 255) return fail(fmt::format("{} base ids in one multi entry", ids.size()));
    out.push_back(static_cast<std::uint8_t>(ids.size()));
    for (const std::uint32_t id : ids) append_u32(out, id);
    return {};
}

std::vector<std::uint8_t> write_multi_header(std::uint32_t entries) {
    std::vector<std::uint8_t> out;
    append_bytes(out, as_bytes(kMultiMagic));
    out.push_back(kMultiVersion);
    append_u32(out, entries);
    return out;
}

std::vector<std::uint8_t> write_multi_offsets(const MultiIndex& index) {
    std::vector<std::uint8_t> out;
    append_bytes(out, as_bytes(kMultiOffsetsMagic));
    out.push_back(kMultiOffsetsVersion);
    append_u32(out, static_cast<std::uint32_t>(index.size()));
    for (std::size_t k = 0; k < index.size(); ++k) append_u32(out, static_cast<std::uint32_t>(index.entry_offset(k)));
    return out;
}

Result<std::vector<std::uint8_t>> write_multi_bin(std::span<const std::vector<std::uint32_t>> entries) {
    if (entries.size() > std::numeric_limits<std::uint32_t>::max()) return fail("too many multi entries");
    std::vector<std::uint8_t> out = write_multi_header(static_cast<std::uint32_t>(entries.size()));
    for (const auto& ids : entries) {
        if (auto appended = append_multi_entry(out, ids); !appended) return forward(appended);
    }
    return out;
}

}  // namespace lomperi::format
