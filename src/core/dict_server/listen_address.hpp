#pragma once
// Where the DICT server listens, as --listen gives it: HOST:PORT, or
// [IPv6]:PORT for an IPv6 address.
#include <optional>
#include <string>
#include <string_view>

namespace lomperi::dict_server {

struct ListenAddress {
    std::string host;
    std::string port;  // 0 to 65535; 0: any free port, which the server names when it starts
};

// Nothing when the text is no HOST:PORT, the host is empty, or the port is
// not a decimal number from 0 to 65535.
std::optional<ListenAddress> parse_listen_address(std::string_view text);

// "127.0.0.1:2628", "[::1]:2628".
std::string shown(const ListenAddress& address);

}  // namespace lomperi::dict_server
