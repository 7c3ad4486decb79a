#include "core/morphology/data_set.hpp"

#include <fmt/format.h>

#include <system_error>

#include "base/file.hpp"

namespace lomperi::morphology {

DataFiles DataSet::files() const {
    DataFiles files;
    for (const auto& info : kDataFileTable) files[info.file] = (*this)[info.file];
    return files;
}

Result<void> DataSet::write_to(const std::filesystem::path& dir, Absent absent) const {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) return fail(fmt::format("cannot create {}: {}", dir.string(), error.message()));
    for (const auto& info : kDataFileTable) {
        const auto path = dir / info.name;
        if (info.required || !(*this)[info.file].empty() || absent == Absent::WriteEmpty) {
            if (auto written = write_file(path, (*this)[info.file]); !written) return written;
            continue;
        }
        std::filesystem::remove(path, error);
        if (error) return fail(fmt::format("cannot remove {}: {}", path.string(), error.message()));
    }
    return {};
}

}  // namespace lomperi::morphology
