#include "vfst.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>

namespace lomperi::data_build {
namespace {

constexpr std::size_t kMaxDepth = 200;
constexpr std::size_t kMaxLimits = 8;

}  // namespace

namespace {

struct Frame {
    std::vector<format::VfstTransition> transitions;  // reused: frames keep their capacity
    std::size_t next = 0;
    std::size_t input_size = 0;
    std::size_t output_size = 0;
    std::array<std::uint8_t, kMaxLimits> counted{};
};

using format::apply_flag;

// For each symbol, the number of the limit its tag counts towards, or -1.
std::vector<int> limit_of_symbol(const Vfst& vfst, const std::vector<TagLimit>& limits) {
    std::vector<int> limit(vfst.symbol_count(), -1);
    for (std::size_t s = 0; s < vfst.symbol_count(); ++s) {
        for (std::size_t k = 0; k < limits.size() && k < kMaxLimits; ++k) {
            if (std::ranges::find(limits[k].tags, vfst.symbol(static_cast<std::uint16_t>(s))) != limits[k].tags.end()) {
                limit[s] = static_cast<int>(k);
            }
        }
    }
    return limit;
}

}  // namespace

void walk_paths(const Vfst& vfst, const PathPolicy& policy,
                const std::function<void(std::string_view form, std::string_view analysis)>& emit) {
    const std::vector<int> limit = limit_of_symbol(vfst, policy.limits);
    std::vector<bool> letter(vfst.symbol_count(), false);
    for (std::size_t s = 0; s < vfst.symbol_count(); ++s) {
        const std::string_view text = vfst.symbol(static_cast<std::uint16_t>(s));
        letter[s] = !text.empty() && !text.starts_with('[') && !vfst.is_flag(static_cast<std::uint16_t>(s)) &&
                    policy.letters.find(text) != std::string::npos;
    }
    const std::size_t features = vfst.feature_count();
    std::vector<std::uint16_t> flags(features * (kMaxDepth + 1), 0);
    std::string input;
    std::string output;
    std::vector<Frame> frames(kMaxDepth + 2);
    std::size_t depth_used = 1;
    vfst.transitions(0, frames[0].transitions);
    while (depth_used > 0) {
        Frame& frame = frames[depth_used - 1];
        if (frame.next >= frame.transitions.size()) {
            --depth_used;
            continue;
        }
        const format::VfstTransition t = frame.transitions[frame.next++];
        input.resize(frame.input_size);
        output.resize(frame.output_size);
        if (t.input == Vfst::kFinal) {
            emit(input, output);
            continue;
        }
        if (t.input >= vfst.symbol_count() || t.output >= vfst.symbol_count() || depth_used > kMaxDepth) continue;
        auto path_counted = frame.counted;
        if (const int k = limit[t.output]; k >= 0 && ++path_counted[k] > policy.limits[k].max) continue;
        const std::size_t depth = depth_used - 1;
        std::uint16_t* values = flags.data() + (depth + 1) * features;
        std::copy_n(flags.data() + depth * features, features, values);
        if (vfst.is_flag(t.input)) {
            if (!apply_flag(vfst.flag(t.input), values)) continue;
        } else if (t.input != 0) {
            if (!letter[t.input]) continue;
            input += vfst.symbol(t.input);
            if (input.size() > policy.max_input_bytes) continue;
        }
        if (t.output != 0 && !vfst.is_flag(t.output)) output += vfst.symbol(t.output);
        Frame& child = frames[depth_used++];
        vfst.transitions(t.target, child.transitions);
        child.next = 0;
        child.input_size = input.size();
        child.output_size = output.size();
        child.counted = path_counted;
    }
}

}  // namespace lomperi::data_build
