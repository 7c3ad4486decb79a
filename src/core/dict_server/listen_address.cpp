#include "core/dict_server/listen_address.hpp"

#include <algorithm>

namespace lomperi::dict_server {
namespace {

constexpr unsigned kHighestPort = 65535;

bool is_port(std::string_view text) {
    if (text.empty() || text.size() > 5) return false;
    if (!std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; })) return false;
    unsigned value = 0;
    for (const char c : text) value = value * 10 + static_cast<unsigned>(c - '0');
    return value <= kHighestPort;
}

}  // namespace

std::optional<ListenAddress> parse_listen_address(std::string_view text) {
    std::string_view host;
    std::string_view port;
    if (text.starts_with('[')) {
        const std::size_t close = text.find("]:");
        if (close == std::string_view::npos) return std::nullopt;
        host = text.substr(1, close - 1);
        port = text.substr(close + 2);
    } else {
        const std::size_t colon = text.rfind(':');
        if (colon == std::string_view::npos || text.find(':') != colon) return std::nullopt;
        host = text.substr(0, colon);
        port = text.substr(colon + 1);
    }
    if (host.empty() || !is_port(port)) return std::nullopt;
    return ListenAddress{std::string(host), std::string(port)};
}

std::string shown(const ListenAddress& address) {
    return address.host.find(':') == std::string::npos ? address.host + ":" + address.port
                                                         : "[" + address.host + "]:" + address.port;
}

}  // namespace lomperi::dict_server
