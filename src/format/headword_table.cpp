#include "format/headword_table.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <limits>

#include "base/utf8.hpp"

namespace lomperi::format {
namespace {

bool continues_a_character(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

}  // namespace

Result<HeadwordTable> HeadwordTable::parse(Bytes file) {
    if (file.size() < kHeadwordHeaderSize) return fail("truncated headword header");
    if (as_text(file.first(4)) != kHeadwordMagic) return fail("bad headword magic");
    if (file[4] != kHeadwordVersion) return fail(fmt::format("unsupported headword version {}", file[4]));
    const std::uint64_t count = read_u32(file, 5);
    if (4 * count > file.size() - kHeadwordHeaderSize) return fail("truncated headword offsets");
    HeadwordTable table;
    table.count_ = count;
    table.ends_ = file.subspan(kHeadwordHeaderSize, 4 * count);
    table.text_ = as_text(file.subspan(kHeadwordHeaderSize + 4 * count));
    if (auto valid = check_utf8(as_bytes(table.text_)); !valid) return forward(valid, "non-utf8 headword text");
    std::uint32_t previous = 0;
    for (std::size_t id = 0; id < count; ++id) {
        const std::uint32_t end = read_u32(table.ends_, 4 * id);
        if (end < previous || end > table.text_.size()) return fail(fmt::format("headword {} ends out of order", id));
        if (end < table.text_.size() && continues_a_character(table.text_[end]))
            return fail(fmt::format("headword {} ends inside a character", id));
        previous = end;
    }
    if (previous != table.text_.size()) return fail("headword text longer than its headwords");
    return table;
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
