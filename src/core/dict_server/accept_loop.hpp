#pragma once
// The accepting thread: every new connection handed to the client pool, the
// ended clients reaped as soon as they end. Out of descriptors, a connection
// that waits is told 420 through one descriptor kept in reserve, and when
// even that fails, accepting pauses for a moment: the listener is never
// polled in a busy loop.
#include <span>

#include "base/error.hpp"
#include "core/dict_server/client_pool.hpp"

namespace lomperi::dict_server {

// Serves until `stop` is readable.
Result<void> accept_clients(ClientPool& clients, std::span<const int> listeners, int stop);

}  // namespace lomperi::dict_server
