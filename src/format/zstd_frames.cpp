#include "format/zstd_frames.hpp"

#include <fmt/format.h>
#include <zstd.h>

namespace lomperi::format {
namespace {

// Skippable frames carry no content; their magic numbers are 0x184D2A50 to 0x184D2A5F.
bool is_skippable(Bytes frame) { return frame.size() >= 4 && (read_u32(frame, 0) & 0xFFFFFFF0u) == 0x184D2A50u; }

std::unexpected<Error> zstd_error(std::size_t code) { return fail(fmt::format("zstd: {}", ZSTD_getErrorName(code))); }

}  // namespace

Result<std::vector<ZstdFrame>> split_zstd_frames(Bytes body) {
    std::vector<ZstdFrame> frames;
    std::uint64_t plain_start = 0;
    for (std::size_t at = 0; at < body.size();) {
        const Bytes rest = body.subspan(at);
        const std::size_t length = ZSTD_findFrameCompressedSize(rest.data(), rest.size());
        if (ZSTD_isError(length)) return zstd_error(length);
        const Bytes frame = rest.first(length);
        at += length;
        if (is_skippable(frame)) continue;
        const unsigned long long plain_size = ZSTD_getFrameContentSize(frame.data(), frame.size());
        if (plain_size == ZSTD_CONTENTSIZE_UNKNOWN) return fail("zstd: frame without its content size");
        if (plain_size == ZSTD_CONTENTSIZE_ERROR) return fail("zstd: bad frame header");
        if (plain_size == 0) continue;
        frames.push_back({frame, plain_start, plain_size});
        plain_start += plain_size;
    }
    return frames;
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
