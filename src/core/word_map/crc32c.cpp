#include "core/word_map/crc32c.hpp"

#include <array>

namespace lomperi::word_map {
namespace {

constexpr std::array<std::uint32_t, 256> kTable = [] {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t crc = i;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ ((crc & 1) ? 0x82F63B78u : 0u);
        table[i] = crc;
    }
    return table;
}();

}  // namespace

std::uint32_t crc32c(Bytes bytes, std::uint32_t crc) {
    crc = ~crc;
    for (std::uint8_t byte : bytes) crc = kTable[(crc ^ byte) & 0xff] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t masked_crc32c(Bytes bytes) {
    std::uint32_t crc = crc32c(bytes);
    return ((crc >> 15) | (crc << 17)) + 0xa282ead8u;
}

}  // namespace lomperi::word_map
