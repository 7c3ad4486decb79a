#include "core/reading/word_list.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <system_error>

#include "base/file_descriptor.hpp"
#include "core/reading/review_entry.hpp"

namespace lomperi::reading {
namespace {

// Past this the file is not searched for the line before it is added.
constexpr std::size_t kMaxSearchedBytes = std::size_t{64} << 20;

Error cannot_save(const std::filesystem::path& path, int error) {
    return Error("cannot save to " + path.string(), Error(std::strerror(error)));
}


// The file's content, up to kMaxSearchedBytes; a missing file is empty.
Result<std::string> read_existing(int fd, const std::filesystem::path& path) {
    std::string content;
    char chunk[1 << 16];
    while (content.size() < kMaxSearchedBytes) {
        const ssize_t n = ::pread(fd, chunk, sizeof chunk, static_cast<off_t>(content.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::unexpected(cannot_save(path, errno));
        if (n == 0) break;
        content.append(chunk, static_cast<std::size_t>(n));
    }
    return content;
}

bool has_same_line(std::string_view content, std::string_view line) {
    for (std::size_t start = 0; start < content.size();) {
        std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos) end = content.size();
        if (same_review(content.substr(start, end - start), line)) return true;
        start = end + 1;
    }
    return false;
}

Result<void> append_whole(int fd, const std::filesystem::path& path, std::string_view line, std::optional<off_t> size) {
    std::string_view rest = line;
    while (!rest.empty()) {
        const ssize_t n = ::write(fd, rest.data(), rest.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : ENOSPC;
            // What went out of the line is taken back.
            while (size && ::ftruncate(fd, *size) != 0 && errno == EINTR) {
            }
            return std::unexpected(cannot_save(path, error));
        }
        rest.remove_prefix(static_cast<std::size_t>(n));
    }
    return {};
}

}  // namespace

std::filesystem::path word_list_path() {
    const char* data_home = std::getenv("XDG_DATA_HOME");
    if (data_home != nullptr && data_home[0] == '/') return std::filesystem::path(data_home) / "lomperi" / "words.tsv";
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') return {};
    return std::filesystem::path(home) / ".local" / "share" / "lomperi" / "words.tsv";
}

Result<Saved> save_review_line(const std::filesystem::path& path, std::string_view line) {
    if (path.empty()) return std::unexpected(Error("cannot save: neither XDG_DATA_HOME nor HOME is set"));
    std::error_code made;
    std::filesystem::create_directories(path.parent_path(), made);
    if (made) return std::unexpected(cannot_save(path, made.value()));
    const FileDescriptor fd(::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
    if (fd.get() < 0) return std::unexpected(cannot_save(path, errno));
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return std::unexpected(cannot_save(path, errno));
    // Only a regular file is searched (and taken back to its size on a failed write).
    const bool regular = S_ISREG(info.st_mode);
    auto content = regular ? read_existing(fd.get(), path) : Result<std::string>(std::string());
    if (!content) return std::unexpected(content.error());
    if (has_same_line(*content, line)) return Saved::AlreadyThere;
    // A file whose last line has no line feed gets one first, in the same write.
    const bool needs_feed = !content->empty() && !content->ends_with('\n') && content->size() < kMaxSearchedBytes;
    const std::string whole = needs_feed ? "\n" + std::string(line) : std::string(line);
    if (auto appended = append_whole(fd.get(), path, whole, regular ? std::optional<off_t>(info.st_size) : std::nullopt);
        !appended) {
        return std::unexpected(appended.error());
    }
    return Saved::Added;
}

Result<std::size_t> count_review_lines(const std::filesystem::path& path) {
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT) return std::size_t{0};
        return std::unexpected(Error("cannot read " + path.string() + ": " + std::strerror(errno)));
    }
    std::size_t lines = 0;
    bool open_line = false;
    char chunk[1 << 16];
    while (true) {
        const ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::unexpected(Error("cannot read " + path.string() + ": " + std::strerror(errno)));
        if (n == 0) break;
        for (ssize_t k = 0; k < n; ++k) {
            if (chunk[k] == '\n') ++lines;
            open_line = chunk[k] != '\n';
        }
    }
    return lines + (open_line ? 1 : 0);
}

}  // namespace lomperi::reading
