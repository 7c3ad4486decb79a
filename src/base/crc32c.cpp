#include "base/crc32c.hpp"

#include <array>
#include <cstring>

namespace lomperi {
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

std::uint32_t crc32c_table(Bytes bytes, std::uint32_t crc) {
    for (std::uint8_t byte : bytes) crc = kTable[(crc ^ byte) & 0xff] ^ (crc >> 8);
    return crc;
}

#if defined(__x86_64__)
// The processor's own CRC-32C instruction, eight bytes at a time.
__attribute__((target("sse4.2"))) std::uint32_t crc32c_sse42(Bytes bytes, std::uint32_t crc) {
    const std::uint8_t* at = bytes.data();
    std::size_t left = bytes.size();
    std::uint64_t wide = crc;
    for (; left >= 8; left -= 8, at += 8) {
        std::uint64_t word;
        std::memcpy(&word, at, 8);
        wide = __builtin_ia32_crc32di(wide, word);
    }
    crc = static_cast<std::uint32_t>(wide);
    for (; left > 0; --left, ++at) crc = __builtin_ia32_crc32qi(crc, *at);
    return crc;
}

bool has_sse42() {
    static const bool supported = __builtin_cpu_supports("sse4.2");
    return supported;
}
#endif

}  // namespace

std::uint32_t crc32c(Bytes bytes, std::uint32_t crc) {
    crc = ~crc;
#if defined(__x86_64__)
    if (has_sse42()) return ~crc32c_sse42(bytes, crc);
#endif
    return ~crc32c_table(bytes, crc);
}

std::uint32_t masked_crc32c(Bytes bytes) {
    std::uint32_t crc = crc32c(bytes);
    return ((crc >> 15) | (crc << 17)) + 0xa282ead8u;
}

}  // namespace lomperi
