#pragma once
// An open file descriptor, closed when it goes; -1 holds none. With the one
// way the program writes a whole text and reads a bounded one, for its own
// descriptors and for borrowed ones (standard input and output).
#include <unistd.h>

#include <cstddef>
#include <expected>
#include <string>
#include <string_view>
#include <utility>

namespace lomperi {

// How far a write_all came: the bytes written, and the errno of the write
// that stopped it (0 when all were written).
struct Written {
    std::size_t bytes = 0;
    int error = 0;

    bool whole() const { return error == 0; }
};

// Checked before each write: true ends write_all with EINTR, so that a signal
// that cuts a blocked write short can end it.
using StopWriting = bool (*)();

// Writes all of `bytes`, again after EINTR and after a partial write. A write
// that takes no byte of what is left counts as a full device (ENOSPC): it is
// never tried again. A non-blocking descriptor that is full stops it with
// EAGAIN.
Written write_all(int fd, std::string_view bytes, StopWriting stop = nullptr);

// Reads to the end, again after EINTR, but no more than `limit` + 1 bytes,
// so that a text longer than `limit` is told by its size. The errno of a read
// that failed.
std::expected<std::string, int> read_limited(int fd, std::size_t limit);

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closing can report a write that failed late, so a writer asks for it.
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

    Written write_all(std::string_view bytes) const { return lomperi::write_all(fd_, bytes); }
    std::expected<std::string, int> read_limited(std::size_t limit) const { return lomperi::read_limited(fd_, limit); }

private:
    int fd_;
};

}  // namespace lomperi
