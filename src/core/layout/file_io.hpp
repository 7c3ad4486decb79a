#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lomperi::layout {

// The content of a regular file, or nothing when it cannot be opened or read.
// Reading stops once more than `limit` bytes have come in, so a longer file
// gives more than `limit` bytes but not all of them.
std::optional<std::string> read_whole_file(const std::filesystem::path& path, std::size_t limit);

// Writes `text` to a new file beside `path`, flushes it to disk and renames
// it over `path`; on any failure the new file is removed and `path` stays as
// it was. False on failure.
bool replace_file(const std::filesystem::path& path, std::string_view text);

}  // namespace lomperi::layout
