#pragma once
// Shared helpers of the terminal layer's tests.
#include <string>
#include <string_view>
#include <vector>

#include <fmt/format.h>

#include "event_print.hpp"
#include "term/decoder.hpp"

namespace lomperi::term {

// Everything the bytes mean once no more bytes come.
inline std::vector<Event> decode_all(std::string_view bytes) {
    Decoder d;
    std::vector<Event> events = d.feed(bytes);
    for (Event& ev : d.flush_pending()) events.push_back(std::move(ev));
    return events;
}

namespace testing_support {

// Bytes with control and non-ASCII bytes escaped, for trace messages.
inline std::string visible(std::string_view bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7f) {
            out.push_back(static_cast<char>(c));
        } else {
            out += fmt::format("\\x{:02x}", c);
        }
    }
    return out;
}

}  // namespace testing_support
}  // namespace lomperi::term
