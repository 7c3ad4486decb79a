#include "core/morphology/damage_report.hpp"

#include <fmt/format.h>

namespace lomperi::morphology {

std::vector<DataFile> files_found_damaged(const Dictionary& dictionary) {
    std::vector<DataFile> found;
    for (const auto& info : kDataFileTable) {
        if (dictionary.checks[static_cast<std::size_t>(info.file)].found_damage()) found.push_back(info.file);
    }
    return found;
}

std::vector<DamagedFile> check_every_chunk(const Dictionary& dictionary) {
    std::vector<DamagedFile> damaged;
    for (const auto& info : kDataFileTable) {
        const ChunkChecks& checks = dictionary.checks[static_cast<std::size_t>(info.file)];
        if (const std::uint64_t count = checks.count_damaged(); count > 0) damaged.push_back({info.file, count, checks.chunk_count()});
    }
    return damaged;
}

std::string damage_message(const Dictionary& dictionary) {
    std::string files;
    for (const DataFile file : files_found_damaged(dictionary)) files += (files.empty() ? " in " : ", ") + std::string(file_name(file));
    return fmt::format("damaged data{}: what is damaged reads as absent; reinstall lomperi", files);
}

}  // namespace lomperi::morphology
