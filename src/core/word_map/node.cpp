#include "core/word_map/node.hpp"

#include <algorithm>

namespace lomperi::word_map {

bool Node::read_one_next(const NodeArea& area, std::uint8_t state) {
    kind_ = Kind::OneNext;
    count_ = 1;
    final_ = false;
    final_output_ = 0;
    const std::uint8_t code = state & kLowBits;
    const std::uint64_t size = code == 0 ? 2 : 1;
    if (!fits(area, size)) return false;
    one_input_ = code == 0 ? area.data[address_ - 1] : common_input(code);
    lowest_ = address_ + 1 - size;
    return true;
}

bool Node::read_one(const NodeArea& area, std::uint8_t state) {
    kind_ = Kind::One;
    count_ = 1;
    final_ = false;
    final_output_ = 0;
    const std::uint8_t code = state & kLowBits;
    const std::uint64_t input_size = code == 0 ? 1 : 0;
    if (!fits(area, 2 + input_size)) return false;
    one_input_ = code == 0 ? area.data[address_ - 1] : common_input(code);
    const std::uint8_t sizes = area.data[address_ - 1 - input_size];
    address_width_ = sizes >> 4;
    output_width_ = sizes & 0x0f;
    if (address_width_ > 8 || output_width_ > 8) return false;
    const std::uint64_t size = 2 + input_size + address_width_ + output_width_;
    if (!fits(area, size)) return false;
    deltas_top_ = address_ - 1 - input_size;
    outputs_top_ = deltas_top_ - address_width_;
    lowest_ = address_ + 1 - size;
    return true;
}

bool Node::read_any(const NodeArea& area, std::uint8_t state) {
    kind_ = Kind::Any;
    final_ = (state & kFinalFlag) != 0;
    final_output_ = 0;
    count_ = state & kLowBits;
    std::uint64_t count_size = 0;
    if (count_ == 0) {
        if (!fits(area, 2)) return false;
        count_ = area.data[address_ - 1];
        if (count_ == 1) count_ = 256;
        count_size = 1;
    }
    if (!fits(area, 2 + count_size)) return false;
    const std::uint8_t sizes = area.data[address_ - 1 - count_size];
    address_width_ = sizes >> 4;
    output_width_ = sizes & 0x0f;
    if (address_width_ > 8 || output_width_ > 8) return false;
    indexed_ = has_index(area.version, count_);
    const std::uint64_t index_size = indexed_ ? kIndexSize : 0;
    const std::uint64_t n = count_;
    const std::uint64_t size =
        2 + count_size + index_size + n * (1 + address_width_ + output_width_) + (final_ ? output_width_ : 0);
    if (!fits(area, size)) return false;
    const std::uint64_t sizes_at = address_ - 1 - count_size;
    index_low_ = sizes_at - index_size;
    inputs_top_ = index_low_ - 1;
    deltas_top_ = index_low_ - n;
    outputs_top_ = deltas_top_ - n * address_width_;
    lowest_ = address_ + 1 - size;
    if (final_ && output_width_ > 0) final_output_ = area.uint_at(outputs_top_ - (n + 1) * output_width_, output_width_);
    return true;
}

namespace {

// Deltas count down from the node's lowest offset; 0 is the empty final node.
std::uint64_t delta_to(std::uint64_t node_start, std::uint64_t target) {
    return target == kEmptyAddress ? 0 : node_start - target;
}

std::uint8_t pack_sizes(std::uint8_t address_width, std::uint8_t output_width) {
    return static_cast<std::uint8_t>(address_width << 4 | output_width);
}

void write_one_next(std::vector<std::uint8_t>& out, std::uint8_t input) {
    const std::uint8_t code = common_code(input);
    if (code == 0) out.push_back(input);
    out.push_back(kOneTransNext | code);
}

void write_one(std::vector<std::uint8_t>& out, const Transition& t) {
    const std::uint64_t start = out.size();
    const std::uint8_t output_width = t.output == 0 ? 0 : pack_size(t.output);
    append_uint(out, t.output, output_width);
    const std::uint64_t delta = delta_to(start, t.target);
    const std::uint8_t address_width = pack_size(delta);
    append_uint(out, delta, address_width);
    out.push_back(pack_sizes(address_width, output_width));
    const std::uint8_t code = common_code(t.input);
    if (code == 0) out.push_back(t.input);
    out.push_back(kOneTrans | code);
}

void write_any(std::vector<std::uint8_t>& out, const BuilderNode& node) {
    const std::uint64_t start = out.size();
    const auto& ts = node.transitions;
    std::uint8_t address_width = 0;
    std::uint8_t output_width = pack_size(node.final_output);
    bool any_outputs = node.final_output != 0;
    for (const Transition& t : ts) {
        address_width = std::max(address_width, pack_size(delta_to(start, t.target)));
        output_width = std::max(output_width, pack_size(t.output));
        any_outputs = any_outputs || t.output != 0;
    }
    if (!any_outputs) output_width = 0;

    // Transition 0 ends up nearest the state byte, so each array is written last first.
    if (any_outputs && node.is_final) append_uint(out, node.final_output, output_width);
    if (any_outputs) {
        for (auto t = ts.rbegin(); t != ts.rend(); ++t) append_uint(out, t->output, output_width);
    }
    for (auto t = ts.rbegin(); t != ts.rend(); ++t) append_uint(out, delta_to(start, t->target), address_width);
    for (auto t = ts.rbegin(); t != ts.rend(); ++t) out.push_back(t->input);
    const auto count = static_cast<std::uint32_t>(ts.size());
    if (has_index(kLatestVersion, count)) {
        const std::size_t index = out.size();
        out.resize(index + kIndexSize, 0xff);
        for (std::uint32_t i = 0; i < count; ++i) out[index + ts[i].input] = static_cast<std::uint8_t>(i);
    }
    out.push_back(pack_sizes(address_width, output_width));
    std::uint8_t state = node.is_final ? kFinalFlag : 0;
    if (count >= 1 && count <= kLowBits) {
        state |= static_cast<std::uint8_t>(count);
    } else {
        out.push_back(static_cast<std::uint8_t>(count == 256 ? 1 : count));
    }
    out.push_back(state);
}

}  // namespace

void write_node(std::vector<std::uint8_t>& out, const BuilderNode& node, std::uint64_t last_address) {
    if (node.transitions.size() != 1 || node.is_final) {
        write_any(out, node);
        return;
    }
    const Transition& t = node.transitions.front();
    if (t.target == last_address && t.output == 0) {
        write_one_next(out, t.input);
        return;
    }
    write_one(out, t);
}

}  // namespace lomperi::word_map
