#include "core/dict_server/conversation.hpp"

#include <poll.h>
#include <sys/socket.h>

#include <fmt/format.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>

#include "base/utf8.hpp"
#include "core/dict_server/command_lines.hpp"

namespace lomperi::dict_server {
namespace {

using Clock = std::chrono::steady_clock;

// Waits for the socket to be ready for `events` until the deadline; false when it passes.
bool wait_until(int fd, short events, Clock::time_point deadline) {
    while (true) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return false;
        pollfd watched{fd, events, 0};
        const int ready = ::poll(&watched, 1, static_cast<int>(std::min<std::int64_t>(left.count(), 60'000)));
        if (ready > 0) return true;
        if (ready < 0 && errno != EINTR) return false;
    }
}

Reply answer_to(DictSession& session, const CommandLines::Line& line) {
    if (line.too_long) return {"500 line too long\r\n", false};
    if (!is_utf8(as_bytes(line.text))) return {"501 Syntax error, illegal parameters\r\n", false};
    return session.answer(line.text);
}

}  // namespace

std::int64_t steady_milliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
}

void tell_damage_once(const std::string& message) {
    static std::atomic<bool> told{false};
    if (!told.exchange(true)) std::fputs(fmt::format("lomperi: {}\n", message).c_str(), stderr);
}

// Not FileDescriptor's write_all: an answer has one deadline however it is
// cut, and send() is told per call never to wait (MSG_DONTWAIT) nor to raise
// SIGPIPE (MSG_NOSIGNAL), which write() cannot be. A send that takes nothing
// fails the answer, as a write that takes nothing does.
bool send_before(int fd, std::string_view bytes, Clock::time_point deadline) {
    while (!bytes.empty()) {
        const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && wait_until(fd, POLLOUT, deadline)) continue;
        return false;
    }
    return true;
}

void converse(int fd, DictSession& session, const ConversationLimits& limits, ConversationState& state) {
    if (!send_before(fd, session.banner(), Clock::now() + limits.unread)) return;
    CommandLines lines;
    auto awaited = Clock::now();
    std::optional<Clock::time_point> line_began;
    state.awaited_since.store(steady_milliseconds());
    char chunk[4096];
    while (true) {
        auto deadline = awaited + limits.idle;
        if (line_began) deadline = std::min(deadline, *line_began + limits.line);
        if (!wait_until(fd, POLLIN, deadline)) return;
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, MSG_DONTWAIT);
        if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
        if (n <= 0) return;  // closed, or shut down
        const auto received = Clock::now();
        const bool was_in_line = lines.in_line();
        lines.add(std::string_view(chunk, static_cast<std::size_t>(n)));
        bool answered = false;
        while (const auto line = lines.next()) {
            state.awaited_since.store(ConversationState::kAnswering);
            const Reply reply = answer_to(session, *line);
            if (!session.damage().empty()) tell_damage_once(session.damage());
            if (!send_before(fd, reply.text, Clock::now() + limits.unread) || reply.close) return;
            answered = true;
        }
        if (answered) {
            awaited = Clock::now();
            state.awaited_since.store(steady_milliseconds());
        }
        if (!lines.in_line()) {
            line_began.reset();
        } else if (!was_in_line || answered) {
            line_began = received;
        }
    }
}

}  // namespace lomperi::dict_server
