#pragma once
// inflections-multi.bin: the base-id lists of word forms that belong to
// several headwords.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "base/bytes.hpp"
#include "base/error.hpp"

namespace lomperi::format {

inline constexpr std::string_view kMultiMagic = "LMPM";
inline constexpr std::uint8_t kMultiVersion = 1;
inline constexpr std::size_t kMultiHeaderSize = 9;
// Set in an inflections value that names a multi entry; the other bits are
// then the entry's number instead of a base id.
inline constexpr std::uint32_t kMultiFlag = 0x8000'0000u;

class MultiIndex {
public:
    // Checks the header and walks the entries once to find where each starts.
    static Result<MultiIndex> parse(Bytes file);

    // The base ids of entry `index`, in stored order.
    Result<std::vector<std::uint32_t>> base_ids(std::uint32_t index) const;

    std::size_t size() const { return entry_offsets.size(); }

    std::vector<std::uint32_t> entry_offsets;  // start of entry k, counted from the first entry byte
    Bytes body;                                // the entry bytes, a view into the file
};

}  // namespace lomperi::format
