#include "core/dict_server/client_pool.hpp"

#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fmt/format.h>

#include <new>
#include <system_error>

namespace lomperi::dict_server {

void say_unavailable(int fd) { (void)::send(fd, kUnavailable.data(), kUnavailable.size(), MSG_NOSIGNAL | MSG_DONTWAIT); }

ClientPool::ClientPool(const morphology::Dictionary& dictionary, const ServerFacts& facts, const ServeOptions& options)
    : dictionary_(dictionary),
      facts_(facts),
      options_(options),
      limits_{options.idle, options.line, options.unread},
      ended_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

ClientPool::~ClientPool() { close_all(); }

void ClientPool::admit(FileDescriptor socket, const PeerKey& peer) {
    reap();
    if (!make_room(peer)) return say_unavailable(socket.get());
    Client* client = nullptr;
    try {
        client = &clients_.emplace_back();
    } catch (const std::bad_alloc&) {
        return say_unavailable(socket.get());
    }
    client->socket = std::move(socket);
    client->peer = peer;
    if (start(*client)) return;
    say_unavailable(client->socket.get());
    clients_.pop_back();
}

// A slot for the peer: free, or given up by the client of its address (or,
// when the server is full, of any) awaited for longest, when that has been
// idle_when_full at least.
bool ClientPool::make_room(const PeerKey& peer) {
    std::size_t present = 0;
    std::size_t of_peer = 0;
    for (const Client& client : clients_) {
        if (client.sent_away) continue;
        ++present;
        if (client.peer == peer) ++of_peer;
    }
    const bool share_full = of_peer >= options_.per_address;
    if (!share_full && present < options_.max_clients) return true;
    const std::int64_t latest = steady_milliseconds() - options_.idle_when_full.count();
    Client* longest = nullptr;
    std::int64_t longest_since = latest;
    for (Client& client : clients_) {
        if (client.sent_away || (share_full && client.peer != peer)) continue;
        const std::int64_t since = client.state->awaited_since.load();
        if (since <= longest_since) {
            longest = &client;
            longest_since = since;
        }
    }
    if (!longest) return false;
    ::shutdown(longest->socket.get(), SHUT_RDWR);
    longest->sent_away = true;
    return true;
}

bool ClientPool::start(Client& client) {
    try {
        client.state = std::make_shared<ConversationState>();
        std::string msg_id = fmt::format("<{}.{}@lomperi>", ::getpid(), ++sessions_);
        client.thread = std::thread([this, fd = client.socket.get(), msg_id = std::move(msg_id), state = client.state] {
            try {
                DictSession session(dictionary_, facts_, msg_id);
                converse(fd, session, limits_, *state);
            } catch (const std::bad_alloc&) {
                say_unavailable(fd);
            }
            ::shutdown(fd, SHUT_RDWR);
            state->done.store(true);
            const std::uint64_t one = 1;
            (void)::write(ended_.get(), &one, sizeof one);
        });
    } catch (const std::system_error&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void ClientPool::reap() {
    std::uint64_t count = 0;
    (void)::read(ended_.get(), &count, sizeof count);
    for (auto it = clients_.begin(); it != clients_.end();) {
        if (!it->state || !it->state->done.load()) {
            ++it;
            continue;
        }
        it->thread.join();
        it = clients_.erase(it);
    }
}

void ClientPool::close_all() {
    for (auto& client : clients_) ::shutdown(client.socket.get(), SHUT_RDWR);
    for (auto& client : clients_) {
        if (client.thread.joinable()) client.thread.join();
    }
    clients_.clear();
}

}  // namespace lomperi::dict_server
