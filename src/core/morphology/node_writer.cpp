#include "core/morphology/node_writer.hpp"

#include <algorithm>

#include "core/morphology/word_map_format.hpp"
#include "base/bytes.hpp"

namespace lomperi::morphology {
namespace {

// Deltas count down from the node's lowest offset; 0 is the empty final node.
std::uint64_t delta_to(std::uint64_t node_start, std::uint64_t target) {
    return target == wmf::kEmptyAddress ? 0 : node_start - target;
}

std::uint8_t pack_sizes(std::uint8_t address_width, std::uint8_t output_width) {
    return static_cast<std::uint8_t>(address_width << 4 | output_width);
}

void write_one_next(std::vector<std::uint8_t>& out, std::uint8_t input) {
    std::uint8_t code = wmf::common_code(input);
    if (code == 0) out.push_back(input);
    out.push_back(wmf::kOneTransNext | code);
}

void write_one(std::vector<std::uint8_t>& out, const BuilderTransition& t) {
    std::uint64_t start = out.size();
    std::uint8_t output_width = t.output == 0 ? 0 : wmf::pack_size(t.output);
    append_uint(out, t.output, output_width);
    std::uint64_t delta = delta_to(start, t.target);
    std::uint8_t address_width = wmf::pack_size(delta);
    append_uint(out, delta, address_width);
    out.push_back(pack_sizes(address_width, output_width));
    std::uint8_t code = wmf::common_code(t.input);
    if (code == 0) out.push_back(t.input);
    out.push_back(wmf::kOneTrans | code);
}

void write_any(std::vector<std::uint8_t>& out, const BuilderNode& node) {
    std::uint64_t start = out.size();
    const auto& ts = node.transitions;
    std::uint8_t address_width = 0;
    std::uint8_t output_width = wmf::pack_size(node.final_output);
    bool any_outputs = node.final_output != 0;
    for (const BuilderTransition& t : ts) {
        address_width = std::max(address_width, wmf::pack_size(delta_to(start, t.target)));
        output_width = std::max(output_width, wmf::pack_size(t.output));
        any_outputs = any_outputs || t.output != 0;
    }
    if (!any_outputs) output_width = 0;

    // Transition 0 ends up nearest the state byte, so each array is written last first.
    if (any_outputs && node.is_final) append_uint(out, node.final_output, output_width);
    if (any_outputs) {
        for (auto t = ts.rbegin(); t != ts.rend(); ++t) append_uint(out, t->output, output_width);
    }
    for (auto t = ts.rbegin(); t != ts.rend(); ++t) {
        append_uint(out, delta_to(start, t->target), address_width);
    }
    for (auto t = ts.rbegin(); t != ts.rend(); ++t) out.push_back(t->input);
    auto count = static_cast<std::uint32_t>(ts.size());
    if (wmf::has_index(wmf::kLatestVersion, count)) {
        std::size_t index = out.size();
        out.resize(index + wmf::kIndexSize, 0xff);
        for (std::uint32_t i = 0; i < count; ++i) out[index + ts[i].input] = static_cast<std::uint8_t>(i);
    }
    out.push_back(pack_sizes(address_width, output_width));
    std::uint8_t state = node.is_final ? wmf::kFinalFlag : 0;
    if (count >= 1 && count <= wmf::kLowBits) {
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
    const BuilderTransition& t = node.transitions.front();
    if (t.target == last_address && t.output == 0) {
        write_one_next(out, t.input);
        return;
    }
    write_one(out, t);
}

}  // namespace lomperi::morphology
