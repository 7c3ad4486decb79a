#include "core/morphology/node_registry.hpp"

#include "core/morphology/word_map_format.hpp"
#include "core/morphology/word_map_node.hpp"

namespace lomperi::morphology {
namespace {

constexpr int kAddressBits = 40;
constexpr std::uint64_t kAddressMask = (std::uint64_t{1} << kAddressBits) - 1;

std::uint64_t fingerprint(std::uint64_t hash) { return hash >> kAddressBits << kAddressBits; }

NodeArea written_area(Bytes written) { return {written, wmf::kHeaderSize, written.size(), wmf::kLatestVersion}; }

bool same_node(const BuilderNode& node, const NodeArea& area, std::uint64_t address) {
    auto stored = WordMapNode::read(area, address);
    if (!stored || stored->is_final() != node.is_final || stored->final_output() != node.final_output) return false;
    if (stored->size() != node.transitions.size()) return false;
    for (std::uint32_t i = 0; i < stored->size(); ++i) {
        auto t = stored->transition(area, i);
        const BuilderTransition& want = node.transitions[i];
        if (!t || t->input != want.input || t->output != want.output || t->target != want.target) return false;
    }
    return true;
}

std::uint64_t hash_written(const NodeArea& area, std::uint64_t address) {
    auto stored = WordMapNode::read(area, address);
    NodeHash hash(stored->is_final(), stored->final_output());
    for (std::uint32_t i = 0; i < stored->size(); ++i) {
        auto t = stored->transition(area, i);
        hash.add(BuilderTransition{t->input, t->output, t->target});
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

}  // namespace lomperi::morphology
