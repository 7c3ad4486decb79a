#include "core/reading/text_source.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "base/file_descriptor.hpp"
#include "core/reading/reading_text.hpp"

namespace lomperi::reading {

Result<std::string> read_text(const std::string& name) {
    const bool standard_input = name == "-";
    const int fd = standard_input ? STDIN_FILENO : ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    const std::string shown = standard_input ? "standard input" : name;
    if (fd < 0) return fail("cannot read " + shown + ": " + std::strerror(errno));
    auto text = read_limited(fd, kMaxReadingBytes);
    if (!standard_input) ::close(fd);
    if (!text) return fail("cannot read " + shown + ": " + std::strerror(text.error()));
    if (text->size() > kMaxReadingBytes) return fail(shown + " is too long to read (more than 64 MB)");
    return std::move(*text);
}

std::string text_title(const std::string& name) {
    if (name == "-") return "standard input";
    const std::string file = std::filesystem::path(name).filename().string();
    return file.empty() ? name : file;
}

}  // namespace lomperi::reading
