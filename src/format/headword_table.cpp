#include "format/headword_table.hpp"

#include <fmt/format.h>

#include <limits>

#include "base/utf8.hpp"
#include "format/header_cursor.hpp"

namespace lomperi::format {

Result<HeadwordTable> HeadwordTable::parse(Bytes file, ChunkChecks checks) {
    HeaderCursor cursor(file);
    if (auto head = read_file_head(cursor, {kHeadwordMagic, kHeadwordVersion, "headword", kHeadwordHeaderSize}); !head)
        return forward(head);
    const std::uint64_t count = cursor.u32();
    HeadwordTable table;
    table.count_ = count;
    table.ends_ = cursor.take(4 * count);
    if (cursor.truncated()) return fail("truncated headword offsets");
    table.text_ = as_text(cursor.rest());
    table.checks_ = std::move(checks);
    const std::uint64_t last_end = count == 0 ? 0 : read_u32(table.ends_, 4 * (count - 1));
    if (last_end != table.text_.size()) return fail("headword offsets do not end at the text's end");
    return table;
}

std::optional<std::string_view> HeadwordTable::at(std::size_t id) const {
    if (id >= count_) return std::nullopt;
    const Bytes ends = ends_.subspan(id == 0 ? 0 : 4 * (id - 1), id == 0 ? 4 : 8);
    if (!checks_.intact(ends)) return std::nullopt;
    const std::uint32_t start = id == 0 ? 0 : read_u32(ends, 0);
    const std::uint32_t end = read_u32(ends, ends.size() - 4);
    if (end < start || end > text_.size()) return std::nullopt;
    const std::string_view headword = text_.substr(start, end - start);
    if (!checks_.intact(as_bytes(headword)) || !is_utf8(as_bytes(headword))) return std::nullopt;
    return headword;
}

void HeadwordTableWriter::reserve(std::size_t count, std::size_t text_bytes) {
    ends_.reserve(count);
    text_.reserve(text_bytes);
}

Result<void> HeadwordTableWriter::add(std::string_view headword) {
    constexpr std::size_t kLimit = std::numeric_limits<std::uint32_t>::max();
    if (ends_.size() == kLimit || headword.size() > kLimit - text_.size()) return fail("headword table too large");
    text_.append(headword);
    ends_.push_back(static_cast<std::uint32_t>(text_.size()));
    return {};
}

std::vector<std::uint8_t> HeadwordTableWriter::finish() && {
    std::vector<std::uint8_t> out(kHeadwordHeaderSize + 4 * ends_.size() + text_.size());
    const auto put_u32 = [&out](std::size_t at, std::uint32_t value) {
        for (std::size_t i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    std::copy(kHeadwordMagic.begin(), kHeadwordMagic.end(), out.begin());
    out[4] = kHeadwordVersion;
    put_u32(5, static_cast<std::uint32_t>(ends_.size()));
    for (std::size_t id = 0; id < ends_.size(); ++id) put_u32(kHeadwordHeaderSize + 4 * id, ends_[id]);
    std::copy(text_.begin(), text_.end(), out.begin() + static_cast<std::ptrdiff_t>(kHeadwordHeaderSize + 4 * ends_.size()));
    return out;
}

}  // namespace lomperi::format
