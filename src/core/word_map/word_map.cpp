#include "core/word_map/word_map.hpp"

#include <atomic>

#include "base/recent_answers.hpp"

namespace lomperi::word_map {
namespace {

RecentAnswers<std::optional<std::uint64_t>, 1024>& recent_gets() {
    thread_local RecentAnswers<std::optional<std::uint64_t>, 1024> gets;
    return gets;
}

}  // namespace

Result<WordMap> WordMap::open(Bytes bytes, ChunkChecks checks) {
    if (bytes.size() < kMinFileSize) return fail("FST error");
    const std::uint64_t version = read_u64(bytes, 0);
    if (version == 0 || version > kLatestVersion) return fail("FST error");
    const std::size_t footer = bytes.size() - footer_size(version);
    const std::uint64_t root = read_u64(bytes, footer + 8);
    const bool header_and_footer_only = version == 3 && bytes.size() == kMinFileSize;
    if (root == kEmptyAddress && !header_and_footer_only) return fail("FST error");
    if (!checks.intact(0, kHeaderSize) || !checks.intact(footer, bytes.size() - footer)) return fail("FST error");

    WordMap map;
    map.area_ = {bytes, kHeaderSize, footer, version, std::move(checks)};
    map.map_type_ = read_u64(bytes, 8);
    map.len_ = read_u64(bytes, footer);
    map.root_ = root;
    if (version >= 3) map.checksum_ = read_u32(bytes, footer + 16);
    static std::atomic<std::uint64_t> opened{0};
    map.number_ = ++opened;
    return map;
}

bool WordMap::walk(Bytes path, Node& node, std::uint64_t& sum) const {
    if (!has_nodes() || !node.read(area_, root_)) return false;
    sum = 0;
    Transition t;
    for (const std::uint8_t byte : path) {
        const std::uint32_t i = node.find(area_, byte);
        if (i == node.size() || !node.transition(area_, i, t)) return false;
        sum += t.output;
        if (!node.read(area_, t.target)) return false;
    }
    return true;
}

std::optional<std::uint64_t> WordMap::get(Bytes key) const {
    auto& recent = recent_gets();
    if (const auto* kept = recent.find(number_, as_text(key))) return *kept;
    const DamageWatch watch;
    const auto value = walk_to_value(key);
    if (!watch.met()) recent.keep(number_, as_text(key), value);
    return value;
}

std::optional<std::uint64_t> WordMap::walk_to_value(Bytes key) const {
    Node node;
    std::uint64_t sum = 0;
    if (!walk(key, node, sum) || !node.is_final()) return std::nullopt;
    return sum + node.final_output();
}

void WordMap::key_prefixes(Bytes text, std::vector<std::size_t>& lengths) const {
    lengths.clear();
    Node node;
    if (!has_nodes() || !node.read(area_, root_)) return;
    Transition t;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const std::uint32_t i = node.find(area_, text[k]);
        if (i == node.size() || !node.transition(area_, i, t) || !node.read(area_, t.target)) return;
        if (node.is_final()) lengths.push_back(k + 1);
    }
}

WordMapStream WordMap::prefix_stream(Bytes prefix) const {
    if (prefix.size() > kMaxKeyLength) return {};
    Node node;
    std::uint64_t sum = 0;
    if (!walk(prefix, node, sum)) return {};
    return WordMapStream(area_, node, prefix, sum);
}

WordMapStream::WordMapStream(NodeArea area, const Node& start, Bytes prefix, std::uint64_t base)
    : area_(area) {
    // Room for the depth of most words, so that a stream allocates twice
    // and not at every level.
    key_.reserve(prefix.size() + kTypicalDepth);
    key_.assign(prefix.begin(), prefix.end());
    stack_.reserve(kTypicalDepth);
    stack_.push_back({start, base, 0, 0});
    depth_ = 1;
    if (start.is_final()) pending_ = base + start.final_output();
}

std::optional<WordMapEntry> WordMapStream::stop() {
    note_damaged_read();
    depth_ = 0;
    pending_.reset();
    return std::nullopt;
}

// Each pull does bounded work even over damaged bytes: targets always lie
// below their node, depth is capped, inputs must ascend, and a non-final node
// without transitions (which no sound map holds below its root) ends the walk
// as one that met damage.
std::optional<WordMapEntry> WordMapStream::next() {
    if (pending_) {
        const std::uint64_t value = *pending_;
        pending_.reset();
        return entry(value);
    }
    Transition t;
    while (depth_ > 0) {
        Frame& frame = stack_[depth_ - 1];
        if (frame.next >= frame.node.size()) {
            if (frame.node.size() == 0 && !frame.node.is_final() && depth_ > 1) return stop();
            if (--depth_ > 0) key_.pop_back();
            continue;
        }
        const std::uint32_t i = frame.next++;
        if (!frame.node.transition(area_, i, t)) return stop();
        if (i > 0 && frame.last_input >= t.input) return stop();
        frame.last_input = t.input;
        if (key_.size() >= kMaxKeyLength) return stop();
        const std::uint64_t sum = frame.sum + t.output;
        if (depth_ == stack_.size()) stack_.emplace_back();
        Frame& child = stack_[depth_++];
        if (!child.node.read(area_, t.target)) return stop();
        child.sum = sum;
        child.next = 0;
        key_.push_back(t.input);
        if (child.node.is_final()) return entry(sum + child.node.final_output());
    }
    return std::nullopt;
}

}  // namespace lomperi::word_map
