#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lomperi::layout {

// The whole content of a file, or nothing when it cannot be opened or read.
std::optional<std::string> read_whole_file(const std::filesystem::path& path);

// Creates or truncates the file and writes all of `text`; false on any failure.
bool write_whole_file(const std::filesystem::path& path, std::string_view text);

}  // namespace lomperi::layout
