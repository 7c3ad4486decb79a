#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace lomperi {

// A read-only view of bytes, usually into one of the embedded data arrays.
using Bytes = std::span<const std::uint8_t>;

inline Bytes as_bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

inline std::string_view as_text(Bytes bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace lomperi
