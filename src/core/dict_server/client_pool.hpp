#pragma once
// The connected clients, a thread each, and who gets a slot: at most
// max_clients at once and per_address of them from one address (peer_key).
// When there is no room, the client waited for longest gives way if it has
// sent no whole command line for idle_when_full; else the newcomer is told
// 420. A client whose thread cannot start is told 420 as well.
#include <list>
#include <memory>
#include <string>
#include <thread>

#include "base/file_descriptor.hpp"
#include "core/dict_server/conversation.hpp"
#include "core/dict_server/dict_server.hpp"
#include "core/dict_server/peer_key.hpp"

namespace lomperi::dict_server {

inline constexpr std::string_view kUnavailable = "420 Server temporarily unavailable\r\n";

// Says 420 without waiting; the caller closes the connection.
void say_unavailable(int fd);

class ClientPool {
public:
    ClientPool(const morphology::Dictionary& dictionary, const ServerFacts& facts, const ServeOptions& options);
    ~ClientPool();
    ClientPool(const ClientPool&) = delete;
    ClientPool& operator=(const ClientPool&) = delete;

    void admit(FileDescriptor socket, const PeerKey& peer);
    // Joins the threads of the clients that have ended and closes their sockets.
    void reap();
    // Readable after a client has ended: reap() then.
    int ended_fd() const { return ended_.get(); }
    // Shuts every connection down and joins every thread.
    void close_all();

private:
    struct Client {
        FileDescriptor socket;
        PeerKey peer;
        std::shared_ptr<ConversationState> state;
        std::thread thread;
        bool sent_away = false;  // shut down to make room; ends soon
    };

    bool make_room(const PeerKey& peer);
    bool start(Client& client);

    const morphology::Dictionary& dictionary_;
    const ServerFacts& facts_;
    const ServeOptions& options_;
    ConversationLimits limits_;
    FileDescriptor ended_;
    std::list<Client> clients_;
    std::uint64_t sessions_ = 0;
};

}  // namespace lomperi::dict_server
