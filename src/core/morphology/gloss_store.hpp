#pragma once
// The gloss records of all headwords. The body is decompressed a frame at a
// time when first read, so that start-up decompresses nothing and a look-up
// only the frames of the records it reads. Reads fill the cache under a lock,
// so that a store may be read from several threads (the DICT server's); a
// frame once filled never changes.
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "base/bytes.hpp"
#include "base/chunk_checks.hpp"
#include "base/error.hpp"
#include "core/morphology/byte_buffer.hpp"
#include "format/gloss.hpp"
#include "format/zstd_frames.hpp"

namespace lomperi::morphology {

class GlossStore {
public:
    GlossStore() = default;

    // Finds the frames of the body; their contents must add up to its
    // declared plain size.
    // With `checks`, a frame whose compressed bytes are damaged is never
    // decompressed: its records read as absent.
    static Result<GlossStore> open(const format::GlossHeader& header, ChunkChecks checks = {});

    const std::vector<std::string>& pos_names() const { return pos_names_; }
    // Whether the bytes before the first frame (the frame index) are intact.
    bool index_intact() const { return checks_.intact(index_); }
    std::uint64_t plain_size() const { return plain_size_; }

    // The plain bytes from `offset` to the end of its frame; nothing when
    // `offset` lies outside the body or its frame does not decompress (a
    // read that met damage).
    std::optional<Bytes> bytes_from(std::uint64_t offset) const;

    // The whole plain body, for the tools; nothing when a frame does not
    // decompress.
    std::optional<std::vector<std::uint8_t>> plain_body() const;

    // Decompresses the first frame not yet read, for filling the cache while
    // nothing else is to be done; false once every frame has been read.
    bool decompress_next() const;

private:
    struct Frame {
        format::ZstdFrame zstd;
        ByteBuffer plain;
        bool read = false;  // tried once: a damaged frame stays empty
    };

    const Frame& frame(std::size_t index) const;

    std::vector<std::string> pos_names_;
    std::uint64_t plain_size_ = 0;
    mutable std::vector<Frame> frames_;
    mutable format::ZstdDecompressor decompressor_;
    mutable std::size_t first_unread_ = 0;
    // Guards the three above; shared by copies, as they share nothing else that changes.
    std::shared_ptr<std::mutex> fill_ = std::make_shared<std::mutex>();
    ChunkChecks checks_;
    Bytes index_;
};

}  // namespace lomperi::morphology
