#pragma once
// Byte strings and the little-endian integers inside them. Readers assume the
// caller checked the bounds; writers append.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

namespace lomperi {

// A read-only view of bytes, usually into one of the embedded data arrays.
using Bytes = std::span<const std::uint8_t>;

inline Bytes as_bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

inline std::string_view as_text(Bytes bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

inline std::uint16_t read_u16(Bytes bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

inline std::uint32_t read_u32(Bytes bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[at + 2]) << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

// An unsigned value of width bytes (0 to 8), lowest byte at `at`.
inline std::uint64_t read_uint(Bytes bytes, std::size_t at, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) value |= std::uint64_t{bytes[at + i]} << (8 * i);
    return value;
}

inline std::uint64_t read_u64(Bytes bytes, std::size_t at) { return read_uint(bytes, at, 8); }

// Appends the low width bytes (0 to 8) of value.
inline void append_uint(std::vector<std::uint8_t>& out, std::uint64_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline void append_u16(std::vector<std::uint8_t>& out, std::uint16_t value) { append_uint(out, value, 2); }
inline void append_u32(std::vector<std::uint8_t>& out, std::uint32_t value) { append_uint(out, value, 4); }
inline void append_u64(std::vector<std::uint8_t>& out, std::uint64_t value) { append_uint(out, value, 8); }

// Through resize and memcpy: g++ 12 sees a write into an empty vector in the
// range insert and warns (-Wstringop-overflow), a known false positive.
inline void append_bytes(std::vector<std::uint8_t>& out, Bytes bytes) {
    if (bytes.empty()) return;
    const std::size_t at = out.size();
    out.resize(at + bytes.size());
    std::memcpy(out.data() + at, bytes.data(), bytes.size());
}

}  // namespace lomperi
