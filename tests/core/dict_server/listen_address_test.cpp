#include "core/dict_server/listen_address.hpp"

#include <gtest/gtest.h>

namespace lomperi::dict_server {
namespace {

TEST(ListenAddress, HostAndAPortFromZeroTo65535) {
    const std::pair<std::string_view, std::optional<std::pair<std::string, std::string>>> cases[] = {
        {"127.0.0.1:2628", std::pair{"127.0.0.1", "2628"}},
        {"[::1]:2628", std::pair{"::1", "2628"}},
        {"localhost:65535", std::pair{"localhost", "65535"}},
        {"0.0.0.0:1", std::pair{"0.0.0.0", "1"}},
        {"127.0.0.1:0", std::pair{"127.0.0.1", "0"}},
        {"127.0.0.1:99999", std::nullopt},
        {"127.0.0.1:65536", std::nullopt},
        {"127.0.0.1:100000", std::nullopt},
        {"127.0.0.1:", std::nullopt},
        {"[::1]:", std::nullopt},
        {"127.0.0.1:-1", std::nullopt},
        {"127.0.0.1:+80", std::nullopt},
        {"127.0.0.1: 80", std::nullopt},
        {"127.0.0.1:80x", std::nullopt},
        {":2628", std::nullopt},
        {"[]:2628", std::nullopt},
        {"::1:2628", std::nullopt},
        {"[::1]2628", std::nullopt},
        {"localhost", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        const auto parsed = parse_listen_address(text);
        ASSERT_EQ(parsed.has_value(), expected.has_value()) << text;
        if (!parsed) continue;
        EXPECT_EQ(parsed->host, expected->first) << text;
        EXPECT_EQ(parsed->port, expected->second) << text;
        EXPECT_EQ(shown(*parsed), text);
    }
}

}  // namespace
}  // namespace lomperi::dict_server
