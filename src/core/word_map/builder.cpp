#include "core/word_map/builder.hpp"

#include <fmt/format.h>

#include <algorithm>

#include "base/crc32c.hpp"
#include "core/word_map/node.hpp"
#include "core/word_map/file_format.hpp"
#include "base/bytes.hpp"

namespace lomperi::word_map {
namespace {

// No written node ever ends here, so the first node cannot use the
// "node written just before" kind by accident.
constexpr std::uint64_t kNoAddress = 1;

bool ascending(Bytes previous, Bytes key) {
    return std::lexicographical_compare(previous.begin(), previous.end(), key.begin(), key.end());
}

}  // namespace

WordMapBuilder::WordMapBuilder() : last_address_(kNoAddress) {
    append_u64(out_, kLatestVersion);
    append_u64(out_, 0);  // map type
    push_unfinished();  // the root
}

Result<void> WordMapBuilder::insert(Bytes key, std::uint64_t value) {
    if (key.size() > kMaxKeyLength) return fail("word map key too long");
    if (has_key_ && !ascending(last_key_, key)) {
        return fail(fmt::format("word map keys not in strictly ascending order: {:?} after {:?}", as_text(key),
                                as_text(last_key_)));
    }
    has_key_ = true;
    last_key_.assign(key.begin(), key.end());
    ++len_;
    if (key.empty()) {
        stack_[0].node.is_final = true;
        stack_[0].node.final_output = value;
        return {};
    }
    std::uint64_t output = value;
    std::size_t shared = shared_prefix_and_move_outputs(key, output);
    compile_from(shared);
    add_suffix(key.subspan(shared), output);
    return {};
}

// Walks the path the key shares with the previous key, leaving on each shared
// transition only the part of its output that the new key also needs and
// pushing the rest one node further down.
std::size_t WordMapBuilder::shared_prefix_and_move_outputs(Bytes key, std::uint64_t& output) {
    std::size_t i = 0;
    while (i < key.size()) {
        Unfinished& unfinished = stack_[i];
        if (!unfinished.has_last || unfinished.last_input != key[i]) break;
        ++i;
        std::uint64_t common = std::min(unfinished.last_output, output);
        std::uint64_t rest = unfinished.last_output - common;
        output -= common;
        unfinished.last_output = common;
        if (rest != 0) add_output_prefix(stack_[i], rest);
    }
    return i;
}

void WordMapBuilder::add_output_prefix(Unfinished& unfinished, std::uint64_t prefix) {
    if (unfinished.node.is_final) unfinished.node.final_output += prefix;
    for (Transition& t : unfinished.node.transitions) t.output += prefix;
    if (unfinished.has_last) unfinished.last_output += prefix;
}

// Writes every unfinished node deeper than depth; they can no longer change.
void WordMapBuilder::compile_from(std::size_t depth) {
    std::optional<std::uint64_t> address;
    while (depth + 1 < depth_) {
        Unfinished& top = stack_[depth_ - 1];
        if (address) freeze_last(top, *address);
        address = compile(top.node);
        --depth_;
    }
    if (address) freeze_last(stack_[depth_ - 1], *address);
}

// The transition towards the newest key gets its target, now written at `address`.
void WordMapBuilder::freeze_last(Unfinished& unfinished, std::uint64_t address) {
    if (!unfinished.has_last) return;
    unfinished.node.transitions.push_back({unfinished.last_input, unfinished.last_output, address});
    unfinished.has_last = false;
}

void WordMapBuilder::add_suffix(Bytes suffix, std::uint64_t output) {
    Unfinished& top = stack_[depth_ - 1];
    top.has_last = true;
    top.last_input = suffix[0];
    top.last_output = output;
    for (std::size_t i = 1; i < suffix.size(); ++i) {
        Unfinished& next = push_unfinished();
        next.has_last = true;
        next.last_input = suffix[i];
    }
    push_unfinished().node.is_final = true;
}

WordMapBuilder::Unfinished& WordMapBuilder::push_unfinished() {
    if (depth_ == stack_.size()) stack_.emplace_back();
    Unfinished& slot = stack_[depth_++];
    slot.node.is_final = false;
    slot.node.final_output = 0;
    slot.node.transitions.clear();
    slot.has_last = false;
    slot.last_input = 0;
    slot.last_output = 0;
    return slot;
}

std::uint64_t WordMapBuilder::compile(const BuilderNode& node) {
    if (node.is_final && node.transitions.empty() && node.final_output == 0) return kEmptyAddress;
    std::uint64_t hash = hash_node(node);
    if (auto found = registry_.find(node, hash, out_)) return *found;
    write_node(out_, node, last_address_);
    last_address_ = out_.size() - 1;
    registry_.insert(hash, last_address_, out_);
    return last_address_;
}

Result<std::vector<std::uint8_t>> WordMapBuilder::finish() && {
    compile_from(0);
    std::uint64_t root = compile(stack_[0].node);
    append_u64(out_, len_);
    append_u64(out_, root);
    std::uint32_t checksum = masked_crc32c(out_);
    append_u32(out_, checksum);
    return std::move(out_);
}

Result<std::vector<std::uint8_t>> build_word_map(const std::vector<std::pair<std::string, std::uint64_t>>& sorted_pairs) {
    WordMapBuilder builder;
    for (const auto& [key, value] : sorted_pairs) {
        if (auto inserted = builder.insert(key, value); !inserted) return forward(inserted);
    }
    return std::move(builder).finish();
}

}  // namespace lomperi::word_map
