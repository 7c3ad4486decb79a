#include "core/word_map/registry.hpp"

#include "core/word_map/file_format.hpp"
#include "core/word_map/node.hpp"

namespace lomperi::word_map {
namespace {

constexpr int kAddressBits = 40;
constexpr std::uint64_t kAddressMask = (std::uint64_t{1} << kAddressBits) - 1;

std::uint64_t fingerprint(std::uint64_t hash) { return hash >> kAddressBits << kAddressBits; }

NodeArea written_area(Bytes written) { return {written, kHeaderSize, written.size(), kLatestVersion, {}}; }

bool same_node(const BuilderNode& node, const NodeArea& area, std::uint64_t address) {
    Node stored;
    if (!stored.read(area, address) || stored.is_final() != node.is_final) return false;
    if (stored.final_output() != node.final_output || stored.size() != node.transitions.size()) return false;
    Transition t;
    for (std::uint32_t i = 0; i < stored.size(); ++i) {
        const Transition& want = node.transitions[i];
        if (!stored.transition(area, i, t)) return false;
        if (t.input != want.input || t.output != want.output || t.target != want.target) return false;
    }
    return true;
}

// Only called for nodes this builder wrote, which always read back.
std::uint64_t hash_written(const NodeArea& area, std::uint64_t address) {
    Node stored;
    stored.read(area, address);
    NodeHash hash(stored.is_final(), stored.final_output());
    Transition t;
    for (std::uint32_t i = 0; i < stored.size(); ++i) {
        stored.transition(area, i, t);
        hash.add(t);
    }
    return hash.value();
}

}  // namespace

std::optional<std::uint64_t> NodeRegistry::find(const BuilderNode& node, std::uint64_t hash, Bytes written) const {
    if (slots_.empty()) return std::nullopt;
    NodeArea area = written_area(written);
    std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        std::uint64_t slot = slots_[i];
        if (slot == 0) return std::nullopt;
        std::uint64_t address = slot & kAddressMask;
        if (fingerprint(slot) == fingerprint(hash) && same_node(node, area, address)) return address;
    }
}

void NodeRegistry::insert(std::uint64_t hash, std::uint64_t address, Bytes written) {
    // Nodes beyond the 40-bit range are simply not shared.
    if (address > kAddressMask || address == 0) return;
    if (2 * (size_ + 1) > slots_.size()) grow(written);
    place(hash, address);
    ++size_;
}

void NodeRegistry::place(std::uint64_t hash, std::uint64_t address) {
    std::size_t mask = slots_.size() - 1;
    std::size_t i = hash & mask;
    while (slots_[i] != 0) i = (i + 1) & mask;
    slots_[i] = fingerprint(hash) | address;
}

void NodeRegistry::grow(Bytes written) {
    std::vector<std::uint64_t> old = std::move(slots_);
    slots_.assign(old.empty() ? 1024 : old.size() * 2, 0);
    NodeArea area = written_area(written);
    for (std::uint64_t slot : old) {
        if (slot != 0) place(hash_written(area, slot & kAddressMask), slot & kAddressMask);
    }
}

}  // namespace lomperi::word_map
