#include "vfst.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>

namespace lomperi::data_build {
namespace {

constexpr std::uint32_t kCookie1 = 0x00013A6E;
constexpr std::uint32_t kCookie2 = 0x000351FA;
constexpr std::size_t kHeaderSize = 16;
constexpr std::size_t kCellSize = 8;
constexpr std::size_t kMaxDepth = 200;
constexpr std::size_t kMaxLimits = 8;

Vfst::Flag parse_flag(std::string_view symbol, std::map<std::string, std::uint16_t, std::less<>>& features,
                      std::map<std::string, std::uint16_t, std::less<>>& values) {
    Vfst::Flag flag;
    if (symbol.size() < 4) return flag;
    flag.op = symbol[1];
    const std::string_view body = symbol.substr(3, symbol.size() - 4);
    const std::size_t dot = body.find('.');
    const std::string feature(body.substr(0, dot));
    const std::string value = dot == std::string_view::npos ? std::string("@") : std::string(body.substr(dot + 1));
    flag.feature = features.try_emplace(feature, static_cast<std::uint16_t>(features.size())).first->second;
    flag.value = values.try_emplace(value, static_cast<std::uint16_t>(values.size())).first->second;
    return flag;
}

}  // namespace

Result<Vfst> Vfst::parse(Bytes file) {
    if (file.size() < kHeaderSize + 2) return fail("vfst: truncated header");
    if (read_u32(file, 0) != kCookie1 || read_u32(file, 4) != kCookie2) return fail("vfst: not a little-endian transducer");
    Vfst vfst;
    const std::size_t count = read_u16(file, kHeaderSize);
    std::size_t at = kHeaderSize + 2;
    std::map<std::string, std::uint16_t, std::less<>> features;
    std::map<std::string, std::uint16_t, std::less<>> values{{"", 0}, {"@", 1}};
    for (std::size_t i = 0; i < count; ++i) {
        const auto* end = static_cast<const std::uint8_t*>(std::memchr(file.data() + at, 0, file.size() - at));
        if (end == nullptr) return fail("vfst: truncated symbol table");
        const std::string_view symbol(reinterpret_cast<const char*>(file.data() + at), end - (file.data() + at));
        if (vfst.first_normal_ == 0 && i > 0 && !symbol.starts_with('@')) vfst.first_normal_ = static_cast<std::uint16_t>(i);
        vfst.flags_.push_back(vfst.first_normal_ == 0 && i > 0 ? parse_flag(symbol, features, values) : Flag{});
        vfst.symbols_.push_back(symbol);
        at += symbol.size() + 1;
    }
    if (vfst.first_normal_ == 0) vfst.first_normal_ = static_cast<std::uint16_t>(count);
    vfst.feature_count_ = features.size();
    at += (kCellSize - at % kCellSize) % kCellSize;
    if (at > file.size()) return fail("vfst: truncated transitions");
    vfst.transitions_ = file.subspan(at, (file.size() - at) / kCellSize * kCellSize);
    return vfst;
}

Vfst::Transition Vfst::cell(std::uint32_t index) const {
    const std::size_t at = std::size_t{index} * kCellSize;
    const std::uint32_t info = read_u32(transitions_, at + 4);
    return {read_u16(transitions_, at), read_u16(transitions_, at + 2), info & 0xFFFFFF};
}

void Vfst::transitions(std::uint32_t state, std::vector<Transition>& out) const {
    out.clear();
    const std::size_t cells = transition_count();
    if (state >= cells) return;
    std::uint32_t more = read_u32(transitions_, std::size_t{state} * kCellSize + 4) >> 24;
    std::uint32_t skip = 0;  // the overflow cell that holds a large count
    if (more == 255) {
        if (state + 1 >= cells) return;
        more = read_u32(transitions_, std::size_t{state + 1} * kCellSize) + 1;
        skip = 1;
    }
    if (std::size_t{state} + more + 1 > cells) return;
    for (std::uint32_t k = 0; k <= more; ++k) {
        if (skip && k == 1) continue;
        out.push_back(cell(state + k));
    }
}

namespace {

struct Frame {
    std::vector<Vfst::Transition> transitions;  // reused: frames keep their capacity
    std::size_t next = 0;
    std::size_t input_size = 0;
    std::size_t output_size = 0;
    std::array<std::uint8_t, kMaxLimits> counted{};
};

// Applies the flag diacritic to the path's feature values; false when it blocks.
bool apply_flag(const Vfst::Flag& flag, std::uint16_t* values) {
    std::uint16_t& current = values[flag.feature];
    switch (flag.op) {
        case 'P': current = flag.value; return true;
        case 'C': current = 0; return true;
        case 'U':
            if (current != 0) return current == flag.value;
            current = flag.value;
            return true;
        case 'R':
            if (flag.value == 1) return current != 0;
            return current == flag.value;
        case 'D':
            if (flag.value == 1) return current == 0;
            return current != flag.value;
        default: return false;
    }
}

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
        const Vfst::Transition t = frame.transitions[frame.next++];
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
