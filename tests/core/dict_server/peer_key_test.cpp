#include "core/dict_server/peer_key.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace lomperi::dict_server {
namespace {

sockaddr_storage address(const std::string& text) {
    sockaddr_storage out{};
    if (text.find(':') == std::string::npos) {
        sockaddr_in in{};
        in.sin_family = AF_INET;
        ::inet_pton(AF_INET, text.c_str(), &in.sin_addr);
        std::memcpy(&out, &in, sizeof in);
    } else {
        sockaddr_in6 in6{};
        in6.sin6_family = AF_INET6;
        ::inet_pton(AF_INET6, text.c_str(), &in6.sin6_addr);
        std::memcpy(&out, &in6, sizeof in6);
    }
    return out;
}

TEST(PeerKey, AnIpv4AddressOrAnIpv6Network) {
    const struct {
        std::string_view a, b;
        bool same;
    } cases[] = {
        {"127.0.0.1", "127.0.0.1", true},
        {"127.0.0.1", "127.0.0.2", false},
        {"192.0.2.7", "::ffff:192.0.2.7", true},
        {"2001:db8::1", "2001:db8::ffff:1", true},
        {"2001:db8::1", "2001:db8:0:1::1", false},
        {"::1", "127.0.0.1", false},
        {"0.0.0.1", "::1", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(peer_key(address(std::string(c.a))) == peer_key(address(std::string(c.b))), c.same) << c.a << " " << c.b;
    }
}

}  // namespace
}  // namespace lomperi::dict_server
