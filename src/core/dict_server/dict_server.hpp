#pragma once
// The DICT protocol server: lomperi --serve. One thread per client, the
// data set shared read-only between them; every client bounded in the length
// of its lines, its idle time and how long it may leave an answer unread.
#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "base/error.hpp"
#include "core/morphology/data_files.hpp"

namespace lomperi::dict_server {

inline constexpr std::string_view kDefaultPort = "2628";

struct ServeOptions {
    // "HOST:PORT" or "[IPv6]:PORT"; none: 127.0.0.1 and ::1 on port 2628.
    std::vector<std::string> listen;
    std::size_t max_clients = 256;
    std::chrono::milliseconds idle{std::chrono::minutes(10)};
    std::chrono::milliseconds unread{std::chrono::seconds(10)};
};

// Loads the data set, listens, says where on standard output and serves
// until SIGINT or SIGTERM; then closes every connection and returns 0.
Result<int> run_server(const morphology::DataFiles& files, const ServeOptions& options);

}  // namespace lomperi::dict_server
