#pragma once
// headwords.bin: every key of glosses.fst in key order, so that a base id
// names its headword without walking the whole map at start-up. Optional:
// without it the headwords are listed from glosses.fst.
//
// File: "LMPH", version 1, a count n (4 bytes), n end offsets (4 bytes each,
// ascending, the last one the text's length), then the headwords' text end
// to end.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.hpp"
#include "base/error.hpp"

namespace lomperi::format {

inline constexpr std::string_view kHeadwordMagic = "LMPH";
inline constexpr std::uint8_t kHeadwordVersion = 1;
inline constexpr std::size_t kHeadwordHeaderSize = 9;

class HeadwordTable {
public:
    // Checks the whole table: the offsets ascend and end at the text's end,
    // the text is UTF-8 and every headword starts on a character.
    static Result<HeadwordTable> parse(Bytes file);

    std::size_t size() const { return count_; }
    // `id` < size().
    std::string_view operator[](std::size_t id) const {
        const std::uint32_t start = id == 0 ? 0 : read_u32(ends_, 4 * (id - 1));
        return text_.substr(start, read_u32(ends_, 4 * id) - start);
    }

private:
    Bytes ends_;
    std::string_view text_;
    std::size_t count_ = 0;
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
