// The DICT server under load: DEFINE requests over loopback from 1, 16 and
// 128 clients at once, each on its own connection, for the 1,000 most
// frequent Finnish forms; requests per second and the p99 latency. Beside it,
// in the same run, Debian's dictd serving dict-freedict-fin-eng the same
// words, when both are installed. Also the server's peak memory after the
// 128 clients, and how long it takes to exit after SIGTERM.
// Goal: at least dictd's throughput, with the morphology it lacks.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench_support.hpp"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRequestsPerClient = 200;

int free_port() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

// The server lets one address hold a quarter of its slots: the clients come
// from four loopback addresses (every 127.x.y.z is this machine), in turn.
int connect_to(int port, std::size_t client) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    // A server that stops answering fails the request instead of the run.
    const timeval patience{5, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
    sockaddr_in source{};
    source.sin_family = AF_INET;
    source.sin_addr.s_addr = htonl(INADDR_LOOPBACK + static_cast<std::uint32_t>(client % 4));
    ::bind(fd, reinterpret_cast<sockaddr*>(&source), sizeof source);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return fd;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::close(fd);
    return -1;
}

// Reads until a line with a status code that ends the answer.
bool read_answer(int fd, std::string& buffer) {
    while (true) {
        std::size_t start = 0;
        for (std::size_t end; (end = buffer.find("\r\n", start)) != std::string::npos; start = end + 2) {
            const std::string_view line(buffer.data() + start, end - start);
            const bool final = line.size() >= 4 && line[3] == ' ' &&
                               (line.starts_with("250") || line.starts_with("552") || line.starts_with("220") ||
                                line.starts_with("5") || line.starts_with("4"));
            if (final) {
                buffer.erase(0, end + 2);
                return true;
            }
        }
        buffer.erase(0, start);
        char chunk[16384];
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n <= 0) return false;
        buffer.append(chunk, static_cast<std::size_t>(n));
    }
}

struct Process {
    pid_t pid = -1;
    int port = 0;
};

