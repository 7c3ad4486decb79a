#include "core/dict_server/dict_server.hpp"

#include <netdb.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fmt/format.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/file_descriptor.hpp"
#include "core/dict_server/listen_address.hpp"
#include "core/dict_server/accept_loop.hpp"
#include "core/dict_server/client_pool.hpp"
#include "core/dict_server/conversation.hpp"
#include "core/morphology/damage_report.hpp"

namespace lomperi::dict_server {
namespace {


using Socket = FileDescriptor;

Error os_error(const std::string& what) { return Error(what, Error(std::strerror(errno))); }

Result<Socket> listen_on(const ListenAddress& address) {
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

Result<std::vector<Socket>> open_listeners(const ServeOptions& options, std::vector<std::string>& where) {
    std::vector<Socket> listeners;
    const bool defaults = options.listen.empty();
    const std::vector<std::string> wanted =
        defaults ? std::vector<std::string>{fmt::format("127.0.0.1:{}", kDefaultPort), fmt::format("[::1]:{}", kDefaultPort)}
                 : options.listen;
    std::optional<Error> first_error;
    for (const auto& text : wanted) {
        const auto address = parse_listen_address(text);
        if (!address) return fail(fmt::format("not an address: {} (HOST:PORT or [IPv6]:PORT)", text));
        auto socket = listen_on(*address);
        if (!socket) {
            // Without IPv6 the default loopback address ::1 may be missing; the other still serves.
            if (!defaults) return std::unexpected(socket.error());
            if (!first_error) first_error = socket.error();
            continue;
        }
        where.push_back(shown(ListenAddress{address->host, bound_port(socket->get()).value_or(address->port)}));
        listeners.push_back(std::move(*socket));
    }
    if (listeners.empty()) return std::unexpected(*first_error);
    return listeners;
}

ServerFacts facts_now() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return {LOMPERI_VERSION, static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::seconds>(now).count())};
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
    // Every frame of meanings read now, so that no client waits for one,
    // and every chunk checked, so that damage is said before any client meets it.
    while (dictionary->gloss_store.decompress_next()) {
    }
    if (!morphology::check_every_chunk(*dictionary).empty()) tell_damage_once(morphology::damage_message(*dictionary));
    std::string joined;
    for (const auto& address : where) joined += (joined.empty() ? "" : ", ") + address;
    std::fputs(fmt::format("lomperi: serving the DICT protocol on {}\n", joined).c_str(), stdout);
    std::fflush(stdout);

    const ServerFacts facts = facts_now();
    ClientPool clients(*dictionary, facts, options);
    std::vector<int> listening;
    for (const auto& listener : *listeners) listening.push_back(listener.get());
    auto served = accept_clients(clients, listening, signals.get());
    clients.close_all();
    if (!served) return forward(served);
    return 0;
}

}  // namespace lomperi::dict_server
