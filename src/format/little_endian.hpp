#pragma once
// Little-endian integers in byte buffers. Readers assume the caller checked
// the bounds; writers append.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "format/bytes.hpp"

namespace lomperi::format {

inline std::uint16_t read_u16(Bytes bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

inline std::uint32_t read_u32(Bytes bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[at + 2]) << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

inline void append_u16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void append_u32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

inline void append_bytes(std::vector<std::uint8_t>& out, Bytes bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); }

}  // namespace lomperi::format
