// The DICT server on a loopback port: the commands as a client sends them,
// long lines, many clients, one that never reads, clients that trickle, the
// server short of memory, processes or descriptors, SIGTERM, and Debian's
// dict client when it is installed.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "program.hpp"
#include "support/child_process.hpp"
#include "support/dict_client.hpp"

namespace lomperi::testing {
namespace {

// The server started from a script in the program's directory, on a port
// the system chooses; the script says the process's id first.
class Server {
public:
    explicit Server(const Program& program, const std::string& extra = "") {
        const fs::path script = program.dir() / "serve";
        std::ofstream(script) << "#!/bin/sh\necho \"pid $$\"\nexec \"$(dirname \"$0\")/lomperi\" --serve --listen 127.0.0.1:0 "
                              << extra << "\n";
        fs::permissions(script, fs::perms::owner_all);
        session_ = std::make_unique<PtySession>(script.string(), PtySession::Options{});
        if (!session_->wait_for("DICT protocol on", kPatience)) return;
        if (!session_->wait_for("\n", kPatience, session_->output().find("DICT protocol on"))) return;
        std::smatch found;
        const std::string output = session_->output();
        if (std::regex_search(output, found, std::regex("pid ([0-9]+)"))) pid_ = std::stoi(found[1]);
        if (std::regex_search(output, found, std::regex("127\\.0\\.0\\.1:([0-9]+)"))) port_ = std::stoi(found[1]);
    }
    int port() const { return port_; }
    pid_t pid() const { return pid_; }
    PtySession& session() { return *session_; }
    bool running() const { return pid_ > 0 && ::kill(pid_, 0) == 0; }

private:
    std::unique_ptr<PtySession> session_;
    int port_ = 0;
    pid_t pid_ = 0;
};

using Client = DictClient;

// The processor time the process has used, user and system.
std::chrono::milliseconds cpu_time(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long ticks = 0;
    for (int k = 3; k <= 15 && fields >> field; ++k) {
        if (k == 14 || k == 15) ticks += std::stol(field);
    }
    return std::chrono::milliseconds(ticks * 1000 / ::sysconf(_SC_CLK_TCK));
}

std::size_t open_descriptors(pid_t pid) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd")) ++count;
    return count;
}

std::size_t virtual_size(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmSize:")) return std::stoul(line.substr(7)) * 1024;
    }
    return 0;
}

// Sets the soft limit of a resource of another process; the old one.
rlimit limit_resource(pid_t pid, int resource, rlim_t soft) {
    rlimit old{};
    ::prlimit(pid, static_cast<__rlimit_resource>(resource), nullptr, &old);
    rlimit lowered = old;
    lowered.rlim_cur = soft;
    EXPECT_EQ(::prlimit(pid, static_cast<__rlimit_resource>(resource), &lowered, nullptr), 0) << std::strerror(errno);
    return old;
}

void restore_resource(pid_t pid, int resource, const rlimit& old) {
    EXPECT_EQ(::prlimit(pid, static_cast<__rlimit_resource>(resource), &old, nullptr), 0) << std::strerror(errno);
}

// Each asks once, so that none has been idle long enough to give way to a newcomer
// (five seconds; connecting hundreds can take that long in a slow build).
void ask_each(std::vector<std::unique_ptr<Client>>& clients) {
    for (std::size_t i = 0; i < clients.size(); ++i) ASSERT_TRUE(clients[i]->ask("STATUS").starts_with("210 ")) << i;
}

// Connections from several loopback addresses, so that no one address's share bounds them.
std::vector<std::unique_ptr<Client>> clients_from_addresses(int port, int count, int addresses) {
    std::vector<std::unique_ptr<Client>> clients;
    for (int i = 0; i < count; ++i) {
        clients.push_back(std::make_unique<Client>(port, "127.0.0." + std::to_string(1 + i % addresses)));
    }
    return clients;
}

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
        {"SHOW STRAT", "111 4 strategies available\r\n"},
        {"MATCH fi-en suggest kisssa", "152 "},
        {"MATCH fi-en suggest qqqqzx", "552 No match\r\n"},
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
        if (answer.starts_with("15") || answer.starts_with("11")) {
            EXPECT_TRUE(answer.ends_with("\r\n.\r\n250 ok\r\n")) << answer;
        }
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
    auto clients = clients_from_addresses(server.port(), 200, 4);
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
    auto clients = clients_from_addresses(server.port(), 256, 4);
    for (std::size_t i = 0; i < clients.size(); ++i) ASSERT_TRUE(clients[i]->until_status().starts_with("220 ")) << i;
    ask_each(clients);
    Client extra(server.port(), "127.0.0.5");
    EXPECT_EQ(extra.until_status(), "420 Server temporarily unavailable\r\n");
    EXPECT_TRUE(extra.closed_within(kPatience));
    clients.pop_back();
    std::this_thread::sleep_for(200ms);
    Client again(server.port(), "127.0.0.5");
    EXPECT_TRUE(again.until_status().starts_with("220 "));
}

