#include "format/vfst.hpp"

#include <cstring>
#include <map>
#include <optional>
#include <string>

#include "base/utf8.hpp"

namespace lomperi::format {
namespace {

constexpr std::uint32_t kCookie1 = 0x00013A6E;
constexpr std::uint32_t kCookie2 = 0x000351FA;
constexpr std::size_t kHeaderSize = 16;

using Names = std::map<std::string, std::uint16_t, std::less<>>;

std::uint16_t number_of(Names& names, std::string_view name) {
    return names.try_emplace(std::string(name), static_cast<std::uint16_t>(names.size())).first->second;
}

// "@P.FEATURE.VALUE@", "@R.FEATURE@" (any value), "@C.FEATURE@".
VfstFlag parse_flag(std::string_view symbol, Names& features, Names& values) {
    VfstFlag flag;
    if (symbol.size() <= 4) return flag;
    switch (symbol[1]) {
        case 'P': flag.op = VfstFlag::Set; break;
        case 'C': flag.op = VfstFlag::Clear; break;
        case 'U': flag.op = VfstFlag::Unify; break;
        case 'R': flag.op = VfstFlag::Require; break;
        case 'D': flag.op = VfstFlag::Disallow; break;
        default: return flag;
    }
    const std::string_view body = symbol.substr(3, symbol.size() - 4);
    const std::size_t dot = body.find('.');
    flag.feature = number_of(features, body.substr(0, dot));
    flag.value = dot == std::string_view::npos ? VfstFlag::kAny : number_of(values, body.substr(dot + 1));
    return flag;
}

}  // namespace

bool apply_flag(const VfstFlag& flag, std::uint16_t* values) {
    std::uint16_t& current = values[flag.feature];
    switch (flag.op) {
        case VfstFlag::Set: current = flag.value; return true;
        case VfstFlag::Clear: current = VfstFlag::kNeutral; return true;
        case VfstFlag::Unify:
            if (current != VfstFlag::kNeutral) return current == flag.value;
            current = flag.value;
            return true;
        case VfstFlag::Require:
            if (flag.value == VfstFlag::kAny) return current != VfstFlag::kNeutral;
            return current == flag.value;
        case VfstFlag::Disallow:
            if (flag.value == VfstFlag::kAny) return current == VfstFlag::kNeutral;
            return current != flag.value;
        case VfstFlag::None: return false;
    }
    return false;
}

Result<Vfst> Vfst::parse(Bytes file) {
    if (file.size() < kHeaderSize + 2) return fail("vfst: truncated header");
    if (read_u32(file, 0) != kCookie1 || read_u32(file, 4) != kCookie2) return fail("vfst: not a little-endian transducer");
    Vfst vfst;
    const std::size_t count = read_u16(file, kHeaderSize);
    std::size_t at = kHeaderSize + 2;
    Names features;
    Names values{{"", VfstFlag::kNeutral}, {"@", VfstFlag::kAny}};
    bool in_tags = false;
    for (std::size_t i = 0; i < count; ++i) {
        if (at >= file.size()) return fail("vfst: truncated symbol table");
        const auto* end = static_cast<const std::uint8_t*>(std::memchr(file.data() + at, 0, file.size() - at));
        if (end == nullptr) return fail("vfst: truncated symbol table");
        const std::string_view symbol(reinterpret_cast<const char*>(file.data() + at),
                                      static_cast<std::size_t>(end - (file.data() + at)));
        at += symbol.size() + 1;
        const bool flag = vfst.first_normal_ == 0 && i > 0 && symbol.starts_with('@');
        if (vfst.first_normal_ == 0 && i > 0 && !flag) vfst.first_normal_ = static_cast<std::uint16_t>(i);
        vfst.flags_.push_back(flag ? parse_flag(symbol, features, values) : VfstFlag{});
        vfst.symbols_.push_back(symbol);
        if (vfst.first_normal_ == 0 || i == 0) continue;
        // The input alphabet: the single characters before the first tag.
        in_tags = in_tags || symbol.starts_with('[');
        if (in_tags || symbol.empty()) continue;
        const Utf8Step step = decode_utf8(symbol);
        if (step.status != Utf8Step::Ok) continue;
        vfst.input_symbols_.emplace(step.code_point, static_cast<std::uint16_t>(i));
        if (step.code_point < vfst.latin1_symbols_.size() && vfst.latin1_symbols_[step.code_point] == 0) {
            vfst.latin1_symbols_[step.code_point] = static_cast<std::uint16_t>(i);
        }
    }
    if (vfst.first_normal_ == 0) vfst.first_normal_ = static_cast<std::uint16_t>(count);
    vfst.feature_count_ = features.size();
    at += (kCellSize - at % kCellSize) % kCellSize;
    if (at > file.size()) return fail("vfst: truncated transitions");
    vfst.cells_ = file.subspan(at, (file.size() - at) / kCellSize * kCellSize);
    return vfst;
}

// The overflow cell after the first holds the count, less one.
std::uint32_t Vfst::overflow_count(std::uint32_t state) const {
    const std::uint64_t cells = cell_count();
    if (std::uint64_t{state} + 1 >= cells) return 0;
    const std::uint64_t total = std::uint64_t{read_u32(cells_, std::size_t{state + 1} * kCellSize)} + 1;
    return std::uint64_t{state} + total + 1 <= cells ? static_cast<std::uint32_t>(total) : 0;
}

void Vfst::transitions(std::uint32_t state, std::vector<VfstTransition>& out) const {
    out.clear();
    const std::uint32_t count = transition_count(state);
    out.reserve(count);
    for (std::uint32_t k = 0; k < count; ++k) out.push_back(transition(state, k));
}

}  // namespace lomperi::format
