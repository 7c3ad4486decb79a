// The terminal input decoder: no crash, no stall, and the same events however
// the bytes are split into reads (the split sizes come from the input too).
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "term/decoder.hpp"

using lomperi::term::Decoder;
using lomperi::term::Event;

namespace {

std::vector<Event> decode(std::string_view bytes, std::size_t piece) {
    Decoder decoder;
    std::vector<Event> events;
    while (!bytes.empty()) {
        const std::size_t n = piece == 0 ? bytes.size() : std::min(piece, bytes.size());
        for (Event& event : decoder.feed(bytes.substr(0, n))) events.push_back(std::move(event));
        bytes.remove_prefix(n);
    }
    for (Event& event : decoder.flush_pending()) events.push_back(std::move(event));
    return events;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t piece = 1 + data[0] % 9;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (decode(bytes, 0) != decode(bytes, piece)) __builtin_trap();
    return 0;
}
