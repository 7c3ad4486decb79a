#include "core/morphology/data_set.hpp"

#include <fmt/format.h>

#include <system_error>

#include "base/file.hpp"

namespace lomperi::morphology {

DataFiles DataSet::files() const {
    return {glosses_fst, glosses_bin, inflections_fst, inflections_multi_bin, english_fst,
            english_bin,  headwords_bin, inflections_multi_offsets_bin};
}

Result<void> DataSet::write_to(const std::filesystem::path& dir) const {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) return fail(fmt::format("cannot create {}: {}", dir.string(), error.message()));
    const struct {
        const char* name;
        const std::vector<std::uint8_t>* bytes;
        bool optional;
    } files[] = {
        {"glosses.fst", &glosses_fst, false},
        {"glosses.bin", &glosses_bin, false},
        {"inflections.fst", &inflections_fst, false},
        {"inflections-multi.bin", &inflections_multi_bin, false},
        {"english.fst", &english_fst, true},
        {"english.bin", &english_bin, true},
        {"headwords.bin", &headwords_bin, true},
        {"inflections-multi-offsets.bin", &inflections_multi_offsets_bin, true},
    };
    for (const auto& [name, bytes, optional] : files) {
        if (optional && bytes->empty()) continue;
        if (auto written = write_file(dir / name, *bytes); !written) return written;
    }
    return {};
}

}  // namespace lomperi::morphology
