#include "core/dict_server/accept_loop.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <utility>
#include <vector>

namespace lomperi::dict_server {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kPause = std::chrono::milliseconds(100);

FileDescriptor reserve() { return FileDescriptor(::open("/dev/null", O_RDONLY | O_CLOEXEC)); }

class Acceptor {
public:
    explicit Acceptor(ClientPool& clients) : clients_(clients), spare_(reserve()) {}

    // Accepts until none waits; false when it has to pause.
    bool accept_from(int listener) {
        bool reaped = false;
        while (true) {
            sockaddr_storage peer{};
            socklen_t length = sizeof peer;
            FileDescriptor socket(::accept4(listener, reinterpret_cast<sockaddr*>(&peer), &length, SOCK_CLOEXEC));
            if (socket.get() >= 0) {
                clients_.admit(std::move(socket), peer_key(peer));
                continue;
            }
            switch (errno) {
                case EAGAIN:
#if EWOULDBLOCK != EAGAIN
                case EWOULDBLOCK:
#endif
                    return true;
                case EINTR:
                case ECONNABORTED:
                case EPROTO: continue;
                case EMFILE:
                case ENFILE:
                    if (!std::exchange(reaped, true)) {
                        clients_.reap();
                        continue;
                    }
                    if (turn_away(listener)) continue;
                    return false;
                default: return false;
            }
        }
    }

private:
    // The reserve let go for a moment to take one waiting connection and say 420.
    bool turn_away(int listener) {
        if (spare_.get() < 0) spare_ = reserve();
        if (spare_.get() < 0) return false;
        spare_ = FileDescriptor();
        bool taken = false;
        {
            const FileDescriptor socket(::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC));
            taken = socket.get() >= 0;
            if (taken) say_unavailable(socket.get());
        }
        spare_ = reserve();
        return taken;
    }

    ClientPool& clients_;
    FileDescriptor spare_;
};

Error os_error(const std::string& what) { return Error(what, Error(std::strerror(errno))); }

}  // namespace

Result<void> accept_clients(ClientPool& clients, std::span<const int> listeners, int stop) {
    if (clients.ended_fd() < 0) return std::unexpected(os_error("cannot watch the clients"));
    Acceptor acceptor(clients);
    Clock::time_point paused_until{};
    std::vector<pollfd> watched;
    while (true) {
        const auto pause_left = std::chrono::ceil<std::chrono::milliseconds>(paused_until - Clock::now()).count();
        const bool paused = pause_left > 0;
        watched.assign({{stop, POLLIN, 0}, {clients.ended_fd(), POLLIN, 0}});
        if (!paused) {
            for (const int listener : listeners) watched.push_back({listener, POLLIN, 0});
        }
        const int timeout = paused ? static_cast<int>(pause_left) : -1;
        if (::poll(watched.data(), watched.size(), timeout) < 0) {
            if (errno == EINTR) continue;
            return std::unexpected(os_error("waiting for clients"));
        }
        if (watched[0].revents != 0) return {};
        if (watched[1].revents != 0) clients.reap();
        for (std::size_t k = 2; k < watched.size(); ++k) {
            if (watched[k].revents != 0 && !acceptor.accept_from(watched[k].fd)) paused_until = Clock::now() + kPause;
        }
    }
}

}  // namespace lomperi::dict_server
