#pragma once
// One client's connection from its banner to its end, on the client's own
// thread: command lines read and answered in turn, exactly one answer per
// line, every wait bounded.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <limits>
#include <string>

#include "core/dict_server/dict_session.hpp"

namespace lomperi::dict_server {

struct ConversationLimits {
    std::chrono::milliseconds idle;    // for the next command line to begin
    std::chrono::milliseconds line;    // for a command line to end once begun
    std::chrono::milliseconds unread;  // for the client to take a whole answer
};

// What the accepting thread may read of a conversation while it goes on.
struct ConversationState {
    static constexpr std::int64_t kAnswering = std::numeric_limits<std::int64_t>::max();
    // Since when (steady clock, in milliseconds) the server has waited for
    // the client's next command line, however many of its bytes came;
    // kAnswering while it answers one.
    std::atomic<std::int64_t> awaited_since{kAnswering};
    std::atomic<bool> done{false};
};

std::int64_t steady_milliseconds();

// Returns when the client quits or closes, a limit runs out, or the socket
// is shut down from another thread.
void converse(int fd, DictSession& session, const ConversationLimits& limits, ConversationState& state);

// Says damaged data on standard error, the first time only: the server goes
// on answering what it can read.
void tell_damage_once(const std::string& message);

// Whether every byte was handed to the socket before the deadline.
bool send_before(int fd, std::string_view bytes, std::chrono::steady_clock::time_point deadline);

}  // namespace lomperi::dict_server
