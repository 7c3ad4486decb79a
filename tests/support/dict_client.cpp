#include "support/dict_client.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <string>

namespace lomperi::testing {
namespace {

sockaddr_in loopback(std::string_view host, int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    ::inet_pton(AF_INET, std::string(host).c_str(), &address.sin_addr);
    return address;
}

bool ends_answer(const std::string& line) {
    if (line.size() < 4 || !std::isdigit(static_cast<unsigned char>(line[0])) || line[3] != ' ') return false;
    return line[0] != '1';
}

}  // namespace

DictClient::DictClient(int port, std::string_view from) : fd_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    const sockaddr_in source = loopback(from, 0);
    const sockaddr_in server = loopback("127.0.0.1", port);
    connected_ = ::bind(fd_, reinterpret_cast<const sockaddr*>(&source), sizeof source) == 0 &&
                 ::connect(fd_, reinterpret_cast<const sockaddr*>(&server), sizeof server) == 0;
}

DictClient::~DictClient() { ::close(fd_); }

void DictClient::send(std::string_view bytes) const { (void)::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL); }

std::string DictClient::until_status(std::chrono::milliseconds patience) {
    std::string answer;
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (const auto line = next_line(deadline)) {
        answer += *line;
        if (ends_answer(*line)) break;
    }
    return answer;
}

std::string DictClient::ask(std::string_view command) {
    send(std::string(command) + "\r\n");
    return until_status();
}

bool DictClient::closed_within(std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    char chunk[4096];
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0) continue;
        if (::recv(fd_, chunk, sizeof chunk, 0) <= 0) return true;
    }
    return false;
}

std::optional<std::string> DictClient::next_line(std::chrono::steady_clock::time_point deadline) {
    while (true) {
        if (const auto end = buffer_.find("\r\n"); end != std::string::npos) {
            std::string line = buffer_.substr(0, end + 2);
            buffer_.erase(0, end + 2);
            return line;
        }
        pollfd p{fd_, POLLIN, 0};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) return std::nullopt;
        char chunk[4096];
        const ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
        if (n <= 0) return std::nullopt;
        buffer_.append(chunk, static_cast<std::size_t>(n));
    }
}

}  // namespace lomperi::testing
