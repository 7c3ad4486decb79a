#pragma once
// words.tsv: the words saved for review, one line each, under
// $XDG_DATA_HOME/lomperi/ (else ~/.local/share/lomperi/). A line is
// appended whole or not at all; the file is never rewritten.
#include <cstddef>
#include <filesystem>
#include <string_view>

#include "base/error.hpp"

namespace lomperi::reading {

// Empty when neither $XDG_DATA_HOME (an absolute path) nor $HOME is set.
std::filesystem::path word_list_path();

enum class Saved { Added, AlreadyThere };

// Appends the line unless the end of the file has one of the same word and
// sentence; the directory is made when missing. A write that fails part way
// is taken back, so the file ends as it was; fails with "cannot save to PATH"
// caused by the reason ("not a regular file" for a FIFO or a device).
Result<Saved> save_review_line(const std::filesystem::path& path, std::string_view line);

// The lines of the file; 0 when there is none. Fails for anything but a
// regular file.
Result<std::size_t> count_review_lines(const std::filesystem::path& path);

}  // namespace lomperi::reading
