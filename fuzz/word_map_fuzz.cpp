// The word map reader over arbitrary bytes: opening, exact lookups, streams
// and prefix streams never read outside the bytes and always end.
#include <cstddef>
#include <cstdint>

#include "core/word_map/word_map.hpp"

using lomperi::Bytes;
using lomperi::word_map::WordMap;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes bytes(data, size);
    const auto map = WordMap::open(bytes);
    if (!map) return 0;
    std::size_t pulled = 0;
    auto stream = map->stream();
    while (pulled < 4096 && stream.next()) ++pulled;
    // Keys of one to three bytes taken from the file itself, as lookups and prefixes.
    for (std::size_t at = 0; at + 3 <= size && at < 48; at += 3) {
        const Bytes key = bytes.subspan(at, 1 + data[at] % 3);
        (void)map->get(key);
        auto prefix = map->prefix_stream(key);
        for (int k = 0; k < 100 && prefix.next(); ++k) {
        }
    }
    return 0;
}
