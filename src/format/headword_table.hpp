#pragma once
// headwords.bin: every key of glosses.fst in key order, so that a base id
// names its headword without walking the whole map at start-up. Optional:
// without it the headwords are listed from glosses.fst.
//
// File: "LMPH", version 1, a count n (4 bytes), n end offsets (4 bytes each,
// ascending, the last one the text's length), then the headwords' text end
// to end.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.hpp"
#include "base/chunk_checks.hpp"
#include "base/error.hpp"

namespace lomperi::format {

inline constexpr std::string_view kHeadwordMagic = "LMPH";
inline constexpr std::uint8_t kHeadwordVersion = 1;
inline constexpr std::size_t kHeadwordHeaderSize = 9;

class HeadwordTable {
public:
    // Checks the header and that the offsets end at the text's end. The
    // headwords themselves are checked as they are read, so that opening the
    // table touches none of them.
    static Result<HeadwordTable> parse(Bytes file, ChunkChecks checks = {});

    std::size_t size() const { return count_; }
    // Headword `id`; nothing when `id` is out of range or its offsets or text
    // are damaged (out of order, not UTF-8, splitting a character, failing
    // their checksums).
    std::optional<std::string_view> at(std::size_t id) const;

private:
    Bytes ends_;
    std::string_view text_;
    std::size_t count_ = 0;
    ChunkChecks checks_;
};

class HeadwordTableWriter {
public:
    void reserve(std::size_t count, std::size_t text_bytes);
    // Fails once the text passes 4 GiB or the count 2^32 - 1.
    Result<void> add(std::string_view headword);
    std::vector<std::uint8_t> finish() &&;

private:
    std::vector<std::uint32_t> ends_;
    std::string text_;
};

}  // namespace lomperi::format
