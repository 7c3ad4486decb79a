#include "core/dict_server/dict_server.hpp"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fmt/format.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

#include "base/file_descriptor.hpp"
#include "base/utf8.hpp"
#include "core/dict_server/dict_session.hpp"

namespace lomperi::dict_server {
namespace {

Error os_error(const std::string& what) { return Error(what, Error(std::strerror(errno))); }

using Socket = FileDescriptor;


struct Address {
    std::string host;
    std::string port;
};

// "127.0.0.1:2628", "[::1]:2628", "localhost:2628".
std::optional<Address> parse_address(std::string_view text) {
    if (text.starts_with('[')) {
        const std::size_t close = text.find("]:");
        if (close == std::string_view::npos) return std::nullopt;
        return Address{std::string(text.substr(1, close - 1)), std::string(text.substr(close + 2))};
    }
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos || colon == 0 || text.find(':') != colon) return std::nullopt;
    return Address{std::string(text.substr(0, colon)), std::string(text.substr(colon + 1))};
}

std::string shown(const Address& address) {
    return address.host.find(':') == std::string::npos ? address.host + ":" + address.port
                                                         : "[" + address.host + "]:" + address.port;
}

Result<Socket> listen_on(const Address& address) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (const int failed = ::getaddrinfo(address.host.c_str(), address.port.c_str(), &hints, &found); failed != 0) {
        return fail(fmt::format("cannot listen on {}: {}", shown(address), ::gai_strerror(failed)));
    }
    const std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> owned(found, ::freeaddrinfo);
    Socket socket(::socket(found->ai_family, found->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, found->ai_protocol));
    if (socket.get() < 0) return std::unexpected(os_error("cannot listen on " + shown(address)));
    const int one = 1;
    ::setsockopt(socket.get(), SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (found->ai_family == AF_INET6) ::setsockopt(socket.get(), IPPROTO_IPV6, IPV6_V6ONLY, &one, sizeof one);
    if (::bind(socket.get(), found->ai_addr, found->ai_addrlen) != 0 || ::listen(socket.get(), 128) != 0) {
        return std::unexpected(os_error("cannot listen on " + shown(address)));
    }
    return socket;
}

// The port a socket was bound to: the one the system chose for port 0.
std::optional<std::string> bound_port(int fd) {
    sockaddr_storage bound{};
    socklen_t length = sizeof bound;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &length) != 0) return std::nullopt;
    if (bound.ss_family == AF_INET) return std::to_string(ntohs(reinterpret_cast<sockaddr_in*>(&bound)->sin_port));
    if (bound.ss_family == AF_INET6) return std::to_string(ntohs(reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port));
    return std::nullopt;
}

bool send_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void set_timeout(int fd, int option, std::chrono::milliseconds timeout) {
    timeval value{};
    value.tv_sec = static_cast<time_t>(timeout.count() / 1000);
    value.tv_usec = static_cast<suseconds_t>((timeout.count() % 1000) * 1000);
    ::setsockopt(fd, SOL_SOCKET, option, &value, sizeof value);
}

// Reads command lines, at most kMaxCommandLine bytes each with their CRLF;
// a longer one is answered with 500 and skipped to its end.
void converse(int fd, DictSession& session) {
    if (!send_all(fd, session.banner())) return;
    std::string pending;
    bool skipping = false;
    char chunk[4096];
    while (true) {
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;  // closed, idle too long, or shut down
        pending.append(chunk, static_cast<std::size_t>(n));
        std::size_t start = 0;
        for (std::size_t end; (end = pending.find('\n', start)) != std::string::npos; start = end + 1) {
            std::string_view line(pending.data() + start, end - start);
            if (std::exchange(skipping, false) || line.size() + 1 > kMaxCommandLine) {
                if (!send_all(fd, "500 line too long\r\n")) return;
                continue;
            }
            if (line.ends_with('\r')) line.remove_suffix(1);
            const Reply reply = is_utf8(as_bytes(line)) ? session.answer(line)
                                                        : Reply{"501 Syntax error, illegal parameters\r\n", false};
            if (!send_all(fd, reply.text) || reply.close) return;
        }
        pending.erase(0, start);
        if (pending.size() >= kMaxCommandLine) {
            pending.clear();
            if (!skipping && !send_all(fd, "500 line too long\r\n")) return;
            skipping = true;
        }
    }
}

struct Client {
    Socket socket;
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done = std::make_shared<std::atomic<bool>>(false);
};

