#pragma once
// CRC-32C (Castagnoli): the checksum of word map files and of the chunks of
// every data file.
#include <cstdint>

#include "base/bytes.hpp"

namespace lomperi {

// CRC-32C of `bytes`, continuing from crc (0 to start).
std::uint32_t crc32c(Bytes bytes, std::uint32_t crc = 0);

// The rotated and offset form of a CRC-32C that word map files store.
std::uint32_t masked_crc32c(Bytes bytes);

}  // namespace lomperi
