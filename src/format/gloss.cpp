#include "format/gloss.hpp"

#include <fmt/format.h>

#include "base/bytes.hpp"
#include "base/utf8.hpp"
#include "format/header_cursor.hpp"

namespace lomperi::format {
namespace {

std::unexpected<Error> truncated_header() { return fail("truncated header"); }

Result<std::vector<std::string_view>> parse_pos_names(HeaderCursor& cursor) {
    const std::uint8_t count = cursor.u8();
    std::vector<std::string_view> names;
    names.reserve(count);
    for (unsigned i = 0; i < count && !cursor.truncated(); ++i) {
        const Bytes name = cursor.take(cursor.u8());
        if (cursor.truncated()) break;
        if (auto valid = check_utf8(name); !valid) return forward(valid, "bad utf8 in pos table");
        names.push_back(as_text(name));
    }
    if (cursor.truncated()) return truncated_header();
    return names;
}

}  // namespace

Result<GlossHeader> parse_gloss_header(Bytes file) {
    HeaderCursor cursor(file);
    if (auto head = read_file_head(cursor, {kGlossMagic, kGlossVersion, ""}); !head) return forward(head);
    auto names = parse_pos_names(cursor);
    if (!names) return forward(names);
    const std::uint32_t plain_size = cursor.u32();
    const Bytes compressed = cursor.take(cursor.u32());
    if (cursor.truncated()) return truncated_header();
    return GlossHeader{std::move(*names), plain_size, compressed};
}

namespace {

Result<std::string> parse_meaning(Bytes bytes, std::size_t& at) {
    if (bytes.size() - at < 2) return fail("truncated meaning length");
    const std::size_t length = read_u16(bytes, at);
    at += 2;
    if (bytes.size() - at < length) return fail("truncated meaning bytes");
    const Bytes text = bytes.subspan(at, length);
    if (auto valid = check_utf8(text); !valid) return forward(valid, "bad utf8 in meaning");
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
        if (!meaning) return forward(meaning);
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
        if (!group) return forward(group);
        record.groups.push_back(std::move(*group));
    }
    return record;
}

std::optional<std::string> first_meaning(const GlossRecord& record) {
    for (const auto& group : record.groups) {
        if (!group.meanings.empty()) return group.meanings.front();
    }
    return std::nullopt;
}

}  // namespace lomperi::format
