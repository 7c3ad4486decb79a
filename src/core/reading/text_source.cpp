#include "core/reading/text_source.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <filesystem>

#include "core/reading/reading_text.hpp"

namespace lomperi::reading {

Result<std::string> read_text(const std::string& name) {
    const bool standard_input = name == "-";
    const int fd = standard_input ? STDIN_FILENO : ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    const std::string shown = standard_input ? "standard input" : name;
    if (fd < 0) return fail("cannot read " + shown + ": " + std::strerror(errno));
    std::string text;
    // A file's size known beforehand spares the copies of a growing string.
    if (struct stat info {}; ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        text.reserve(std::min<std::size_t>(static_cast<std::size_t>(info.st_size), kMaxReadingBytes) + 1);
    }
    char chunk[1 << 16];
    int error = 0;
    while (text.size() <= kMaxReadingBytes) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) error = errno;
        if (n <= 0) break;
        text.append(chunk, static_cast<std::size_t>(n));
    }
    if (!standard_input) ::close(fd);
    if (error != 0) return fail("cannot read " + shown + ": " + std::strerror(error));
    if (text.size() > kMaxReadingBytes) return fail(shown + " is too long to read (more than 64 MB)");
    return text;
}

std::string text_title(const std::string& name) {
    if (name == "-") return "standard input";
    const std::string file = std::filesystem::path(name).filename().string();
    return file.empty() ? name : file;
}

}  // namespace lomperi::reading
