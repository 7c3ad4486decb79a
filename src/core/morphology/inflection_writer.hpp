#pragma once
// Writes inflections.fst and inflections-multi.bin from word forms given in
// strictly ascending byte order, each with the ids of its bases; streams into
// the word-map builder, so tens of millions of forms need no map in memory.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "base/error.hpp"
#include "core/word_map/builder.hpp"

namespace lomperi::morphology {

struct InflectionFiles {
    std::vector<std::uint8_t> inflections_fst;
    std::vector<std::uint8_t> inflections_multi_bin;
};

class InflectionWriter {
public:
    // `ids` ascending, without repeats, at least one. A single id is stored
    // in the word map; several become a multi entry.
    Result<void> add(std::string_view form, std::span<const std::uint32_t> ids);

    std::uint64_t forms() const { return map_.len(); }
    std::size_t multi_entries() const { return multi_count_; }

    Result<InflectionFiles> finish() &&;

private:
    word_map::WordMapBuilder map_;
    std::vector<std::uint8_t> multi_body_;
    std::uint32_t multi_count_ = 0;
};

}  // namespace lomperi::morphology
