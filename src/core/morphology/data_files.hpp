#pragma once
// The files of a data set, from the one table in data_files.def, and their
// bytes as the loader reads them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/bytes.hpp"

namespace lomperi::morphology {

enum class DataFile : std::uint8_t {
#define LOMPERI_DATA_FILE(name, id, required) id,
#include "core/morphology/data_files.def"
#undef LOMPERI_DATA_FILE
};

struct DataFileInfo {
    DataFile file;
    std::string_view name;
    bool required;
};

inline constexpr DataFileInfo kDataFileTable[] = {
#define LOMPERI_DATA_FILE(name, id, required) {DataFile::id, name, required},
#include "core/morphology/data_files.def"
#undef LOMPERI_DATA_FILE
};

inline constexpr std::size_t kDataFileCount = std::size(kDataFileTable);

// The longest key of a data set's word maps, in bytes.
inline constexpr std::size_t kMaxKeyBytes = 90;

constexpr std::string_view file_name(DataFile file) { return kDataFileTable[static_cast<std::size_t>(file)].name; }

// Views of the bytes of each file; an absent optional file is empty.
class DataFiles {
public:
    Bytes operator[](DataFile file) const { return bytes_[static_cast<std::size_t>(file)]; }
    Bytes& operator[](DataFile file) { return bytes_[static_cast<std::size_t>(file)]; }

private:
    std::array<Bytes, kDataFileCount> bytes_{};
};

}  // namespace lomperi::morphology
