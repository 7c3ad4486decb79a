#pragma once
// Helpers for the word map tests: draining streams and assembling map files
// node by node, for node forms the builder never writes.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/word_map/word_map.hpp"

namespace lomperi::word_map::testing_support {

using Pairs = std::vector<std::pair<std::string, std::uint64_t>>;

inline Pairs drain(WordMapStream stream) {
    Pairs out;
    while (auto entry = stream.next()) out.emplace_back(std::string(as_text(entry->key)), entry->value);
    return out;
}

struct RawTransition {
    std::uint8_t input;
    std::uint64_t output;
    std::uint64_t target;  // an address; 0 is the empty final node
};

// Writes nodes with chosen widths and forms; each call returns the address.
class RawMap {
public:
    explicit RawMap(std::uint64_t version) : version_(version) {
        put(version, 8);
        put(0, 8);
    }

    std::uint64_t general(const std::vector<RawTransition>& ts, bool is_final, std::uint64_t final_output,
                          std::uint8_t address_width, std::uint8_t output_width, bool count_byte = false) {
        std::uint64_t start = bytes_.size();
        if (is_final) put(final_output, output_width);
        for (auto t = ts.rbegin(); t != ts.rend(); ++t) put(t->output, output_width);
        for (auto t = ts.rbegin(); t != ts.rend(); ++t) put(delta(start, t->target), address_width);
        for (auto t = ts.rbegin(); t != ts.rend(); ++t) bytes_.push_back(t->input);
        if (version_ >= 2 && ts.size() > 32) {
            std::size_t index = bytes_.size();
            bytes_.resize(index + 256, 0xff);
            for (std::size_t i = 0; i < ts.size(); ++i) bytes_[index + ts[i].input] = static_cast<std::uint8_t>(i);
        }
        bytes_.push_back(static_cast<std::uint8_t>(address_width << 4 | output_width));
        std::uint8_t state = is_final ? 0x40 : 0;
        if (count_byte || ts.empty() || ts.size() > 63) {
            bytes_.push_back(static_cast<std::uint8_t>(ts.size() == 256 ? 1 : ts.size()));
        } else {
            state |= static_cast<std::uint8_t>(ts.size());
        }
        bytes_.push_back(state);
        return bytes_.size() - 1;
    }

    // code 0 stores the input in its own byte.
    std::uint64_t one(RawTransition t, std::uint8_t code, std::uint8_t address_width, std::uint8_t output_width) {
        std::uint64_t start = bytes_.size();
        put(t.output, output_width);
        put(delta(start, t.target), address_width);
        bytes_.push_back(static_cast<std::uint8_t>(address_width << 4 | output_width));
        if (code == 0) bytes_.push_back(t.input);
        bytes_.push_back(0x80 | code);
        return bytes_.size() - 1;
    }

    // One transition to the node written just before.
    std::uint64_t next(std::uint8_t input, std::uint8_t code) {
        if (code == 0) bytes_.push_back(input);
        bytes_.push_back(0xc0 | code);
        return bytes_.size() - 1;
    }

    std::vector<std::uint8_t>& bytes() { return bytes_; }

    std::vector<std::uint8_t> finish(std::uint64_t len, std::uint64_t root, std::uint32_t checksum = 0) {
        std::vector<std::uint8_t> out = bytes_;
        put_into(out, len, 8);
        put_into(out, root, 8);
        if (version_ >= 3) put_into(out, checksum, 4);
        return out;
    }

private:
    static std::uint64_t delta(std::uint64_t start, std::uint64_t target) { return target == 0 ? 0 : start - target; }
    static void put_into(std::vector<std::uint8_t>& out, std::uint64_t value, std::uint8_t width) {
        for (std::uint8_t i = 0; i < width; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    void put(std::uint64_t value, std::uint8_t width) { put_into(bytes_, value, width); }

    std::uint64_t version_;
    std::vector<std::uint8_t> bytes_;
};

}  // namespace lomperi::word_map::testing_support
