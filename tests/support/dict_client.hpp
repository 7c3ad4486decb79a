#pragma once
// A DICT protocol client on a loopback port, for tests of the server: it
// connects from a chosen loopback address (every 127.x.y.z is this machine)
// so that tests can be several addresses at once.
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace lomperi::testing {

class DictClient {
public:
    explicit DictClient(int port, std::string_view from = "127.0.0.1");
    ~DictClient();
    DictClient(const DictClient&) = delete;
    DictClient& operator=(const DictClient&) = delete;

    bool connected() const { return connected_; }
    int fd() const { return fd_; }
    void send(std::string_view bytes) const;
    // Lines up to and including the first with a status code that ends an
    // answer (a 1yz code has text and a 250 after it).
    std::string until_status(std::chrono::milliseconds patience = std::chrono::seconds(10));
    std::string ask(std::string_view command);
    // Whether the server closed the connection within the time; what it sent
    // before is let go.
    bool closed_within(std::chrono::milliseconds patience);

private:
    std::optional<std::string> next_line(std::chrono::steady_clock::time_point deadline);

    int fd_;
    bool connected_ = false;
    std::string buffer_;
};

}  // namespace lomperi::testing
