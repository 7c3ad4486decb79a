#include "core/morphology/word_map_node.hpp"

#include "core/morphology/word_map_format.hpp"
#include "base/bytes.hpp"

namespace lomperi::morphology {
namespace {

// Whether the node bytes [address + 1 - size, address] lie in the node area.
bool fits(const NodeArea& area, std::uint64_t address, std::uint64_t size) {
    return address + 1 - area.low >= size;
}

}  // namespace

std::optional<WordMapNode> WordMapNode::read(const NodeArea& area, std::uint64_t address) {
    WordMapNode node;
    node.address_ = address;
    if (address == wmf::kEmptyAddress) {
        node.final_ = true;
        return node;
    }
    if (address < area.low || address >= area.high || area.high > area.data.size()) return std::nullopt;
    std::uint8_t state = area.data[address];
    bool ok = false;
    switch (state & wmf::kKindMask) {
        case wmf::kOneTransNext: ok = node.read_one_next(area, state); break;
        case wmf::kOneTrans: ok = node.read_one(area, state); break;
        default: ok = node.read_any(area, state); break;
    }
    if (!ok) return std::nullopt;
    return node;
}

bool WordMapNode::read_one_next(const NodeArea& area, std::uint8_t state) {
    kind_ = Kind::OneNext;
    count_ = 1;
    std::uint8_t code = state & wmf::kLowBits;
    std::uint64_t size = code == 0 ? 2 : 1;
    if (!fits(area, address_, size)) return false;
    one_input_ = code == 0 ? area.data[address_ - 1] : wmf::common_input(code);
    lowest_ = address_ + 1 - size;
    return true;
}

bool WordMapNode::read_one(const NodeArea& area, std::uint8_t state) {
    kind_ = Kind::One;
    count_ = 1;
    std::uint8_t code = state & wmf::kLowBits;
    std::uint64_t input_size = code == 0 ? 1 : 0;
    if (!fits(area, address_, 2 + input_size)) return false;
    one_input_ = code == 0 ? area.data[address_ - 1] : wmf::common_input(code);
    std::uint8_t sizes = area.data[address_ - 1 - input_size];
    address_width_ = sizes >> 4;
    output_width_ = sizes & 0x0f;
    if (address_width_ > 8 || output_width_ > 8) return false;
    std::uint64_t size = 2 + input_size + address_width_ + output_width_;
    if (!fits(area, address_, size)) return false;
    deltas_top_ = address_ - 1 - input_size;
    outputs_top_ = deltas_top_ - address_width_;
    lowest_ = address_ + 1 - size;
    return true;
}

bool WordMapNode::read_any(const NodeArea& area, std::uint8_t state) {
    kind_ = Kind::Any;
    final_ = (state & wmf::kFinalFlag) != 0;
    count_ = state & wmf::kLowBits;
    std::uint64_t count_size = 0;
    if (count_ == 0) {
        if (!fits(area, address_, 2)) return false;
        count_ = area.data[address_ - 1];
        if (count_ == 1) count_ = 256;
        count_size = 1;
    }
    if (!fits(area, address_, 2 + count_size)) return false;
    std::uint8_t sizes = area.data[address_ - 1 - count_size];
    address_width_ = sizes >> 4;
    output_width_ = sizes & 0x0f;
    if (address_width_ > 8 || output_width_ > 8) return false;
    indexed_ = wmf::has_index(area.version, count_);
    std::uint64_t index_size = indexed_ ? wmf::kIndexSize : 0;
    std::uint64_t n = count_;
    std::uint64_t size = 2 + count_size + index_size + n * (1 + address_width_ + output_width_) +
                         (final_ ? output_width_ : 0);
    if (!fits(area, address_, size)) return false;
    std::uint64_t below_sizes = address_ - 1 - count_size;  // offset of the pack-size byte
    index_low_ = below_sizes - index_size;
    inputs_top_ = index_low_ - 1;
    deltas_top_ = index_low_ - n;
    outputs_top_ = deltas_top_ - n * address_width_;
    lowest_ = address_ + 1 - size;
    if (final_ && output_width_ > 0) {
        final_output_ = read_uint(area.data, outputs_top_ - n * output_width_ - output_width_, output_width_);
    }
    return true;
}

std::uint64_t WordMapNode::target_of(std::uint64_t delta) const {
    return delta == 0 ? wmf::kEmptyAddress : lowest_ - delta;
}

std::uint8_t WordMapNode::input(const NodeArea& area, std::uint32_t i) const {
    if (kind_ != Kind::Any) return one_input_;
    return area.data[inputs_top_ - i];
}

std::optional<NodeTransition> WordMapNode::transition(const NodeArea& area, std::uint32_t i) const {
    if (i >= count_) return std::nullopt;
    NodeTransition t;
    t.input = input(area, i);
    if (kind_ == Kind::OneNext) {
        t.target = lowest_ - 1;
        return t;
    }
    std::uint64_t delta =
        read_uint(area.data, deltas_top_ - (i + 1) * std::uint64_t{address_width_}, address_width_);
    // A target at or above this node's lowest byte would let a walk loop.
    if (delta > lowest_) return std::nullopt;
    t.target = target_of(delta);
    if (output_width_ > 0) {
        t.output =
            read_uint(area.data, outputs_top_ - (i + 1) * std::uint64_t{output_width_}, output_width_);
    }
    return t;
}

std::optional<std::uint32_t> WordMapNode::find(const NodeArea& area, std::uint8_t input_byte) const {
    if (kind_ == Kind::Empty) return std::nullopt;
    if (kind_ != Kind::Any) {
        if (one_input_ == input_byte) return 0;
        return std::nullopt;
    }
    if (indexed_) {
        std::uint32_t i = area.data[index_low_ + input_byte];
        if (i >= count_ || input(area, i) != input_byte) return std::nullopt;
        return i;
    }
    for (std::uint32_t i = 0; i < count_; ++i) {
        if (input(area, i) == input_byte) return i;
    }
    return std::nullopt;
}

}  // namespace lomperi::morphology