// Every local client is 127.0.0.1: a quarter of the slots for it leaves
// room for any other address.
TEST(DictServer, OneAddressHoldsAQuarterOfTheSlots) {
    Program program;
    Server server(program);
    auto clients = clients_from_addresses(server.port(), 64, 1);
    for (std::size_t i = 0; i < clients.size(); ++i) ASSERT_TRUE(clients[i]->until_status().starts_with("220 ")) << i;
    ask_each(clients);
    Client same(server.port(), "127.0.0.1");
    EXPECT_EQ(same.until_status(), "420 Server temporarily unavailable\r\n");
    Client other(server.port(), "127.0.0.2");
    EXPECT_TRUE(other.until_status().starts_with("220 "));
    EXPECT_TRUE(clients.front()->ask("DEFINE fi-en talo").starts_with("150 "));
}

// 256 clients that send a byte of a line every half second, from four
// addresses: the server is full, yet within seconds a newcomer from any
// address is served, as the tricklers have sent no whole line.
TEST(DictServer, TricklingClientsGiveWayToNewcomers) {
    Program program;
    Server server(program);
    auto tricklers = clients_from_addresses(server.port(), 256, 4);
    for (std::size_t i = 0; i < tricklers.size(); ++i) ASSERT_TRUE(tricklers[i]->until_status().starts_with("220 ")) << i;
    ask_each(tricklers);
    EXPECT_EQ(Client(server.port(), "127.0.0.9").until_status(), "420 Server temporarily unavailable\r\n");
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::string> served_from;
    const std::string line = "DEFINE fi-en talo";
    for (std::size_t k = 0; served_from.size() < 2 && std::chrono::steady_clock::now() - start < 20s; ++k) {
        for (auto& trickler : tricklers) trickler->send(line.substr(k % line.size(), 1));
        for (const auto* from : {"127.0.0.1", "127.0.0.9"}) {
            if (std::ranges::find(served_from, from) != served_from.end()) continue;
            Client newcomer(server.port(), from);
            if (newcomer.until_status().starts_with("220 ") && newcomer.ask("DEFINE fi-en talo").starts_with("150 ")) {
                served_from.push_back(from);
            }
        }
        std::this_thread::sleep_for(500ms);
    }
    EXPECT_EQ(served_from.size(), 2u);
    EXPECT_TRUE(server.running());
}

// A client whose thread cannot start (too little memory for its stack, or
// too many processes) is told 420; the server and its other clients go on.
TEST(DictServer, AClientWhoseThreadCannotStartIsToldToComeBackLater) {
    const struct {
        int resource;
        std::string_view name;
    } limits[] = {{RLIMIT_AS, "RLIMIT_AS"}, {RLIMIT_NPROC, "RLIMIT_NPROC"}};
    for (const auto& limit : limits) {
        SCOPED_TRACE(limit.name);
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
        if (limit.resource == RLIMIT_AS) continue;  // the sanitizers' shadow memory needs room of its own
#endif
        if (limit.resource == RLIMIT_NPROC && ::geteuid() == 0) continue;  // binds no process of root
        Program program;
        Server server(program);
        Client before(server.port());
        ASSERT_TRUE(before.until_status().starts_with("220 "));
        // Room for small allocations, none for a thread's stack.
        const rlim_t lowered = limit.resource == RLIMIT_AS ? virtual_size(server.pid()) + (2 << 20) : 1;
        const rlimit old = limit_resource(server.pid(), limit.resource, lowered);
        for (int k = 0; k < 3; ++k) {
            Client refused(server.port());
            EXPECT_EQ(refused.until_status(), "420 Server temporarily unavailable\r\n") << k;
        }
        EXPECT_TRUE(before.ask("DEFINE fi-en talo").starts_with("150 "));
        restore_resource(server.pid(), limit.resource, old);
        Client after(server.port());
        EXPECT_TRUE(after.until_status().starts_with("220 "));
        EXPECT_TRUE(after.ask("DEFINE fi-en talossa").starts_with("150 "));
    }
}

// Out of descriptors, connections waiting are told 420 rather than left in
// the queue with the listener ever readable: the server idles, and serves
// again as soon as clients leave.
TEST(DictServer, OutOfDescriptorsItIdlesAndServesAgainWhenClientsLeave) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    // At the descriptor limit the sanitizers' runtime reports a thread's start
    // inside the standard library as an invalid object and ends the server.
    GTEST_SKIP() << "not under the sanitizers";
