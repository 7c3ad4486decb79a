#pragma once
// The encoder that mirrors MultiIndex::parse.
#include <cstdint>
#include <span>
#include <vector>

#include "base/error.hpp"

namespace lomperi::format {

// Appends one entry: the id count, then the ids. Fails beyond 255 ids.
Result<void> append_multi_entry(std::vector<std::uint8_t>& out, std::span<const std::uint32_t> ids);

// The header of an inflections-multi.bin of `entries` entries.
std::vector<std::uint8_t> write_multi_header(std::uint32_t entries);

// A whole inflections-multi.bin holding `entries` in order.
Result<std::vector<std::uint8_t>> write_multi_bin(std::span<const std::vector<std::uint32_t>> entries);

}  // namespace lomperi::format
