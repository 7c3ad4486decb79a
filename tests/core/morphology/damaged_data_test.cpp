// Bytes flipped anywhere in a data set with checksums: each look-up gives
// what the undamaged set gives, or nothing; never another word.
#include <gtest/gtest.h>

#include <fmt/format.h>

#include <random>

#include "core/morphology/dictionary.hpp"
#include "core/morphology/inflection_lookup.hpp"
#include "support/test_data.hpp"

namespace lomperi::morphology {
namespace {

struct Answers {
    std::vector<std::optional<format::GlossRecord>> records;
    std::vector<std::vector<std::string>> bases;
    std::vector<std::vector<std::string>> english;
};

const std::vector<std::string>& words() {
    static const std::vector<std::string> all = [] {
        std::vector<std::string> out;
        for (int k = 0; k < 120; ++k) out.push_back(fmt::format("sana{:03}", k));
        return out;
    }();
    return all;
}

std::string form_of(std::size_t k) { return words()[k] + "ssa"; }

// Small chunks, so that one flip spoils a small part of a file.
DataSet checked_data_set() {
    std::vector<testing::TestHeadword> headwords;
    std::vector<testing::TestForm> forms;
    std::vector<testing::TestEnglishKey> english;
    for (std::size_t k = 0; k < words().size(); ++k) {
        headwords.push_back({words()[k], {{"noun", {fmt::format("thing number {}", k), "another sense"}}}});
        // Every third form belongs to two words: multi entries.
        std::vector<std::string> bases{words()[k]};
        if (k % 3 == 0 && k + 1 < words().size()) bases.push_back(words()[k + 1]);
        forms.push_back({form_of(k), bases});
        english.push_back({fmt::format("thing {}", k), {{words()[k], 0}}});
    }
    auto builder = testing::test_builder(headwords, forms, english);
    builder.set_frame_size(256);
    builder.set_chunk_shift(6);
    return std::move(*builder.build());
}

// The headwords an English key's postings name.
std::vector<std::string> english_headwords(const Dictionary& dict, const std::string& key) {
    std::vector<std::string> out;
    const auto offset = dict.english->words.get(key);
    if (!offset) return out;
    const auto postings = dict.english->postings.at(*offset);
    if (!postings) return out;
    for (const auto& posting : *postings) {
        const auto headword = dict.headwords.at(posting.base_id);
        if (!headword) return {};
        out.emplace_back(*headword);
    }
    return out;
}

Answers answers(const Dictionary& dict) {
    Answers out;
    for (std::size_t k = 0; k < words().size(); ++k) {
        out.records.push_back(dict.gloss_record(words()[k]));
        std::vector<std::string> bases;
        for (const auto base : bases_of(dict, form_of(k))) bases.emplace_back(base);
        out.bases.push_back(std::move(bases));
        out.english.push_back(english_headwords(dict, fmt::format("thing {}", k)));
    }
    return out;
}

// What damaged bytes may give: the same, or nothing.
template <class T>
bool same_or_nothing(const T& damaged, const T& intact) {
    if constexpr (requires { damaged.has_value(); }) {
        return !damaged || damaged == intact;
    } else {
        return damaged.empty() || damaged == intact;
    }
}

TEST(DamagedData, AFlippedByteGivesTheSameAnswerOrNone) {
    const DataSet data = checked_data_set();
    const auto intact = load_dictionary(data.files());
    ASSERT_TRUE(intact.has_value()) << intact.error().report();
    const Answers expected = answers(*intact);
    ASSERT_TRUE(expected.records.front().has_value());
    ASSERT_EQ(expected.bases.front().size(), 2u);
    ASSERT_EQ(expected.english.front().size(), 1u);

    std::mt19937 random(7);
    std::size_t files = 0;
    for (const auto& info : kDataFileTable) {
        SCOPED_TRACE(info.name);
        if (data[info.file].empty()) continue;
        ++files;
        std::size_t refused = 0, changed = 0;
        for (int flip = 0; flip < 200; ++flip) {
            DataSet damaged = data;
            auto& bytes = damaged[info.file];
            const auto at = std::uniform_int_distribution<std::size_t>(0, bytes.size() - 1)(random);
            bytes[at] ^= static_cast<std::uint8_t>(std::uniform_int_distribution<int>(1, 255)(random));
            const auto dict = load_dictionary(damaged.files());
            if (!dict) {
                ++refused;
                continue;
            }
            const Answers got = answers(*dict);
            for (std::size_t k = 0; k < words().size(); ++k) {
                const bool same = same_or_nothing(got.records[k], expected.records[k]) &&
                                  same_or_nothing(got.bases[k], expected.bases[k]) &&
                                  same_or_nothing(got.english[k], expected.english[k]);
                if (!same) ++changed;
                EXPECT_TRUE(same) << "byte " << at << " of " << info.name << " changed the answers for " << words()[k];
            }
        }
        EXPECT_EQ(changed, 0u);
    }
    EXPECT_GE(files, 9u) << "the word maps, the gloss store, the tables, the English side and the checksums";
}

}  // namespace
}  // namespace lomperi::morphology
