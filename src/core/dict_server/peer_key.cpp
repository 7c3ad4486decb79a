#include "core/dict_server/peer_key.hpp"

#include <netinet/in.h>

#include <algorithm>
#include <cstring>

namespace lomperi::dict_server {
namespace {

constexpr std::uint8_t kMappedPrefix[12] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff};

PeerKey ipv4(const std::uint8_t* bytes) {
    PeerKey key{4, {}};
    std::copy_n(bytes, 4, key.bytes.begin());
    return key;
}

}  // namespace

PeerKey peer_key(const sockaddr_storage& address) {
    if (address.ss_family == AF_INET) {
        sockaddr_in in{};
        std::memcpy(&in, &address, sizeof in);
        return ipv4(reinterpret_cast<const std::uint8_t*>(&in.sin_addr.s_addr));
    }
    if (address.ss_family == AF_INET6) {
        sockaddr_in6 in6{};
        std::memcpy(&in6, &address, sizeof in6);
        const std::uint8_t* bytes = in6.sin6_addr.s6_addr;
        if (std::equal(std::begin(kMappedPrefix), std::end(kMappedPrefix), bytes)) return ipv4(bytes + 12);
        PeerKey key{6, {}};
        std::copy_n(bytes, key.bytes.size(), key.bytes.begin());
        return key;
    }
    return {};
}

}  // namespace lomperi::dict_server
