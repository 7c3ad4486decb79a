#pragma once
// glosses.bin: a small header with the part-of-speech names, then a zstd
// body (a series of frames, see zstd_frames.hpp) in which the gloss records
// of all headwords lie back to back.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.hpp"
#include "base/error.hpp"

namespace lomperi::format {

inline constexpr std::string_view kGlossMagic = "LMPB";
inline constexpr std::uint8_t kGlossVersion = 1;

struct GlossHeader {
    std::vector<std::string_view> pos_names;  // views into the file
    std::uint32_t plain_size = 0;
    Bytes compressed;  // view into the file
};

struct PosGroup {
    std::string pos;
    std::vector<std::string> meanings;
    friend bool operator==(const PosGroup&, const PosGroup&) = default;
};

struct GlossRecord {
    std::vector<PosGroup> groups;
    friend bool operator==(const GlossRecord&, const GlossRecord&) = default;
};

// The first meaning of a record: the answer a reader sees first.
std::optional<std::string> first_meaning(const GlossRecord& record);

// Parses the header of a whole glosses.bin; bytes after the body are ignored.
Result<GlossHeader> parse_gloss_header(Bytes file);

// Decodes the record that starts at the first byte of `bytes`; the bytes
// after the record are not looked at.
Result<GlossRecord> parse_gloss_record(Bytes bytes, std::span<const std::string> pos_names);

}  // namespace lomperi::format
