#pragma once
// The frames of a zstd body: glosses.bin compresses its records in frames of
// a few ten kilobytes, so that a record is read by decompressing its frame
// alone. One frame is the special case of an older file.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "base/bytes.hpp"
#include "base/error.hpp"

struct ZSTD_DCtx_s;

namespace lomperi::format {

struct ZstdFrame {
    Bytes compressed;  // view into the body
    std::uint64_t plain_start = 0;
    std::uint64_t plain_size = 0;
};

struct ZstdFrameSize {
    std::uint32_t compressed = 0;
    std::uint32_t plain = 0;
};

// A skippable frame that lists the sizes of the frames written after it, so
// that a reader finds them without touching the rest of the body.
std::vector<std::uint8_t> zstd_frame_index(std::span<const ZstdFrameSize> sizes);

// The frames of a body made of whole frames, each declaring its content
// size (a lone frame may leave it to `declared_size`): read from a leading
// frame index, or else by walking the frame headers, leaving out skippable
// and empty frames. Nothing is decompressed, so damage inside a frame shows
// only when it is.
Result<std::vector<ZstdFrame>> split_zstd_frames(Bytes body, std::uint64_t declared_size);

// One-shot decompression of single frames with one reused context.
class ZstdDecompressor {
public:
    // `out` has room for exactly the frame's content.
    Result<void> decompress(const ZstdFrame& frame, std::uint8_t* out);

private:
    struct Free {
        void operator()(ZSTD_DCtx_s* context) const;
    };
    std::unique_ptr<ZSTD_DCtx_s, Free> context_;
};

}  // namespace lomperi::format
