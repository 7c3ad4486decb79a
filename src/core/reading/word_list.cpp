#include "core/reading/word_list.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

#include "base/file_descriptor.hpp"
#include "core/reading/review_entry.hpp"

namespace lomperi::reading {
namespace {

// A save reads no more than this of the file's end for a line of the same
// word and sentence. Such a line is written once, while its text is being
// read, so it stands among the last cards: the last MiB holds some 5,000 of
// them (and 250 of the longest possible), and reads in well under a
// millisecond whatever the size of the file.
constexpr std::size_t kSearchedTail = std::size_t{1} << 20;

Error cannot_save(const std::filesystem::path& path, int error) {
    return Error("cannot save to " + path.string(), Error(std::strerror(error)));
}

// Opened without waiting: a FIFO without a reader, or a device, would hold
// the screen. -1 with errno on failure.
FileDescriptor open_without_waiting(const std::filesystem::path& path, int flags) {
    return FileDescriptor(::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644));
}

// Only a regular file is a list of words: a line written to a FIFO or a
// device would be lost.
Result<struct stat> regular_file_info(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return fail(std::strerror(errno));
    if (!S_ISREG(info.st_mode)) return fail("not a regular file");
    return info;
}

// The last kSearchedTail bytes of the file, fewer when it is shorter.
Result<std::string> read_tail(int fd, const std::filesystem::path& path, off_t size) {
    const off_t from = std::max<off_t>(0, size - static_cast<off_t>(kSearchedTail));
    std::string tail(static_cast<std::size_t>(size - from), '\0');
    std::size_t got = 0;
    while (got < tail.size()) {
        const ssize_t n = ::pread(fd, tail.data() + got, tail.size() - got, from + static_cast<off_t>(got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::unexpected(cannot_save(path, errno));
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    tail.resize(got);
    return tail;
}

// Whole lines only: a tail that starts inside a line starts after it.
bool has_same_line(std::string_view content, bool whole_file, std::string_view line) {
    std::size_t first = 0;
    if (!whole_file) {
        first = content.find('\n');
        if (first == std::string_view::npos) return false;
        ++first;
    }
    for (std::size_t start = first; start < content.size();) {
        std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos) end = content.size();
        if (same_review(content.substr(start, end - start), line)) return true;
        start = end + 1;
    }
    return false;
}

Result<void> append_whole(const FileDescriptor& fd, const std::filesystem::path& path, std::string_view line, off_t size) {
    const Written written = fd.write_all(line);
    if (written.whole()) return {};
    // What went out of the line is taken back.
    while (::ftruncate(fd.get(), size) != 0 && errno == EINTR) {
    }
    return std::unexpected(cannot_save(path, written.error));
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
    const FileDescriptor fd = open_without_waiting(path, O_RDWR | O_APPEND | O_CREAT);
    if (fd.get() < 0) return std::unexpected(cannot_save(path, errno));
    const auto info = regular_file_info(fd.get());
    if (!info) return forward(info, "cannot save to " + path.string());
    const off_t size = info->st_size;
    auto tail = read_tail(fd.get(), path, size);
    if (!tail) return std::unexpected(tail.error());
    if (has_same_line(*tail, tail->size() == static_cast<std::size_t>(size), line)) return Saved::AlreadyThere;
    // A file whose last line has no line feed gets one first, in the same write.
    const bool needs_feed = !tail->empty() && !tail->ends_with('\n');
    std::string whole(needs_feed ? "\n" : "");
    whole += line;
    if (auto appended = append_whole(fd, path, whole, size); !appended) {
        return std::unexpected(appended.error());
    }
    return Saved::Added;
}

Result<std::size_t> count_review_lines(const std::filesystem::path& path) {
    const FileDescriptor fd = open_without_waiting(path, O_RDONLY);
    if (fd.get() < 0) {
        if (errno == ENOENT) return std::size_t{0};
        return std::unexpected(Error("cannot read " + path.string() + ": " + std::strerror(errno)));
    }
    if (const auto info = regular_file_info(fd.get()); !info) {
        return std::unexpected(Error("cannot read " + path.string() + ": " + info.error().message()));
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
