#pragma once
// Byte-string helpers for building damaged inputs in format tests.
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "base/bytes.hpp"

namespace lomperi::format::test {

using Buffer = std::vector<std::uint8_t>;

inline Buffer bytes_of(std::string_view text) { return Buffer(text.begin(), text.end()); }

inline Buffer concat(std::initializer_list<Buffer> parts) {
    Buffer out;
    for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

inline Buffer u16le(std::uint16_t v) { return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)}; }

inline Buffer u32le(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
            static_cast<std::uint8_t>(v >> 24)};
}

}  // namespace lomperi::format::test
