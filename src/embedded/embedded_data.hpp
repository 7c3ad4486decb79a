#pragma once
// The data files, compiled into the executable (see cmake/Embed.cmake).
#include <cstddef>
#include <cstdint>

#include "core/morphology/dictionary.hpp"

extern "C" {
extern const std::uint8_t lomperi_glosses_fst[];
extern const std::uint64_t lomperi_glosses_fst_len;
extern const std::uint8_t lomperi_glosses_bin[];
extern const std::uint64_t lomperi_glosses_bin_len;
extern const std::uint8_t lomperi_inflections_fst[];
extern const std::uint64_t lomperi_inflections_fst_len;
extern const std::uint8_t lomperi_inflections_multi_bin[];
extern const std::uint64_t lomperi_inflections_multi_bin_len;
extern const std::uint8_t lomperi_english_fst[];
extern const std::uint64_t lomperi_english_fst_len;
extern const std::uint8_t lomperi_english_bin[];
extern const std::uint64_t lomperi_english_bin_len;
extern const std::uint8_t lomperi_headwords_bin[];
extern const std::uint64_t lomperi_headwords_bin_len;
extern const std::uint8_t lomperi_inflections_multi_offsets_bin[];
extern const std::uint64_t lomperi_inflections_multi_offsets_bin_len;
}

namespace lomperi::embedded {

inline morphology::DataFiles data_files() {
    return {
        {lomperi_glosses_fst, static_cast<std::size_t>(lomperi_glosses_fst_len)},
        {lomperi_glosses_bin, static_cast<std::size_t>(lomperi_glosses_bin_len)},
        {lomperi_inflections_fst, static_cast<std::size_t>(lomperi_inflections_fst_len)},
        {lomperi_inflections_multi_bin, static_cast<std::size_t>(lomperi_inflections_multi_bin_len)},
        {lomperi_english_fst, static_cast<std::size_t>(lomperi_english_fst_len)},
        {lomperi_english_bin, static_cast<std::size_t>(lomperi_english_bin_len)},
        {lomperi_headwords_bin, static_cast<std::size_t>(lomperi_headwords_bin_len)},
        {lomperi_inflections_multi_offsets_bin, static_cast<std::size_t>(lomperi_inflections_multi_offsets_bin_len)},
    };
}

}  // namespace lomperi::embedded
