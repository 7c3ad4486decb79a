#include "core/layout/file_io.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "base/file_descriptor.hpp"

namespace lomperi::layout {

// Only a regular file is read: a FIFO or a device placed where the layout
// file belongs must not hold up start-up, nor a huge file fill memory.
std::optional<std::string> read_whole_file(const std::filesystem::path& path, std::size_t limit) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    auto text = file.read_limited(limit);
    if (!text) return std::nullopt;
    return std::move(*text);
}

std::optional<std::int64_t> modified_time(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return std::int64_t{info.st_mtim.tv_sec} * 1'000'000'000 + info.st_mtim.tv_nsec;
}

namespace {

// The file a path names: a symbolic link's target, followed to its end.
std::filesystem::path written_path(const std::filesystem::path& path) {
    std::filesystem::path target = path;
    for (int links = 0; links < 40; ++links) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return target;
        std::error_code error;
        const std::filesystem::path next = std::filesystem::read_symlink(target, error);
        if (error) return target;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

}  // namespace

// A full disk or a file-size limit must not leave a cut file where the old
// one was: the text goes to a new file beside it, which replaces the old one
// only once it is whole and on disk.
bool replace_file(const std::filesystem::path& link, std::string_view text) {
    const std::filesystem::path path = written_path(link);
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return false;
    std::filesystem::path temporary = path;
    temporary += ".new-" + std::to_string(::getpid());
    ::unlink(temporary.c_str());  // left by an earlier process of the same number
    FileDescriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (file.get() < 0) return false;
    const bool written = file.write_all(text).whole() && ::fsync(file.get()) == 0 && file.close();
    if (written && ::rename(temporary.c_str(), path.c_str()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

}  // namespace lomperi::layout
