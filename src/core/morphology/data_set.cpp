#include "core/morphology/data_set.hpp"

#include <fmt/format.h>

#include <system_error>

#include "base/file.hpp"

namespace lomperi::morphology {

DataFiles DataSet::files() const {
    return {glosses_fst, glosses_bin, inflections_fst, inflections_multi_bin, english_fst, english_bin};
}

Result<void> DataSet::write_to(const std::filesystem::path& dir) const {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) return fail(fmt::format("cannot create {}: {}", dir.string(), error.message()));
    const std::pair<const char*, const std::vector<std::uint8_t>*> files[] = {
        {"glosses.fst", &glosses_fst},
        {"glosses.bin", &glosses_bin},
        {"inflections.fst", &inflections_fst},
        {"inflections-multi.bin", &inflections_multi_bin},
        {"english.fst", &english_fst},
        {"english.bin", &english_bin},
    };
    for (const auto& [name, bytes] : files) {
        if (bytes->empty() && std::string_view(name).starts_with("english")) continue;
        if (auto written = write_file(dir / name, *bytes); !written) return written;
    }
    return {};
}

}  // namespace lomperi::morphology
