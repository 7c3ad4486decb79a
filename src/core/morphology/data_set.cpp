#include "core/morphology/data_set.hpp"

#include <fmt/format.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace lomperi::morphology {
namespace {

Result<void> write_file(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out) out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (out) out.close();
    if (!out) return fail(fmt::format("cannot write {}: {}", path.string(), std::strerror(errno)));
    return {};
}

}  // namespace

DataFiles DataSet::files() const {
    return {glosses_fst, glosses_bin, inflections_fst, inflections_multi_bin};
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
    };
    for (const auto& [name, bytes] : files) {
        if (auto written = write_file(dir / name, *bytes); !written) return written;
    }
    return {};
}

}  // namespace lomperi::morphology
