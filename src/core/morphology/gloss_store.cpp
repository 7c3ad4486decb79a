#include "core/morphology/gloss_store.hpp"

#include <fmt/format.h>

#include <algorithm>

namespace lomperi::morphology {

Result<GlossStore> GlossStore::open(const format::GlossHeader& header, ChunkChecks checks) {
    auto frames = format::split_zstd_frames(header.compressed, header.plain_size);
    if (!frames) return forward(frames, "decompressing glosses.bin");
    const std::uint64_t plain_size = frames->empty() ? 0 : frames->back().plain_start + frames->back().plain_size;
    // A body larger than declared does not fit the buffer of the declared size.
    if (plain_size > header.plain_size)
        return std::unexpected(Error("decompressing glosses.bin", Error("zstd: Destination buffer is too small")));
    if (plain_size != header.plain_size)
        return fail(fmt::format("plain size mismatch: expected {}, got {}", header.plain_size, plain_size));
    GlossStore store;
    store.pos_names_.assign(header.pos_names.begin(), header.pos_names.end());
    store.plain_size_ = plain_size;
    store.checks_ = std::move(checks);
    if (!frames->empty()) {
        store.index_ = header.compressed.first(static_cast<std::size_t>(frames->front().compressed.data() - header.compressed.data()));
    }
    store.frames_.reserve(frames->size());
    for (const auto& zstd : *frames) store.frames_.push_back({zstd, {}, false});
    return store;
}

const GlossStore::Frame& GlossStore::frame(std::size_t index) const {
    const std::lock_guard lock(*fill_);
    Frame& frame = frames_[index];
    if (frame.read) return frame;
    frame.read = true;
    if (!checks_.intact(frame.zstd.compressed)) return frame;
    ByteBuffer plain(frame.zstd.plain_size);
    if (decompressor_.decompress(frame.zstd, plain.data())) frame.plain = std::move(plain);
    return frame;
}

std::optional<Bytes> GlossStore::bytes_from(std::uint64_t offset) const {
    if (offset >= plain_size_) {
        note_damaged_read();
        return std::nullopt;
    }
    const auto after = std::upper_bound(frames_.begin(), frames_.end(), offset,
                                        [](std::uint64_t at, const Frame& f) { return at < f.zstd.plain_start; });
    const Frame& found = frame(static_cast<std::size_t>(after - frames_.begin()) - 1);
    if (found.plain.empty()) {
        // Each read of a damaged frame meets the damage, not only the first.
        note_damaged_read();
        return std::nullopt;
    }
    return found.plain.bytes().subspan(offset - found.zstd.plain_start);
}

std::optional<std::vector<std::uint8_t>> GlossStore::plain_body() const {
    std::vector<std::uint8_t> body;
    body.reserve(plain_size_);
    for (std::size_t index = 0; index < frames_.size(); ++index) {
        const Frame& read = frame(index);
        if (read.plain.empty()) return std::nullopt;
        body.insert(body.end(), read.plain.begin(), read.plain.end());
    }
    return body;
}

bool GlossStore::decompress_next() const {
    std::size_t next = 0;
    {
        const std::lock_guard lock(*fill_);
        while (first_unread_ < frames_.size() && frames_[first_unread_].read) ++first_unread_;
        if (first_unread_ == frames_.size()) return false;
        next = first_unread_;
    }
    frame(next);
    return true;
}

}  // namespace lomperi::morphology