Process spawn(const std::vector<std::string>& args, int port, bool read_port) {
    int out[2];
    if (::pipe(out) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    Process process;
    if (::posix_spawn(&process.pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) process.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    process.port = port;
    if (read_port && process.pid > 0) {
        std::string said;
        char c;
        while (::read(out[0], &c, 1) == 1 && c != '\n') said += c;
        const auto colon = said.rfind(':');
        if (colon != std::string::npos) process.port = std::atoi(said.c_str() + colon + 1);
    }
    ::close(out[0]);
    return process;
}

Process& lomperi_server() {
    static Process process = spawn({LOMPERI_PROGRAM, "--serve", "--listen", "127.0.0.1:0"}, 0, true);
    return process;
}

std::optional<Process>& dictd_server() {
    static std::optional<Process> process = []() -> std::optional<Process> {
        if (::access("/usr/sbin/dictd", X_OK) != 0 || ::access("/usr/share/dictd/freedict-fin-eng.index", R_OK) != 0) {
            return std::nullopt;
        }
        const std::string config = "/tmp/lomperi-bench-dictd.conf";
        std::ofstream(config) << "database fi-en { data \"/usr/share/dictd/freedict-fin-eng.dict.dz\" "
                                 "index \"/usr/share/dictd/freedict-fin-eng.index\" }\n";
        const int port = free_port();
        return spawn({"/usr/sbin/dictd", "-d", "nodetach", "-c", config, "-p", std::to_string(port), "--listen-to",
                      "127.0.0.1", "--limit", "300", "--pid-file", "/tmp/lomperi-bench-dictd.pid"},
                     port, false);
    }();
    return process;
}

void load(benchmark::State& state, int port) {
    const auto clients = static_cast<std::size_t>(state.range(0));
    static const std::vector<std::string> words = lomperi::bench::top_forms(false);
    std::vector<double> latencies;
    std::mutex merge;
    std::atomic<std::size_t> failed{0};
    double seconds = 0;
    for (auto _ : state) {
        latencies.clear();
        const auto start = Clock::now();
        std::vector<std::thread> threads;
        for (std::size_t c = 0; c < clients; ++c) {
            threads.emplace_back([&, c] {
                const int fd = connect_to(port, c);
                std::string buffer;
                if (fd < 0 || !read_answer(fd, buffer)) {
                    ++failed;
                    return;
                }
                std::vector<double> own;
                for (int k = 0; k < kRequestsPerClient; ++k) {
                    const std::string& word = words[(c * 37 + static_cast<std::size_t>(k)) % words.size()];
                    const std::string request = "DEFINE fi-en " + word + "\r\n";
                    const auto sent = Clock::now();
                    if (::send(fd, request.data(), request.size(), MSG_NOSIGNAL) < 0 || !read_answer(fd, buffer)) {
                        ++failed;
                        break;
                    }
                    own.push_back(std::chrono::duration<double, std::micro>(Clock::now() - sent).count());
                }
                ::send(fd, "QUIT\r\n", 6, MSG_NOSIGNAL);
                ::close(fd);
                const std::lock_guard lock(merge);
                latencies.insert(latencies.end(), own.begin(), own.end());
            });
        }
        for (auto& thread : threads) thread.join();
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
    }
    std::ranges::sort(latencies);
    const auto at = [&](double p) { return latencies.empty() ? 0.0 : latencies[static_cast<std::size_t>(p * (latencies.size() - 1))]; };
    state.counters["requests_per_s"] = static_cast<double>(latencies.size()) / seconds;
    state.counters["p50_us"] = at(0.50);
    state.counters["p99_us"] = at(0.99);
    state.counters["failed"] = static_cast<double>(failed.load());
}

std::size_t peak_rss_kb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:")) return static_cast<std::size_t>(std::atol(line.c_str() + 6));
    }
    return 0;
}

void BM_LomperiDefine(benchmark::State& state) {
    const Process& server = lomperi_server();
    if (server.pid <= 0 || server.port == 0) {
        state.SkipWithError("the server did not start");
        return;
    }
    load(state, server.port);
    state.counters["peak_rss_mb"] = static_cast<double>(peak_rss_kb(server.pid)) / 1024.0;
}

void BM_DictdDefine(benchmark::State& state) {
    const auto& server = dictd_server();
    if (!server || server->pid <= 0) {
        state.SkipWithError("dictd or dict-freedict-fin-eng is not installed");
        return;
    }
    load(state, server->port);
}

// How long the server takes to exit after SIGTERM with clients connected.
void BM_LomperiExitAfterSigterm(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Process server = spawn({LOMPERI_PROGRAM, "--serve", "--listen", "127.0.0.1:0"}, 0, true);
        std::vector<int> clients;
        for (std::size_t k = 0; k < 16; ++k) clients.push_back(connect_to(server.port, k));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        state.ResumeTiming();
        const auto start = Clock::now();
        ::kill(server.pid, SIGTERM);
        int status = 0;
        ::waitpid(server.pid, &status, 0);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        state.counters["exit_status"] = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        for (const int fd : clients) ::close(fd);
    }
}

struct Teardown {
    ~Teardown() {
        if (lomperi_server().pid > 0) {
            ::kill(lomperi_server().pid, SIGTERM);
            ::waitpid(lomperi_server().pid, nullptr, 0);
        }
        if (const auto& dictd = dictd_server(); dictd && dictd->pid > 0) {
            ::kill(dictd->pid, SIGTERM);
            ::waitpid(dictd->pid, nullptr, 0);
        }
    }
};

}  // namespace

BENCHMARK(BM_LomperiDefine)->Arg(1)->Arg(16)->Arg(128)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DictdDefine)->Arg(1)->Arg(16)->Arg(128)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LomperiExitAfterSigterm)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    const Teardown teardown;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
