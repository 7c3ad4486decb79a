#pragma once
// Whole files in and out, for the tools and the data-set writer.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "base/error.hpp"

namespace lomperi {

// The whole content of a file; fails with "cannot read {path}".
Result<std::string> read_file(const std::filesystem::path& path);

// Creates or truncates the file and writes all of `bytes`; fails with
// "cannot write {path}: {reason}".
Result<void> write_file(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace lomperi
