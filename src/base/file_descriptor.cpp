#include "base/file_descriptor.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

namespace lomperi {

Written write_all(int fd, std::string_view bytes, StopWriting stop) {
    Written written;
    while (written.bytes < bytes.size()) {
        if (stop != nullptr && stop()) return {written.bytes, EINTR};
        const ssize_t n = ::write(fd, bytes.data() + written.bytes, bytes.size() - written.bytes);
        if (n > 0) {
            written.bytes += static_cast<std::size_t>(n);
            continue;
        }
        if (n == 0) return {written.bytes, ENOSPC};
        if (errno != EINTR) return {written.bytes, errno};
    }
    return written;
}

std::expected<std::string, int> read_limited(int fd, std::size_t limit) {
    std::string text;
    // A file's size known beforehand spares the copies of a growing string.
    if (struct stat info {}; ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        text.reserve(std::min<std::size_t>(static_cast<std::size_t>(info.st_size), limit) + 1);
    }
    char chunk[1 << 16];
    while (text.size() <= limit) {
        const std::size_t wanted = std::min(sizeof chunk, limit + 1 - text.size());
        const ssize_t n = ::read(fd, chunk, wanted);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::unexpected(errno);
        }
        text.append(chunk, static_cast<std::size_t>(n));
    }
    return text;
}

}  // namespace lomperi