#endif
    Program program;
    Server server(program);
    const rlimit old = limit_resource(server.pid(), RLIMIT_NOFILE, open_descriptors(server.pid()) + 4);
    std::vector<std::unique_ptr<Client>> held;
    std::size_t greeted = 0;
    std::size_t refused = 0;
    for (int k = 0; k < 12; ++k) {
        held.push_back(std::make_unique<Client>(server.port()));
        const std::string banner = held.back()->until_status(2s);
        greeted += banner.starts_with("220 ") ? 1 : 0;
        refused += banner == "420 Server temporarily unavailable\r\n" ? 1 : 0;
    }
    EXPECT_GE(greeted, 1u);
    EXPECT_EQ(greeted + refused, held.size());
    // More wait in the queue meanwhile.
    std::vector<std::unique_ptr<Client>> waiting = clients_from_addresses(server.port(), 20, 1);
    const auto before = cpu_time(server.pid());
    std::this_thread::sleep_for(1s);
    EXPECT_LT(cpu_time(server.pid()) - before, 300ms) << "the server must idle, not poll in a loop";
    held.clear();
    waiting.clear();
    // The leavers' threads end at their own pace on a loaded machine: ask
    // again until served, within the patience of a test.
    bool served = false;
    const auto start = std::chrono::steady_clock::now();
    while (!served && std::chrono::steady_clock::now() - start < kPatience) {
        std::this_thread::sleep_for(200ms);
        Client again(server.port());
        served = again.until_status().starts_with("220 ") && again.ask("DEFINE fi-en talo").starts_with("150 ");
    }
    EXPECT_TRUE(served);
    restore_resource(server.pid(), RLIMIT_NOFILE, old);
}

// A line too long, sent in pieces, is one command line: one answer.
TEST(DictServer, ALineTooLongInPiecesGetsExactlyOneAnswer) {
    Program program;
    Server server(program);
    Client client(server.port());
    (void)client.until_status();
    client.send("DEFINE fi-en " + std::string(1500, 'a'));
    std::this_thread::sleep_for(100ms);
    client.send(std::string(1500, 'a') + "\r\nSTATUS\r\n");
    EXPECT_EQ(client.until_status(), "500 line too long\r\n");
    EXPECT_TRUE(client.until_status().starts_with("210 "));
    EXPECT_TRUE(client.ask("DEFINE fi-en talo").starts_with("150 "));
}

// DEFINE is for the word itself (a form leads to its lemma); a headword that
// only begins like it is MATCH prefix's.
TEST(DictServer, DefineAnswersTheWordNotWordsThatBeginLikeIt) {
    Program program;
    Server server(program);
    Client client(server.port());
    (void)client.until_status();
    const std::pair<std::string_view, std::string_view> starts[] = {
        {"DEFINE fi-en kis", "552 No match\r\n"},
        {"DEFINE * kis", "552 No match\r\n"},
        {"MATCH fi-en lemma kis", "552 No match\r\n"},
        {"DEFINE fi-en talossa", "150 1 definitions retrieved\r\n151 \"talossa\" fi-en "},
        {"MATCH fi-en prefix kis", "152 2 matches found\r\n"},
    };
    for (const auto& [command, start] : starts) {
        const std::string answer = client.ask(command);
        EXPECT_TRUE(answer.starts_with(start)) << command << ":\n" << answer;
    }
}

// A port out of range or missing is a usage error naming it; port 0 is any free port.
TEST(DictServer, ABadPortIsAUsageError) {
    for (const std::string bad : {"127.0.0.1:99999", "127.0.0.1:", "[::1]:65536", "127.0.0.1:http"}) {
        const auto run = run_program(LOMPERI_E2E_PROGRAM, {"--serve", "--listen", bad});
        EXPECT_EQ(run.status, 2) << bad;
        EXPECT_TRUE(run.err.starts_with("lomperi: --listen " + bad + " is no HOST:PORT")) << run.err;
        EXPECT_TRUE(run.out.empty()) << run.out;
    }
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
    EXPECT_NE(defined.out.find("From Finnish-English, forms as listed (lomperi) [fi-en]"), std::string::npos) << defined.out;
    EXPECT_NE(defined.out.find("house"), std::string::npos) << defined.out;
    const auto matched = run_program("/usr/bin/dict", {"-h", "127.0.0.1", "-p", port, "-d", "fi-en", "-m", "-s", "prefix", "kiss"});
    EXPECT_EQ(matched.status, 0) << matched.err;
    EXPECT_NE(matched.out.find("kissa"), std::string::npos) << matched.out;
}

}  // namespace
}  // namespace lomperi::testing
