#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "base/error.hpp"

namespace lomperi::term {

// Where terminal output goes. A sink writes all bytes it is given before it
// returns (there is no separate flush) or reports why it could not.
using Sink = std::function<Result<void>(std::string_view)>;

// Writes everything to the file descriptor, retrying on EINTR and partial
// writes. EIO, EPIPE (with SIGPIPE ignored) and the like come back as errors
// carrying the system's text for them.
Result<void> write_all(int fd, std::string_view bytes);

// A sink writing to the file descriptor.
Sink fd_sink(int fd);

// A sink appending to the string, for tests; the string must outlive it.
inline Sink string_sink(std::string& out) {
    return [&out](std::string_view bytes) -> Result<void> {
        out.append(bytes);
        return {};
    };
}

}  // namespace lomperi::term
