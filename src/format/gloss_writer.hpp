#pragma once
// Encoders that mirror the gloss parsers: records, and whole glosses.bin files.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/bytes.hpp"
#include "base/error.hpp"
#include "format/gloss.hpp"

namespace lomperi::format {

// Appends the encoding of `record`; each group's pos must be in `pos_names`.
// Fails, leaving `out` unchanged, when a count or length exceeds its field.
Result<void> append_gloss_record(std::vector<std::uint8_t>& out, const GlossRecord& record,
                                 std::span<const std::string> pos_names);

Result<std::vector<std::uint8_t>> encode_gloss_record(const GlossRecord& record, std::span<const std::string> pos_names);

// The bytes of a glosses.bin with the given header fields and already
// compressed body, written as they are (tests use it for damaged files).
Result<std::vector<std::uint8_t>> assemble_glosses_bin(std::span<const std::string> pos_names, std::uint32_t plain_size,
                                                       Bytes compressed);

// A glosses.bin whose body is `plain_body` compressed as one zstd frame.
Result<std::vector<std::uint8_t>> write_glosses_bin(std::span<const std::string> pos_names, Bytes plain_body,
                                                    int zstd_level);

// The plain size of the frames of a written body: a frame of 32 KiB
// decompresses in a few ten microseconds and the whole body compresses to
// about a third more than in one frame.
inline constexpr std::size_t kGlossFrameSize = 32 * 1024;

// A glosses.bin whose body is `plain_body` compressed in frames of at least
// `frame_size` plain bytes (the last one may be smaller), each ending where a
// record ends, so that a record is read by decompressing its frame alone,
// after a frame index that lets a reader find the frames without walking them.
// `record_starts` holds the offset of every record, ascending.
Result<std::vector<std::uint8_t>> write_framed_glosses_bin(std::span<const std::string> pos_names, Bytes plain_body,
                                                           std::span<const std::uint64_t> record_starts,
                                                           std::size_t frame_size, int zstd_level);

// One zstd frame of `plain` at `level`, declaring its content size.
Result<std::vector<std::uint8_t>> zstd_compress(Bytes plain, int level);

}  // namespace lomperi::format
