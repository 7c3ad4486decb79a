#pragma once
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "term/event.hpp"

namespace lomperi::term {

// Turns the bytes read from a terminal into events. Pure: no I/O, no clock.
// A sequence split across reads is kept until the rest arrives; the caller
// decides when a pause has been long enough (see pending_wait) and then calls
// flush_pending, which turns a lone ESC into the Esc key.
class Decoder {
public:
    // Longest escape sequence we wait for; anything longer is garbage.
    static constexpr std::size_t kMaxSequence = 64;
    // Longest paste delivered; the rest of a longer paste is dropped.
    static constexpr std::size_t kMaxPaste = 1 << 20;

    std::vector<Event> feed(std::string_view bytes);

    // True while bytes of an unfinished sequence or paste are held back.
    bool has_pending() const { return !pending_.empty() || in_paste_ || skipping_; }

    // How long to wait for more bytes before calling flush_pending: short
    // after an ESC, longer inside a paste; nothing when no bytes are held.
    std::optional<std::chrono::milliseconds> pending_wait() const;

    // Gives up waiting: a lone ESC becomes Esc, ESC with one more byte that
    // could start a sequence becomes Alt with that byte, an unfinished paste
    // is delivered as it is, anything else held back is dropped.
    std::vector<Event> flush_pending();

private:
    void decode_pending(std::vector<Event>& out);
    std::size_t skip_sequence_rest(std::string_view rest);
    std::size_t take_paste(std::string_view rest, std::vector<Event>& out);
    void append_paste(std::string_view text);
    void end_paste(std::vector<Event>& out);

    std::string pending_;
    bool skipping_ = false;  // inside an overlong sequence being dropped
    bool in_paste_ = false;
    std::string paste_;
    bool paste_full_ = false;  // reached kMaxPaste; the rest is dropped
};

}  // namespace lomperi::term