class Server {
public:
    Server(const morphology::Dictionary& dictionary, const ServeOptions& options)
        : dictionary_(dictionary), options_(options) {
        facts_.version = LOMPERI_VERSION;
        facts_.started = static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::seconds>(
                                                         std::chrono::system_clock::now().time_since_epoch())
                                                         .count());
    }
    ~Server() { close_all(); }

    void accept_from(int listener) {
        while (true) {
            Socket socket(::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC));
            if (socket.get() < 0) return;
            reap();
            if (clients_.size() >= options_.max_clients) {
                // Too many: said without waiting, and closed.
                ::send(socket.get(), "420 Server temporarily unavailable\r\n", 36, MSG_NOSIGNAL | MSG_DONTWAIT);
                continue;
            }
            start(std::move(socket));
        }
    }

    void close_all() {
        for (auto& client : clients_) ::shutdown(client.socket.get(), SHUT_RDWR);
        for (auto& client : clients_) {
            if (client.thread.joinable()) client.thread.join();
        }
        clients_.clear();
    }

private:
    void start(Socket socket) {
        set_timeout(socket.get(), SO_RCVTIMEO, options_.idle);
        set_timeout(socket.get(), SO_SNDTIMEO, options_.unread);
        Client& client = clients_.emplace_back();
        client.socket = std::move(socket);
        const int fd = client.socket.get();
        const std::string msg_id = fmt::format("<{}.{}@lomperi>", ::getpid(), ++sessions_);
        client.thread = std::thread([this, fd, msg_id, done = client.done] {
            DictSession session(dictionary_, facts_, msg_id);
            converse(fd, session);
            ::shutdown(fd, SHUT_RDWR);
            done->store(true);
        });
    }

    void reap() {
        for (auto it = clients_.begin(); it != clients_.end();) {
            if (!it->done->load()) {
                ++it;
                continue;
            }
            it->thread.join();
            it = clients_.erase(it);
        }
    }

    const morphology::Dictionary& dictionary_;
    const ServeOptions& options_;
    ServerFacts facts_;
    std::list<Client> clients_;
    std::uint64_t sessions_ = 0;
};

Result<std::vector<Socket>> open_listeners(const ServeOptions& options, std::vector<std::string>& where) {
    std::vector<Socket> listeners;
    const bool defaults = options.listen.empty();
    const std::vector<std::string> wanted =
        defaults ? std::vector<std::string>{fmt::format("127.0.0.1:{}", kDefaultPort), fmt::format("[::1]:{}", kDefaultPort)}
                 : options.listen;
    std::optional<Error> first_error;
    for (const auto& text : wanted) {
        const auto address = parse_address(text);
        if (!address) return fail(fmt::format("not an address: {} (HOST:PORT or [IPv6]:PORT)", text));
        auto socket = listen_on(*address);
        if (!socket) {
            // Without IPv6 the default loopback address ::1 may be missing; the other still serves.
            if (!defaults) return std::unexpected(socket.error());
            if (!first_error) first_error = socket.error();
            continue;
        }
        where.push_back(shown(Address{address->host, bound_port(socket->get()).value_or(address->port)}));
        listeners.push_back(std::move(*socket));
    }
    if (listeners.empty()) return std::unexpected(*first_error);
    return listeners;
}

}  // namespace

Result<int> run_server(const morphology::DataFiles& files, const ServeOptions& options) {
    // The signals that end the server are read from a descriptor, by the
    // accepting thread only: every thread started later inherits the mask.
    sigset_t ending;
    sigemptyset(&ending);
    sigaddset(&ending, SIGINT);
    sigaddset(&ending, SIGTERM);
    if (::pthread_sigmask(SIG_BLOCK, &ending, nullptr) != 0) return fail("cannot block SIGINT and SIGTERM");
    ::signal(SIGPIPE, SIG_IGN);
    const Socket signals(::signalfd(-1, &ending, SFD_CLOEXEC | SFD_NONBLOCK));
    if (signals.get() < 0) return std::unexpected(os_error("cannot watch for SIGINT and SIGTERM"));

    auto dictionary = morphology::load_dictionary(files);
    if (!dictionary) return forward(dictionary);
    std::vector<std::string> where;
    auto listeners = open_listeners(options, where);
    if (!listeners) return forward(listeners);
    // Every frame of meanings read now, so that no client waits for one.
    while (dictionary->gloss_store.decompress_next()) {
    }
    std::string joined;
    for (const auto& address : where) joined += (joined.empty() ? "" : ", ") + address;
    std::fputs(fmt::format("lomperi: serving the DICT protocol on {}\n", joined).c_str(), stdout);
    std::fflush(stdout);

    Server server(*dictionary, options);
    std::vector<pollfd> watched{{signals.get(), POLLIN, 0}};
    for (const auto& listener : *listeners) watched.push_back({listener.get(), POLLIN, 0});
    while (true) {
        if (::poll(watched.data(), watched.size(), -1) < 0) {
            if (errno == EINTR) continue;
            return std::unexpected(os_error("waiting for clients"));
        }
        if (watched[0].revents != 0) break;
        for (std::size_t k = 1; k < watched.size(); ++k) {
            if (watched[k].revents != 0) server.accept_from(watched[k].fd);
        }
    }
    server.close_all();
    return 0;
}

}  // namespace lomperi::dict_server
