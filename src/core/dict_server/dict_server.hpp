#pragma once
// The DICT protocol server: lomperi --serve. One thread per client, the
// data set shared read-only between them; every client bounded in the length
// of its lines, the time it takes to send one and to read an answer, its idle
// time, and the share of the client slots that one address may hold.
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
    // Every local client comes from 127.0.0.1 (or ::1): a quarter of the
    // slots is far more than the few connections that dictionary programs,
    // editors and scripts on one machine hold, while four addresses are
    // needed to fill the server.
    std::size_t per_address = 64;
    std::chrono::milliseconds idle{std::chrono::minutes(10)};
    // When the server (or an address's share) is full, a client idle this
    // long gives way to a newcomer.
    std::chrono::milliseconds idle_when_full{std::chrono::seconds(5)};
    // For a whole command line, however slowly its bytes come.
    std::chrono::milliseconds line{std::chrono::seconds(30)};
    // For a client to take a whole answer.
    std::chrono::milliseconds unread{std::chrono::seconds(10)};
};

// Loads the data set, listens, says where on standard output and serves
// until SIGINT or SIGTERM; then closes every connection and returns 0.
Result<int> run_server(const morphology::DataFiles& files, const ServeOptions& options);

}  // namespace lomperi::dict_server
