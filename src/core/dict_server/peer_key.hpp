#pragma once
// Whose connection it is, for the share of the client slots one may hold:
// an IPv4 address, or an IPv6 address's /64 network, since one machine
// commonly has a whole /64 to itself. An IPv4 address mapped into IPv6 is the
// IPv4 address.
#include <sys/socket.h>

#include <array>
#include <cstdint>

namespace lomperi::dict_server {

struct PeerKey {
    std::uint8_t family = 0;  // 4, 6, or 0 for any other kind of address
    std::array<std::uint8_t, 8> bytes{};
    friend bool operator==(const PeerKey&, const PeerKey&) = default;
};

PeerKey peer_key(const sockaddr_storage& address);

}  // namespace lomperi::dict_server
