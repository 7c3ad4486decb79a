#include "format/zstd_frames.hpp"

#include <fmt/format.h>
#include <zstd.h>

#include <optional>
#include <string_view>

#include "format/header_cursor.hpp"

namespace lomperi::format {
namespace {

// Skippable frames carry no content; their magic numbers are 0x184D2A50 to 0x184D2A5F.
bool is_skippable(Bytes frame) { return frame.size() >= 4 && (read_u32(frame, 0) & 0xFFFFFFF0u) == 0x184D2A50u; }

std::unexpected<Error> zstd_error(std::size_t code) { return fail(fmt::format("zstd: {}", ZSTD_getErrorName(code))); }

// The frame index: a skippable frame whose content is a tag, a count and a
// (compressed, plain) size pair per frame.
constexpr std::uint32_t kFrameIndexMagic = 0x184D2A5Eu;
constexpr std::string_view kFrameIndexTag = "LMPF";
constexpr std::size_t kFrameIndexHeaderSize = 8;
constexpr std::size_t kFrameIndexHead = kFrameIndexTag.size() + 4;  // the tag and the count

// The size pairs of a leading frame index, or nothing when the body does not
// start with one.
std::optional<Bytes> frame_index(Bytes body) {
    HeaderCursor cursor(body);
    if (cursor.u32() != kFrameIndexMagic) return std::nullopt;
    const Bytes content = cursor.take(cursor.u32());
    HeaderCursor inside(content);
    if (as_text(inside.take(kFrameIndexTag.size())) != kFrameIndexTag) return std::nullopt;
    const std::uint64_t count = inside.u32();
    if (cursor.truncated() || inside.truncated() || inside.rest().size() != 8 * count) return std::nullopt;
    return content;
}

Result<std::vector<ZstdFrame>> indexed_frames(Bytes index, Bytes frames_body) {
    const std::size_t count = (index.size() - kFrameIndexHead) / 8;
    std::vector<ZstdFrame> frames;
    frames.reserve(count);
    std::uint64_t at = 0;
    std::uint64_t plain_start = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const std::uint32_t compressed = read_u32(index, kFrameIndexHead + 8 * k);
        const std::uint32_t plain = read_u32(index, kFrameIndexHead + 8 * k + 4);
        if (compressed > frames_body.size() - at) return fail(fmt::format("zstd: frame {} ends beyond the body", k));
        if (plain > 0) frames.push_back({frames_body.subspan(at, compressed), plain_start, plain});
        at += compressed;
        plain_start += plain;
    }
    if (at != frames_body.size()) return fail("zstd: frame index does not cover the body");
    return frames;
}

// A frame written by a streaming compressor need not declare its size: as
// the only frame of a body it takes the size the header declares.
Result<std::vector<ZstdFrame>> walked_frames(Bytes body, std::uint64_t declared_size) {
    std::vector<ZstdFrame> frames;
    std::uint64_t plain_start = 0;
    bool unknown_size = false;
    for (std::size_t at = 0; at < body.size();) {
        const Bytes rest = body.subspan(at);
        const std::size_t length = ZSTD_findFrameCompressedSize(rest.data(), rest.size());
        if (ZSTD_isError(length)) return zstd_error(length);
        const Bytes frame = rest.first(length);
        at += length;
        if (is_skippable(frame)) continue;
        unsigned long long plain_size = ZSTD_getFrameContentSize(frame.data(), frame.size());
        if (plain_size == ZSTD_CONTENTSIZE_ERROR) return fail("zstd: bad frame header");
        if (plain_size == ZSTD_CONTENTSIZE_UNKNOWN) {
            if (unknown_size || !frames.empty()) return fail("zstd: frame without its content size");
            unknown_size = true;
            plain_size = declared_size;
        }
        if (unknown_size && !frames.empty()) return fail("zstd: frame without its content size");
        if (plain_size == 0) continue;
        frames.push_back({frame, plain_start, plain_size});
        plain_start += plain_size;
    }
    return frames;
}

}  // namespace

std::vector<std::uint8_t> zstd_frame_index(std::span<const ZstdFrameSize> sizes) {
    std::vector<std::uint8_t> out;
    append_u32(out, kFrameIndexMagic);
    append_u32(out, static_cast<std::uint32_t>(kFrameIndexTag.size() + 4 + 8 * sizes.size()));
    append_bytes(out, as_bytes(kFrameIndexTag));
    append_u32(out, static_cast<std::uint32_t>(sizes.size()));
    for (const auto& size : sizes) {
        append_u32(out, size.compressed);
        append_u32(out, size.plain);
    }
    return out;
}

Result<std::vector<ZstdFrame>> split_zstd_frames(Bytes body, std::uint64_t declared_size) {
    if (const auto index = frame_index(body)) return indexed_frames(*index, body.subspan(kFrameIndexHeaderSize + index->size()));
    return walked_frames(body, declared_size);
}

void ZstdDecompressor::Free::operator()(ZSTD_DCtx_s* context) const { ZSTD_freeDCtx(context); }

Result<void> ZstdDecompressor::decompress(const ZstdFrame& frame, std::uint8_t* out) {
    if (!context_) context_.reset(ZSTD_createDCtx());
    if (!context_) return fail("zstd: out of memory");
    const std::size_t produced = ZSTD_decompressDCtx(context_.get(), out, frame.plain_size, frame.compressed.data(),
                                                     frame.compressed.size());
    if (ZSTD_isError(produced)) return zstd_error(produced);
    if (produced != frame.plain_size) return fail(fmt::format("frame of {} bytes declares {}", produced, frame.plain_size));
    return {};
}

}  // namespace lomperi::format
