#pragma once
// The data files, compiled into the executable (see cmake/Embed.cmake).
#include <cstddef>
#include <cstdint>

#include "core/morphology/data_files.hpp"

extern "C" {
#define LOMPERI_DATA_FILE(name, id, required)   \
    extern const std::uint8_t lomperi_##id[]; \
    extern const std::uint64_t lomperi_##id##_len;
#include "core/morphology/data_files.def"
#undef LOMPERI_DATA_FILE
}

namespace lomperi::embedded {

inline morphology::DataFiles data_files() {
    morphology::DataFiles files;
#define LOMPERI_DATA_FILE(name, id, required) \
    files[morphology::DataFile::id] = {lomperi_##id, static_cast<std::size_t>(lomperi_##id##_len)};
#include "core/morphology/data_files.def"
#undef LOMPERI_DATA_FILE
    return files;
}

}  // namespace lomperi::embedded
