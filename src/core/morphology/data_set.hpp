#pragma once
// The files of a data set held in memory, as DataSetBuilder writes them.
#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "base/error.hpp"
#include "core/morphology/data_files.hpp"

namespace lomperi::morphology {

class DataSet {
public:
    std::vector<std::uint8_t>& operator[](DataFile file) { return bytes_[static_cast<std::size_t>(file)]; }
    const std::vector<std::uint8_t>& operator[](DataFile file) const { return bytes_[static_cast<std::size_t>(file)]; }

    // Views of the files; valid while this DataSet lives (moving it keeps them valid).
    DataFiles files() const;

    // What becomes of an optional file this data set lacks: removed, so that
    // none is left over from an earlier data set, or written empty, so that
    // a build step can name every file of the table as its output.
    enum class Absent : std::uint8_t { Remove, WriteEmpty };

    // Writes every required file and every optional one that is not empty
    // into `dir`, creating it if needed.
    Result<void> write_to(const std::filesystem::path& dir, Absent absent = Absent::Remove) const;

private:
    std::array<std::vector<std::uint8_t>, kDataFileCount> bytes_;
};

}  // namespace lomperi::morphology
