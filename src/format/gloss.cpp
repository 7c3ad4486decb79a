#include "format/gloss.hpp"

#include <fmt/format.h>

#include "base/bytes.hpp"
#include "base/utf8.hpp"

namespace lomperi::format {
namespace {

// Walks the header. A read past the end marks the cursor truncated and gives
// nothing from then on, so the parse checks once per step of the format.
class HeaderCursor {
public:
    explicit HeaderCursor(Bytes bytes) : bytes_(bytes) {}

    Bytes take(std::size_t count) {
        if (truncated_ || count > bytes_.size() - at_) {
            truncated_ = true;
            return {};
        }
        const Bytes taken = bytes_.subspan(at_, count);
        at_ += count;
        return taken;
    }
    std::uint8_t u8() {
        const Bytes taken = take(1);
        return taken.empty() ? 0 : taken[0];
    }
    std::uint32_t u32() {
        const Bytes taken = take(4);
        return taken.empty() ? 0 : read_u32(taken, 0);
    }
    bool truncated() const { return truncated_; }

private:
    Bytes bytes_;
    std::size_t at_ = 0;
    bool truncated_ = false;
};

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
    const Bytes magic = cursor.take(4);
    if (cursor.truncated()) return truncated_header();
    if (as_text(magic) != kGlossMagic) return fail("bad magic");
    const std::uint8_t version = cursor.u8();
    if (cursor.truncated()) return truncated_header();
    if (version != kGlossVersion) return fail(fmt::format("unsupported version {}", version));
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

}  // namespace lomperi::format
