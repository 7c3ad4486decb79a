#pragma once
// The files of a data set held in memory, as written by DataSetBuilder.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "core/morphology/dictionary.hpp"
#include "base/error.hpp"

namespace lomperi::morphology {

struct DataSet {
    std::vector<std::uint8_t> glosses_fst;
    std::vector<std::uint8_t> glosses_bin;
    std::vector<std::uint8_t> inflections_fst;
    std::vector<std::uint8_t> inflections_multi_bin;
    std::vector<std::uint8_t> english_fst;  // optional: both empty without an English side
    std::vector<std::uint8_t> english_bin;
    std::vector<std::uint8_t> headwords_bin;  // optional: empty lists the headwords at start-up
    std::vector<std::uint8_t> inflections_multi_offsets_bin;  // optional: empty walks the multi entries at start-up

    // Views of the files; valid while this DataSet lives (moving it keeps them valid).
    DataFiles files() const;

    // Writes glosses.fst, glosses.bin, inflections.fst and
    // inflections-multi.bin, and each optional file that is not empty, into
    // `dir`, creating it if needed.
    Result<void> write_to(const std::filesystem::path& dir) const;
};

}  // namespace lomperi::morphology
