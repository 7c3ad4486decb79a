#include "format/headword_ranks.hpp"

#include "format/header_cursor.hpp"

namespace lomperi::format {

Result<HeadwordRanks> HeadwordRanks::parse(Bytes file, ChunkChecks checks) {
    HeaderCursor cursor(file);
    if (auto head = read_file_head(cursor, {kRanksMagic, kRanksVersion, "rank", 9}); !head) return forward(head);
    const std::uint64_t count = cursor.u32();
    HeadwordRanks ranks;
    ranks.ranks_ = cursor.take(2 * count);
    if (cursor.truncated() || !cursor.rest().empty()) return fail("headword ranks do not fill the file");
    ranks.checks_ = std::move(checks);
    return ranks;
}

std::uint16_t HeadwordRanks::rank(std::size_t id) const {
    if (id >= size()) return kUnranked;
    const Bytes bytes = ranks_.subspan(2 * id, 2);
    if (!checks_.intact(bytes)) return kUnranked;
    return read_u16(bytes, 0);
}

std::vector<std::uint8_t> write_headword_ranks(std::span<const std::uint16_t> ranks) {
    std::vector<std::uint8_t> out;
    append_bytes(out, as_bytes(kRanksMagic));
    out.push_back(kRanksVersion);
    append_u32(out, static_cast<std::uint32_t>(ranks.size()));
    for (const std::uint16_t rank : ranks) append_u16(out, rank);
    return out;
}

}  // namespace lomperi::format
