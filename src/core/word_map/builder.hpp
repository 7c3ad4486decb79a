#pragma once
// Builds word map files (version 3) from keys given in strictly ascending
// byte order. Equal suffixes are shared, so the result is the minimal
// automaton for the keys and their values.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/word_map/node.hpp"
#include "core/word_map/registry.hpp"
#include "base/bytes.hpp"
#include "base/error.hpp"

namespace lomperi::word_map {

class WordMapBuilder {
public:
    WordMapBuilder();

    // Fails, leaving the builder unchanged, when key does not sort strictly
    // after the previous key or is longer than the readers walk.
    Result<void> insert(Bytes key, std::uint64_t value);
    Result<void> insert(std::string_view key, std::uint64_t value) { return insert(as_bytes(key), value); }

    std::uint64_t len() const { return len_; }

    // The complete file: header, nodes, key count, root address, checksum.
    Result<std::vector<std::uint8_t>> finish() &&;

private:
    struct Unfinished {
        BuilderNode node;
        bool has_last = false;  // the transition towards the newest key, target not yet known
        std::uint8_t last_input = 0;
        std::uint64_t last_output = 0;
    };

    std::size_t shared_prefix_and_move_outputs(Bytes key, std::uint64_t& output);
    void add_output_prefix(Unfinished& unfinished, std::uint64_t prefix);
    void compile_from(std::size_t depth);
    static void freeze_last(Unfinished& unfinished, std::uint64_t address);
    void add_suffix(Bytes suffix, std::uint64_t output);
    Unfinished& push_unfinished();
    std::uint64_t compile(const BuilderNode& node);

    std::vector<std::uint8_t> out_;
    NodeRegistry registry_;
    std::vector<Unfinished> stack_;  // slots past depth_ keep their capacity for reuse
    std::size_t depth_ = 0;
    std::vector<std::uint8_t> last_key_;
    bool has_key_ = false;
    std::uint64_t last_address_;
    std::uint64_t len_ = 0;
};

// The file for pairs already sorted by key bytes, without duplicates.
Result<std::vector<std::uint8_t>> build_word_map(const std::vector<std::pair<std::string, std::uint64_t>>& sorted_pairs);

}  // namespace lomperi::word_map
