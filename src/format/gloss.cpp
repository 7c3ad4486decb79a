#include "format/gloss.hpp"

#include <fmt/format.h>

#include "base/bytes.hpp"
#include "base/utf8.hpp"

namespace lomperi::format {
namespace {

// Walks the header; every read first asks for its bytes.
class HeaderCursor {
public:
    explicit HeaderCursor(Bytes bytes) : bytes_(bytes) {}

    Result<Bytes> take(std::size_t count) {
        if (count > bytes_.size() - at_) return fail("truncated header");
        const Bytes taken = bytes_.subspan(at_, count);
        at_ += count;
        return taken;
    }

    Result<std::uint8_t> u8() {
        const auto taken = take(1);
        if (!taken) return std::unexpected(taken.error());
        return (*taken)[0];
    }

    Result<std::uint32_t> u32() {
        const auto taken = take(4);
        if (!taken) return std::unexpected(taken.error());
        return read_u32(*taken, 0);
    }

private:
    Bytes bytes_;
    std::size_t at_ = 0;
};

Result<std::vector<std::string_view>> parse_pos_names(HeaderCursor& cursor) {
    const auto count = cursor.u8();
    if (!count) return std::unexpected(count.error());
    std::vector<std::string_view> names;
    names.reserve(*count);
    for (unsigned i = 0; i < *count; ++i) {
        const auto length = cursor.u8();
        if (!length) return std::unexpected(length.error());
        const auto name = cursor.take(*length);
        if (!name) return std::unexpected(name.error());
        if (auto valid = check_utf8(*name); !valid) return std::unexpected(valid.error().wrap("bad utf8 in pos table"));
        names.push_back(as_text(*name));
    }
    return names;
}

}  // namespace

Result<GlossHeader> parse_gloss_header(Bytes file) {
    HeaderCursor cursor(file);
    const auto magic = cursor.take(4);
    if (!magic) return std::unexpected(magic.error());
    if (as_text(*magic) != kGlossMagic) return fail("bad magic");
    const auto version = cursor.u8();
    if (!version) return std::unexpected(version.error());
    if (*version != kGlossVersion) return fail(fmt::format("unsupported version {}", *version));
    auto names = parse_pos_names(cursor);
    if (!names) return std::unexpected(names.error());
    const auto plain_size = cursor.u32();
    if (!plain_size) return std::unexpected(plain_size.error());
    const auto compressed_size = cursor.u32();
    if (!compressed_size) return std::unexpected(compressed_size.error());
    const auto compressed = cursor.take(*compressed_size);
    if (!compressed) return std::unexpected(compressed.error());
    return GlossHeader{std::move(*names), *plain_size, *compressed};
}

namespace {

Result<std::string> parse_meaning(Bytes bytes, std::size_t& at) {
    if (bytes.size() - at < 2) return fail("truncated meaning length");
    const std::size_t length = read_u16(bytes, at);
    at += 2;
    if (bytes.size() - at < length) return fail("truncated meaning bytes");
    const Bytes text = bytes.subspan(at, length);
    if (auto valid = check_utf8(text); !valid) return std::unexpected(valid.error().wrap("bad utf8 in meaning"));
    at += length;
    return std::string(as_text(text));
}

Result<PosGroup> parse_group(Bytes bytes, std::size_t& at, std::span<const std::string> pos_names) {
    if (bytes.size() - at < 2) return fail("truncated record");
    const std::uint8_t pos_idx = bytes[at];
    const std::uint8_t meaning_count = bytes[at + 1];
    at += 2;
    if (pos_idx >= pos_names.size()) return fail(fmt::format("pos_idx {} out of range", pos_idx));
    PosGroup group{pos_names[pos_idx], {}};
    group.meanings.reserve(meaning_count);
    for (unsigned m = 0; m < meaning_count; ++m) {
        auto meaning = parse_meaning(bytes, at);
        if (!meaning) return std::unexpected(meaning.error());
        group.meanings.push_back(std::move(*meaning));
    }
    return group;
}

}  // namespace

Result<GlossRecord> parse_gloss_record(Bytes bytes, std::span<const std::string> pos_names) {
    if (bytes.empty()) return fail("empty buffer");
    const std::uint8_t group_count = bytes[0];
    std::size_t at = 1;
    GlossRecord record;
    record.groups.reserve(group_count);
    for (unsigned g = 0; g < group_count; ++g) {
        auto group = parse_group(bytes, at, pos_names);
        if (!group) return std::unexpected(group.error());
        record.groups.push_back(std::move(*group));
    }
    return record;
}

}  // namespace lomperi::format
