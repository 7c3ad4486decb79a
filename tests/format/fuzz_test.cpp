// Random and mutated inputs for the format parsers: none may read outside its
// input (the sanitizer build checks that), and what they accept must hold up.
#include <gtest/gtest.h>

#include <random>

#include "format/gloss.hpp"
#include "format/gloss_writer.hpp"
#include "format/multi_index.hpp"
#include "format/multi_writer.hpp"
#include "bytes_helpers.hpp"

namespace lomperi::format {
namespace {

using test::Buffer;

constexpr int kRounds = 60'000;
const std::vector<std::string> kNames = {"noun", "verb", "adj"};

class Mutator {
public:
    explicit Mutator(std::uint32_t seed) : random_(seed) {}

    Buffer random_bytes(std::size_t max_length) {
        Buffer out(below(max_length + 1));
        for (auto& byte : out) byte = static_cast<std::uint8_t>(below(256));
        return out;
    }

    // A few byte flips, cuts, insertions or small numbers at random places.
    Buffer mutate(Buffer bytes) {
        const std::size_t edits = 1 + below(4);
        for (std::size_t e = 0; e < edits; ++e) {
            switch (below(5)) {
                case 0: if (!bytes.empty()) bytes[below(bytes.size())] ^= static_cast<std::uint8_t>(1u << below(8)); break;
                case 1: if (!bytes.empty()) bytes[below(bytes.size())] = static_cast<std::uint8_t>(below(256)); break;
                case 2: bytes.resize(below(bytes.size() + 1)); break;
                case 3: bytes.insert(bytes.begin() + static_cast<long>(below(bytes.size() + 1)), static_cast<std::uint8_t>(below(256))); break;
                default: if (!bytes.empty()) bytes[below(bytes.size())] = static_cast<std::uint8_t>(below(4)); break;
            }
        }
        return bytes;
    }

    std::size_t below(std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_); }

private:
    std::mt19937 random_;
};

bool inside(Bytes part, const Buffer& whole) {
    return part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size();
}

Buffer sample_glosses_bin() {
    const auto body = encode_gloss_record(GlossRecord{{{"noun", {"house", "home"}}, {"verb", {"to dwell"}}}}, kNames);
    return *write_glosses_bin(kNames, *body, 3);
}

Buffer sample_record() {
    return *encode_gloss_record(GlossRecord{{{"adj", {"good", "kind"}}, {"noun", {"a good thing", "ä"}}}}, kNames);
}

Buffer sample_multi_bin() {
    const std::vector<std::vector<std::uint32_t>> entries = {{1, 2}, {}, {3, 4, 5}, {0xFFFFFFFF}};
    return *write_multi_bin(entries);
}

void check_header(const Buffer& input) {
    const auto header = parse_gloss_header(input);
    if (!header) return;
    EXPECT_TRUE(inside(header->compressed, input));
    for (const auto name : header->pos_names) EXPECT_TRUE(inside(as_bytes(name), input));
}

void check_record(const Buffer& input) {
    const auto record = parse_gloss_record(input, kNames);
    if (!record) return;
    for (const auto& group : record->groups) {
        EXPECT_NE(std::find(kNames.begin(), kNames.end(), group.pos), kNames.end());
    }
}

void check_multi(const Buffer& input, Mutator& mutator) {
    const auto index = MultiIndex::parse(input);
    if (!index) return;
    EXPECT_TRUE(inside(index->body, input));
    for (std::uint32_t k = 0; k < index->size(); ++k) EXPECT_TRUE(index->base_ids(k).has_value());
    EXPECT_FALSE(index->base_ids(static_cast<std::uint32_t>(index->size() + mutator.below(1000))).has_value());
}

TEST(FormatFuzz, RandomBytes) {
    Mutator mutator(20240601);
    for (int round = 0; round < kRounds; ++round) {
        const Buffer input = mutator.random_bytes(48);
        check_header(input);
        check_record(input);
        check_multi(input, mutator);
    }
}

TEST(FormatFuzz, MutatedValidFiles) {
    Mutator mutator(7);
    const Buffer glosses = sample_glosses_bin();
    const Buffer record = sample_record();
    const Buffer multi = sample_multi_bin();
    for (int round = 0; round < kRounds; ++round) {
        check_header(mutator.mutate(glosses));
        check_record(mutator.mutate(record));
        check_multi(mutator.mutate(multi), mutator);
    }
}

TEST(FormatFuzz, RecordsFromEveryOffsetOfABody) {
    Buffer body;
    for (const auto& record : {GlossRecord{{{"noun", {"cat"}}}}, GlossRecord{}, GlossRecord{{{"verb", {"to be", ""}}}}})
        (void)append_gloss_record(body, record, kNames);
    for (std::size_t offset = 0; offset <= body.size(); ++offset) {
        const Buffer rest(body.begin() + static_cast<long>(offset), body.end());
        check_record(rest);
    }
}

}  // namespace
}  // namespace lomperi::format
