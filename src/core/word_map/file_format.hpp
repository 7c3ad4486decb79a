#pragma once
// The word map file format (version 3 of the fst library's format): the
// constants the reader and the builder share.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace lomperi::word_map {

inline constexpr std::size_t kHeaderSize = 16;     // version, map type
inline constexpr std::size_t kMinFileSize = 36;    // header and version-3 footer
inline constexpr std::uint64_t kLatestVersion = 3;
inline constexpr std::uint64_t kEmptyAddress = 0;  // the empty final node, never written
inline constexpr std::uint32_t kIndexThreshold = 32;
inline constexpr std::size_t kIndexSize = 256;

// Bounds the depth of a walk, so a damaged map cannot make one pull unbounded
// or grow a stream's stack without limit. The builder rejects longer keys.
inline constexpr std::size_t kMaxKeyLength = 1 << 16;

inline constexpr std::uint8_t kKindMask = 0b1100'0000;
inline constexpr std::uint8_t kOneTransNext = 0b1100'0000;
inline constexpr std::uint8_t kOneTrans = 0b1000'0000;
inline constexpr std::uint8_t kFinalFlag = 0b0100'0000;
inline constexpr std::uint8_t kLowBits = 0b0011'1111;

inline constexpr std::size_t footer_size(std::uint64_t version) { return version >= 3 ? 20 : 16; }

inline constexpr bool has_index(std::uint64_t version, std::uint32_t transitions) {
    return version >= 2 && transitions > kIndexThreshold;
}

// Inputs that fit into the low six bits of a one-transition state byte; code
// c stands for kCommonInputs[c - 1].
inline constexpr char kCommonInputs[] = "te/oasripcnw.hlm-du012g=:bf3y5&_4v9678k%?xCDASFIBEjPTzRNM+LOqHG";
static_assert(sizeof(kCommonInputs) == 64);

inline constexpr std::uint8_t common_input(std::uint8_t code) {
    return static_cast<std::uint8_t>(kCommonInputs[code - 1]);
}

inline constexpr std::array<std::uint8_t, 256> kCommonCodes = [] {
    std::array<std::uint8_t, 256> codes{};
    for (std::size_t i = 0; i + 1 < sizeof(kCommonInputs); ++i) {
        codes[static_cast<std::uint8_t>(kCommonInputs[i])] = static_cast<std::uint8_t>(i + 1);
    }
    return codes;
}();

// 0 when the byte has no common-input code.
inline constexpr std::uint8_t common_code(std::uint8_t input) { return kCommonCodes[input]; }

// Number of bytes needed to store n (at least one).
inline constexpr std::uint8_t pack_size(std::uint64_t n) {
    std::uint8_t size = 1;
    while (size < 8 && (n >> (8 * size)) != 0) ++size;
    return size;
}

}  // namespace lomperi::word_map
