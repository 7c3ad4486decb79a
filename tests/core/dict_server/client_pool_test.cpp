// The accepting thread and the client pool in this process, with limits of
// a fraction of a second: slow lines, idle clients when the server is full,
// and the share of one address.
#include "core/dict_server/client_pool.hpp"

#include <netinet/in.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "core/dict_server/accept_loop.hpp"
#include "support/dict_client.hpp"
#include "support/test_data.hpp"

namespace lomperi::dict_server {
namespace {

using namespace std::chrono_literals;
using testing::DictClient;

class LocalServer {
public:
    explicit LocalServer(ServeOptions options)
        : data_(testing::make_test_dictionary({{"talo", {{"noun", {"house"}}}}})),
          options_(std::move(options)),
          pool_(data_.dict, facts_, options_),
          listener_(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0)),
          stop_(::eventfd(0, EFD_CLOEXEC)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(listener_.get(), reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(listener_.get(), 64) != 0 ||
            ::getsockname(listener_.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            return;
        }
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] {
            const int listeners[] = {listener_.get()};
            served_ = accept_clients(pool_, listeners, stop_.get()).has_value();
        });
    }
    ~LocalServer() {
        const std::uint64_t one = 1;
        (void)::write(stop_.get(), &one, sizeof one);
        if (thread_.joinable()) thread_.join();
        pool_.close_all();
        EXPECT_TRUE(served_) << "the accepting thread failed";
    }
    int port() const { return port_; }
    // A client that has had its banner (or its 420).
    std::unique_ptr<DictClient> greeted(std::string_view from, std::string& banner) const {
        auto client = std::make_unique<DictClient>(port_, from);
        banner = client->until_status(2s);
        return client;
    }

private:
    testing::TestDictionary data_;
    ServerFacts facts_{"1.0", 0};
    ServeOptions options_;
    ClientPool pool_;
    FileDescriptor listener_;
    FileDescriptor stop_;
    int port_ = 0;
    std::thread thread_;
    bool served_ = false;
};

ServeOptions quick(std::size_t max_clients, std::size_t per_address) {
    ServeOptions options;
    options.max_clients = max_clients;
    options.per_address = per_address;
    options.idle = 10s;
    options.idle_when_full = 600ms;
    options.line = 800ms;
    options.unread = 1s;
    return options;
}

// Sends the bytes one at a time, `gap` apart; false when the server closed meanwhile.
bool trickle(DictClient& client, std::string_view bytes, std::chrono::milliseconds gap) {
    for (const char c : bytes) {
        client.send(std::string_view(&c, 1));
        if (client.closed_within(gap)) return false;
    }
    return true;
}

TEST(ClientPool, ALineMustEndWithinItsTimeHoweverItsBytesCome) {
    const LocalServer server(quick(8, 8));
    std::string banner;
    // A byte every 150 ms: the line's 800 ms run out long before its end.
    const auto trickler = server.greeted("127.0.0.1", banner);
    ASSERT_TRUE(banner.starts_with("220 ")) << banner;
    EXPECT_FALSE(trickle(*trickler, "DEFINE fi-en talo\r\n", 150ms));
    // Whole lines slowly, one after another, each within its time: served.
    const auto steady = server.greeted("127.0.0.1", banner);
    for (int k = 0; k < 4; ++k) {
        EXPECT_TRUE(trickle(*steady, "STATUS", 40ms));
        EXPECT_TRUE(steady->ask("").starts_with("210 ")) << k;
    }
}

TEST(ClientPool, WhenFullTheClientIdleLongestGivesWay) {
    const LocalServer server(quick(3, 3));
    std::string banner;
    std::vector<std::unique_ptr<DictClient>> idle;
    for (const auto* from : {"127.0.0.1", "127.0.0.2", "127.0.0.3"}) {
        idle.push_back(server.greeted(from, banner));
        ASSERT_TRUE(banner.starts_with("220 ")) << from;
        std::this_thread::sleep_for(20ms);
    }
    for (auto& client : idle) EXPECT_TRUE(client->ask("STATUS").starts_with("210 "));
    (void)server.greeted("127.0.0.4", banner);
    EXPECT_EQ(banner, "420 Server temporarily unavailable\r\n") << "none idle long enough yet";
    // The later two keep busy; the first says nothing.
    for (int k = 0; k < 8; ++k) {
        std::this_thread::sleep_for(100ms);
        EXPECT_TRUE(idle[1]->ask("STATUS").starts_with("210 "));
        idle[2]->send("STA");
        idle[2]->send("TUS\r\n");
        EXPECT_TRUE(idle[2]->until_status().starts_with("210 "));
    }
    const auto newcomer = server.greeted("127.0.0.4", banner);
    EXPECT_TRUE(banner.starts_with("220 ")) << banner;
    EXPECT_TRUE(idle[0]->closed_within(1s));
    EXPECT_TRUE(idle[1]->ask("STATUS").starts_with("210 "));
    EXPECT_TRUE(newcomer->ask("DEFINE fi-en talo").starts_with("150 "));
}

TEST(ClientPool, OneAddressHoldsItsShareAndNoMore) {
    ServeOptions options = quick(4, 2);
    options.idle_when_full = 10s;
    const LocalServer server(options);
    std::string banner;
    const auto first = server.greeted("127.0.0.1", banner);
    const auto second = server.greeted("127.0.0.1", banner);
    ASSERT_TRUE(banner.starts_with("220 "));
    (void)server.greeted("127.0.0.1", banner);
    EXPECT_EQ(banner, "420 Server temporarily unavailable\r\n");
    const auto other = server.greeted("127.0.0.2", banner);
    EXPECT_TRUE(banner.starts_with("220 ")) << banner;
    EXPECT_TRUE(first->ask("QUIT").starts_with("221 "));
    std::this_thread::sleep_for(100ms);
    (void)server.greeted("127.0.0.1", banner);
    EXPECT_TRUE(banner.starts_with("220 ")) << "the slot it left: " << banner;
}

TEST(ClientPool, ALineTooLongGetsOneAnswer) {
    const LocalServer server(quick(4, 4));
    std::string banner;
    const auto client = server.greeted("127.0.0.1", banner);
    client->send("DEFINE fi-en " + std::string(3000, 'a'));
    std::this_thread::sleep_for(50ms);
    client->send(std::string(3000, 'a') + "\r\nSTATUS\r\n");
    EXPECT_EQ(client->until_status(), "500 line too long\r\n");
    EXPECT_TRUE(client->until_status().starts_with("210 "));
    EXPECT_TRUE(client->ask("DEFINE fi-en talo").starts_with("150 "));
}

}  // namespace
}  // namespace lomperi::dict_server
