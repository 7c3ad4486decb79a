#pragma once
// The encoder that mirrors MultiIndex::parse.
#include <cstdint>
#include <span>
#include <vector>

#include "base/error.hpp"

namespace lomperi::format {

class MultiIndex;

// Appends one entry: the id count, then the ids. Fails beyond 255 ids.
Result<void> append_multi_entry(std::vector<std::uint8_t>& out, std::span<const std::uint32_t> ids);

// The header of an inflections-multi.bin of `entries` entries.
std::vector<std::uint8_t> write_multi_header(std::uint32_t entries);

// The inflections-multi-offsets.bin of a parsed inflections-multi.bin.
std::vector<std::uint8_t> write_multi_offsets(const MultiIndex& index);

// A whole inflections-multi.bin holding `entries` in order.
Result<std::vector<std::uint8_t>> write_multi_bin(std::span<const std::vector<std::uint32_t>> entries);

}  // namespace lomperi::format
