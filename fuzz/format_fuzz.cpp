// The gloss store and multi-index parsers over arbitrary bytes: every fault
// is an error value, never a read outside the input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "format/gloss.hpp"
#include "format/multi_index.hpp"

using lomperi::Bytes;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::string> kNames = {"noun", "verb", "adj"};
    const Bytes bytes(data, size);
    (void)lomperi::format::parse_gloss_header(bytes);
    for (std::size_t at = 0; at < size && at < 64; ++at) (void)lomperi::format::parse_gloss_record(bytes.subspan(at), kNames);
    if (const auto multi = lomperi::format::MultiIndex::parse(bytes)) {
        for (std::uint32_t k = 0; k <= multi->size() && k < 1024; ++k) (void)multi->base_ids(k);
    }
    return 0;
}
