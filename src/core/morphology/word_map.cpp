#include "core/morphology/word_map.hpp"

#include "core/morphology/word_map_format.hpp"
#include "base/bytes.hpp"

namespace lomperi::morphology {
Result<WordMap> WordMap::open(Bytes bytes) {
    if (bytes.size() < wmf::kMinFileSize) return fail("FST error");
    std::uint64_t version = read_u64(bytes, 0);
    if (version == 0 || version > wmf::kLatestVersion) return fail("FST error");
    std::size_t footer = bytes.size() - wmf::footer_size(version);
    std::uint64_t root = read_u64(bytes, footer + 8);
    bool header_and_footer_only = version == 3 && bytes.size() == wmf::kMinFileSize;
    if (root == wmf::kEmptyAddress && !header_and_footer_only) return fail("FST error");

    WordMap map;
    map.area_ = {bytes, wmf::kHeaderSize, footer, version};
    map.map_type_ = read_u64(bytes, 8);
    map.len_ = read_u64(bytes, footer);
    map.root_ = root;
    if (version >= 3) map.checksum_ = read_u32(bytes, footer + 16);
    return map;
}

std::optional<WordMap::Position> WordMap::walk(Bytes path) const {
    auto node = WordMapNode::read(area_, root_);
    std::uint64_t sum = 0;
    for (std::uint8_t byte : path) {
        if (!node) return std::nullopt;
        auto i = node->find(area_, byte);
        if (!i) return std::nullopt;
        auto transition = node->transition(area_, *i);
        if (!transition) return std::nullopt;
        sum += transition->output;
        node = WordMapNode::read(area_, transition->target);
    }
    if (!node) return std::nullopt;
    return Position{*node, sum};
}

std::optional<std::uint64_t> WordMap::get(Bytes key) const {
    auto position = walk(key);
    if (!position || !position->node.is_final()) return std::nullopt;
    return position->sum + position->node.final_output();
}

WordMapStream WordMap::prefix_stream(Bytes prefix) const {
    if (prefix.size() > wmf::kMaxKeyLength) return {};
    auto position = walk(prefix);
    if (!position) return {};
    return WordMapStream(area_, position->node, prefix, position->sum);
}

}  // namespace lomperi::morphology
