#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lomperi::layout {

// The content of a regular file, or nothing when it cannot be opened or read.
// Reading stops once more than `limit` bytes have come in, so a longer file
// gives more than `limit` bytes but not all of them.
std::optional<std::string> read_whole_file(const std::filesystem::path& path, std::size_t limit);

// When the file was last written, in nanoseconds; nothing when it cannot be told.
std::optional<std::int64_t> modified_time(const std::filesystem::path& path);

// Writes `text` to a new file beside `path`, flushes it to disk and renames
// it over `path`; on any failure the new file is removed and `path` stays as
// it was. A symbolic link stays a link: its target is replaced. False on
// failure.
bool replace_file(const std::filesystem::path& path, std::string_view text);

}  // namespace lomperi::layout
