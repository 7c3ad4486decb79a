#include "format/header_cursor.hpp"

#include <fmt/format.h>

namespace lomperi::format {
namespace {

std::string named(std::string_view what, std::string_view name) {
    return name.empty() ? std::string(what) : fmt::format("{} {}", name, what);
}

}  // namespace

Result<void> read_file_head(HeaderCursor& cursor, const FileKind& kind) {
    if (cursor.rest().size() < kind.head_size) return fail("truncated " + named("header", kind.name));
    const Bytes magic = cursor.take(kind.magic.size());
    if (cursor.truncated()) return fail("truncated " + named("header", kind.name));
    if (as_text(magic) != kind.magic) return fail("bad " + named("magic", kind.name));
    const std::uint8_t version = cursor.u8();
    if (cursor.truncated()) return fail("truncated " + named("header", kind.name));
    if (version != kind.version) return fail(fmt::format("unsupported {} {}", named("version", kind.name), version));
    return {};
}

}  // namespace lomperi::format
