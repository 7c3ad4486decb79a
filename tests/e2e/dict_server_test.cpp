// The DICT server on a loopback port: the commands as a client sends them,
// long lines, many clients, one that never reads, SIGTERM, and Debian's
// dict client when it is installed.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "program.hpp"
#include "support/child_process.hpp"

namespace lomperi::testing {
namespace {

// The server started from a script in the program's directory, on a port the system chooses.
class Server {
public:
    explicit Server(const Program& program, const std::string& extra = "") {
        const fs::path script = program.dir() / "serve";
        std::ofstream(script) << "#!/bin/sh\nexec \"$(dirname \"$0\")/lomperi\" --serve --listen 127.0.0.1:0 " << extra
                              << "\n";
        fs::permissions(script, fs::perms::owner_all);
        session_ = std::make_unique<PtySession>(script.string(), PtySession::Options{});
        if (!session_->wait_for("\n", kPatience)) return;
        std::smatch found;
        const std::string output = session_->output();
        if (std::regex_search(output, found, std::regex("127\\.0\\.0\\.1:([0-9]+)"))) port_ = std::stoi(found[1]);
    }
    int port() const { return port_; }
    PtySession& session() { return *session_; }

private:
    std::unique_ptr<PtySession> session_;
    int port_ = 0;
};

class Client {
public:
    explicit Client(int port) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~Client() { ::close(fd_); }
    bool connected() const { return connected_; }
    int fd() const { return fd_; }
    void send(std::string_view bytes) const { (void)::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL); }
    // Lines up to and including the first that starts with a status code ending an answer.
    std::string until_status(std::chrono::milliseconds patience = kPatience) {
        std::string answer;
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (std::chrono::steady_clock::now() < deadline) {
            const auto line = next_line(deadline);
            if (!line) break;
            answer += *line;
            const std::string code = line->substr(0, 3);
            const bool text_follows = code == "150" || code == "151" || code == "152" || code == "110" ||
                                      code == "111" || code == "112" || code == "113" || code == "114";
            if (!text_follows && line->size() > 3 && std::isdigit(static_cast<unsigned char>((*line)[0])) && (*line)[3] == ' ') break;
        }
        return answer;
    }
    std::string ask(std::string_view command) {
        send(std::string(command) + "\r\n");
        return until_status();
    }
    // Whether the server closed the connection within the time.
    bool closed_within(std::chrono::milliseconds patience) {
        pollfd p{fd_, POLLIN, 0};
        const auto deadline = std::chrono::steady_clock::now() + patience;
        char chunk[4096];
        while (std::chrono::steady_clock::now() < deadline) {
            if (::poll(&p, 1, 50) <= 0) continue;
            if (::recv(fd_, chunk, sizeof chunk, 0) <= 0) return true;
        }
        return false;
    }

private:
    std::optional<std::string> next_line(std::chrono::steady_clock::time_point deadline) {
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

    int fd_;
    bool connected_ = false;
    std::string buffer_;
};

TEST(DictServer, EveryCommandWithItsStatusCode) {
    Program program;
    Server server(program);
    ASSERT_NE(server.port(), 0) << server.session().output();
    Client client(server.port());
    ASSERT_TRUE(client.connected());
    EXPECT_TRUE(std::regex_match(client.until_status(), std::regex("220 lomperi \\S+ <mime> <[0-9]+\\.[0-9]+@lomperi>\r\n")));
    const std::pair<std::string_view, std::string_view> starts[] = {
        {"CLIENT e2e", "250 ok\r\n"},
        {"OPTION MIME", "250 ok - using MIME headers\r\n"},
        {"DEFINE fi-en talossa", "150 1 definitions retrieved\r\n151 \"talossa\" fi-en "},
        {"DEFINE ! kissa", "150 1 definitions retrieved\r\n151 \"kissa\" fi-en "},
        {"DEFINE fi-en qqqqzx", "552 No match\r\n"},
        {"DEFINE nope talo", "550 Invalid database"},
        {"MATCH fi-en lemma talossa", "152 1 matches found\r\nfi-en \"talo\"\r\n.\r\n250 ok\r\n"},
        {"MATCH * prefix kiss", "152 "},
        {"MATCH fi-en soundex talo", "551 Invalid strategy"},
        {"SHOW DB", "110 "},
        {"SHOW STRAT", "111 3 strategies available\r\n"},
        {"SHOW INFO fi-en", "112 database information follows\r\n"},
        {"SHOW SERVER", "114 server information follows\r\n"},
        {"STATUS", "210 up "},
        {"HELP", "113 help text follows\r\n"},
        {"AUTH me secret", "502 Command not implemented\r\n"},
        {"DEFINE fi-en", "501 Syntax error, illegal parameters\r\n"},
        {"FLY", "500 Syntax error, command not recognized\r\n"},
        {"QUIT", "221 Closing Connection\r\n"},
    };
    for (const auto& [command, start] : starts) {
        const std::string answer = client.ask(command);
        EXPECT_TRUE(answer.starts_with(start)) << command << ":\n" << answer;
        if (answer.starts_with("15") || answer.starts_with("11")) EXPECT_TRUE(answer.ends_with("\r\n.\r\n250 ok\r\n")) << answer;
    }
    EXPECT_TRUE(client.closed_within(kPatience));
}

TEST(DictServer, ALongLineOrBinaryBytesAreRefusedAndTheSessionGoesOn) {
    Program program;
    Server server(program);
    Client client(server.port());
    (void)client.until_status();
    client.send("DEFINE fi-en " + std::string(2000, 'a') + "\r\n");
    EXPECT_EQ(client.until_status(), "500 line too long\r\n");
    EXPECT_EQ(client.ask(std::string("DEFINE fi-en \xff\xfe\x01", 16)), "501 Syntax error, illegal parameters\r\n");
    EXPECT_TRUE(client.ask("DEFINE fi-en talo").starts_with("150 "));
}

TEST(DictServer, TwoHundredClientsAtOnceAndOneThatNeverReads) {
    Program program;
    Server server(program);
    // One that sends without ever reading fills its socket; the others go on.
    Client stalled(server.port());
    std::string flood;
    for (int i = 0; i < 2000; ++i) flood += "DEFINE fi-en talo\r\n";
    for (int i = 0; i < 20; ++i) stalled.send(flood);
    std::vector<std::unique_ptr<Client>> clients;
    for (int i = 0; i < 200; ++i) clients.push_back(std::make_unique<Client>(server.port()));
    for (auto& client : clients) client->send("DEFINE fi-en kissa\r\n");
    int answered = 0;
    for (auto& client : clients) {
        const std::string banner = client->until_status();
        answered += banner.starts_with("220 ") && client->until_status().starts_with("150 ") ? 1 : 0;
    }
    EXPECT_EQ(answered, 200);
}

TEST(DictServer, ClientsBeyondTheBoundAreTurnedAway) {
    Program program;
    Server server(program);
    std::vector<std::unique_ptr<Client>> clients;
    for (int i = 0; i < 256; ++i) {
        clients.push_back(std::make_unique<Client>(server.port()));
        ASSERT_TRUE(clients.back()->until_status().starts_with("220 ")) << i;
    }
    Client extra(server.port());
    EXPECT_EQ(extra.until_status(), "420 Server temporarily unavailable\r\n");
    EXPECT_TRUE(extra.closed_within(kPatience));
    clients.pop_back();
    std::this_thread::sleep_for(200ms);
    Client again(server.port());
    EXPECT_TRUE(again.until_status().starts_with("220 "));
}

TEST(DictServer, SigtermWithClientsConnectedEndsItQuickly) {
    Program program;
    Server server(program);
    std::vector<std::unique_ptr<Client>> clients;
    for (int i = 0; i < 20; ++i) clients.push_back(std::make_unique<Client>(server.port()));
    for (auto& client : clients) (void)client->until_status();
    const auto start = std::chrono::steady_clock::now();
    server.session().signal(SIGTERM);
    const auto status = server.session().wait_exit(kPatience);
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(exit_code(*status), 0);
    EXPECT_LT(took, 1s);
    for (auto& client : clients) EXPECT_TRUE(client->closed_within(1s));
}

// Debian's dict client, when installed: the test is skipped without it.
TEST(DictServer, TheDictClientDefinesAndMatches) {
    if (::access("/usr/bin/dict", X_OK) != 0) GTEST_SKIP() << "dict is not installed (apt-get install dict)";
    Program program;
    Server server(program);
    const std::string port = std::to_string(server.port());
    const auto defined = run_program("/usr/bin/dict", {"-h", "127.0.0.1", "-p", port, "-d", "fi-en", "talossa"});
    EXPECT_EQ(defined.status, 0) << defined.err;
    EXPECT_NE(defined.out.find("From Finnish-English, every form analysed (lomperi) [fi-en]"), std::string::npos) << defined.out;
    EXPECT_NE(defined.out.find("house"), std::string::npos) << defined.out;
    const auto matched = run_program("/usr/bin/dict", {"-h", "127.0.0.1", "-p", port, "-d", "fi-en", "-m", "-s", "prefix", "kiss"});
    EXPECT_EQ(matched.status, 0) << matched.err;
    EXPECT_NE(matched.out.find("kissa"), std::string::npos) << matched.out;
}

}  // namespace
}  // namespace lomperi::testing
