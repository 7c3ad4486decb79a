// Random and mutated map files must never make the reader touch memory
// outside the bytes, loop, or yield keys out of order. Run under the
// sanitizers to catch stray reads.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/word_map/word_map.hpp"
#include "core/word_map/builder.hpp"

namespace lomperi::word_map {
namespace {

constexpr int kMaxPulls = 2000;

std::vector<std::uint8_t> seed_map(std::mt19937_64& rng, std::vector<std::string>& keys) {
    std::vector<std::pair<std::string, std::uint64_t>> pairs;
    std::uniform_int_distribution<int> length(1, 7);
    std::uniform_int_distribution<int> letter(0, 60);
    std::uniform_int_distribution<std::uint64_t> value(0, 1u << 20);
    std::vector<std::string> fresh;
    for (int i = 0; i < 300; ++i) {
        std::string key(static_cast<std::size_t>(length(rng)), ' ');
        for (char& c : key) c = static_cast<char>('A' + letter(rng));
        fresh.push_back(key);
    }
    std::sort(fresh.begin(), fresh.end());
    fresh.erase(std::unique(fresh.begin(), fresh.end()), fresh.end());
    for (const auto& key : fresh) pairs.emplace_back(key, value(rng));
    keys = fresh;
    return build_word_map(pairs).value();
}

void mutate(std::mt19937_64& rng, std::vector<std::uint8_t>& bytes) {
    std::uniform_int_distribution<int> kind(0, 4);
    std::uniform_int_distribution<std::size_t> at(0, bytes.size() - 1);
    switch (kind(rng)) {
        case 0:
            for (int i = 0; i < 4; ++i) bytes[at(rng)] = static_cast<std::uint8_t>(rng());
            break;
        case 1:
            bytes[at(rng)] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
            break;
        case 2: {  // aim the root anywhere
            std::uint64_t root = rng() % (bytes.size() + 8);
            for (int i = 0; i < 8; ++i) bytes[bytes.size() - 12 + i] = static_cast<std::uint8_t>(root >> (8 * i));
            break;
        }
        case 3:
            bytes.resize(std::max<std::size_t>(at(rng), 30));
            break;
        default:
            bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at(rng)), static_cast<std::uint8_t>(rng()));
            break;
    }
}

std::vector<std::uint8_t> random_file(std::mt19937_64& rng) {
    std::vector<std::uint8_t> bytes(36 + rng() % 400);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
    bytes[0] = static_cast<std::uint8_t>(1 + rng() % 3);
    for (int i = 1; i < 8; ++i) bytes[i] = 0;
    std::uint64_t root = 16 + rng() % (bytes.size() - 16);
    std::size_t footer = bytes.size() - (bytes[0] == 3 ? 20 : 16);
    for (int i = 0; i < 8; ++i) bytes[footer + 8 + i] = static_cast<std::uint8_t>(root >> (8 * i));
    return bytes;
}

// Keys come out strictly ascending and within the prefix. (A damaged index
// may send a lookup of a streamed key down another transition, so values
// are not compared.)
void exercise(const std::vector<std::uint8_t>& bytes, const std::vector<std::string>& probes) {
    auto map = WordMap::open(bytes);
    if (!map) return;
    for (const std::string& prefix : {std::string(), probes[0].substr(0, 1), probes[1]}) {
        WordMapStream stream = map->prefix_stream(prefix);
        std::string previous;
        bool first = true;
        for (int i = 0; i < kMaxPulls; ++i) {
            auto entry = stream.next();
            if (!entry) break;
            std::string key(as_text(entry->key));
            ASSERT_TRUE(key.starts_with(prefix));
            ASSERT_TRUE(first || previous < key);
            map->get(key);
            previous = key;
            first = false;
        }
    }
    for (const std::string& key : probes) map->get(key);
}

TEST(WordMapFuzz, RandomAndMutatedFilesStayInBounds) {
    std::mt19937_64 rng(20240611);
    std::vector<std::string> keys;
    for (int round = 0; round < 40; ++round) {
        std::vector<std::uint8_t> original = seed_map(rng, keys);
        for (int i = 0; i < 150; ++i) {
            std::vector<std::uint8_t> bytes = original;
            int mutations = 1 + static_cast<int>(rng() % 3);
            for (int m = 0; m < mutations; ++m) mutate(rng, bytes);
            exercise(bytes, keys);
            exercise(random_file(rng), keys);
            if (HasFatalFailure()) return;
        }
    }
}

}  // namespace
}  // namespace lomperi::word_map
