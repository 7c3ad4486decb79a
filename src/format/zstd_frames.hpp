#pragma once
// The frames of a zstd body: glosses.bin compresses its records in frames of
// a few ten kilobytes, so that a record is read by decompressing its frame
// alone. One frame is the special case of an older file.
#include <cstdint>
#include <memory>
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

// Walks the frame headers of a body made of whole frames, each declaring its
// content size; skippable and empty frames are left out. Nothing is
// decompressed, so damage inside a frame shows only when it is.
Result<std::vector<ZstdFrame>> split_zstd_frames(Bytes body);

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
