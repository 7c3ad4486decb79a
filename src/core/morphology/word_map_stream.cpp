#include "core/morphology/word_map_stream.hpp"

#include "core/morphology/word_map_format.hpp"

namespace lomperi::morphology {

WordMapStream::WordMapStream(NodeArea area, std::optional<WordMapNode> start, Bytes prefix, std::uint64_t base)
    : area_(area), key_(prefix.begin(), prefix.end()) {
    if (!start) return;
    stack_.reserve(16);
    stack_.push_back({*start, base, 0});
    if (start->is_final()) pending_ = base + start->final_output();
}

std::optional<WordMapEntry> WordMapStream::stop() {
    stack_.clear();
    pending_.reset();
    return std::nullopt;
}

// Each pull does bounded work even over damaged bytes: targets always lie
// below their node, depth is capped, inputs must ascend, and a non-final node
// without transitions (which no sound map holds below its root) ends the walk.
std::optional<WordMapEntry> WordMapStream::next() {
    if (pending_) {
        std::uint64_t value = *pending_;
        pending_.reset();
        return entry(value);
    }
    while (!stack_.empty()) {
        Frame& frame = stack_.back();
        if (frame.next >= frame.node.size()) {
            if (frame.node.size() == 0 && !frame.node.is_final() && stack_.size() > 1) return stop();
            stack_.pop_back();
            if (!stack_.empty()) key_.pop_back();
            continue;
        }
        std::uint32_t i = frame.next++;
        auto transition = frame.node.transition(area_, i);
        if (!transition) return stop();
        if (i > 0 && frame.node.input(area_, i - 1) >= transition->input) return stop();
        auto child = WordMapNode::read(area_, transition->target);
        if (!child || key_.size() >= wmf::kMaxKeyLength) return stop();
        std::uint64_t sum = frame.sum + transition->output;
        key_.push_back(transition->input);
        stack_.push_back({*child, sum, 0});
        if (child->is_final()) return entry(sum + child->final_output());
    }
    return std::nullopt;
}

}  // namespace lomperi::morphology
