#pragma once
// A node of a word map under construction, before it is written.
#include <cstdint>
#include <vector>

namespace lomperi::morphology {

struct BuilderTransition {
    std::uint8_t input = 0;
    std::uint64_t output = 0;
    std::uint64_t target = 0;
};

struct BuilderNode {
    bool is_final = false;
    std::uint64_t final_output = 0;
    std::vector<BuilderTransition> transitions;  // ascending input bytes
};

// Hash of a node's contents, fed field by field so that written nodes read
// back from the output hash the same as the node they came from.
class NodeHash {
public:
    NodeHash(bool is_final, std::uint64_t final_output) {
        add(is_final ? 1 : 0);
        add(final_output);
    }
    void add(const BuilderTransition& t) {
        add(t.input);
        add(t.output);
        add(t.target);
    }
    std::uint64_t value() const {
        std::uint64_t h = state_;
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdull;
        h ^= h >> 33;
        h *= 0xc4ceb9fe1a85ec53ull;
        return h ^ (h >> 33);
    }

private:
    void add(std::uint64_t v) {
        state_ = (state_ ^ v) * 0x9e3779b97f4a7c15ull;
        state_ ^= state_ >> 29;
    }
    std::uint64_t state_ = 0x2545f4914f6cdd1dull;
};

inline std::uint64_t hash_node(const BuilderNode& node) {
    NodeHash hash(node.is_final, node.final_output);
    for (const BuilderTransition& t : node.transitions) hash.add(t);
    return hash.value();
}

}  // namespace lomperi::morphology
