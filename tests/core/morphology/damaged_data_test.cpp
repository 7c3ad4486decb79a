// Bytes flipped anywhere in a data set with checksums: each read and each
// answer gives what the undamaged set gives, or nothing; never another word,
// and an answer lost to damage says so.
#include <gtest/gtest.h>

#include <fmt/format.h>

#include <random>
#include <stdexcept>

#include "core/morphology/dictionary.hpp"
#include "core/morphology/english_search.hpp"
#include "core/answer/entry_choice.hpp"
#include "core/morphology/headword_search.hpp"
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

// What `lomperi WORD` and `--english WORD` answer: the headword shown and
// its first meaning, or the Finnish words and meanings, in order.
struct Answer {
    std::vector<std::string> items;
    bool told = false;  // the look-up said it met damaged data
};

Answer finnish_answer(const Dictionary& dict, std::string_view query) {
    Answer answer;
    const auto choice = lomperi::answer::choose_entry(dict, query);
    answer.told = choice.damaged;
    if (const auto& record = choice.record) answer.items = {*choice.headword, format::first_meaning(*record).value_or("")};
    return answer;
}

Answer english_answer(const Dictionary& dict, std::string_view query) {
    Answer answer;
    const DamageWatch watch;
    for (const auto& match : english_translations(dict, query, kListLimit)) {
        answer.items.push_back(match.headword);
        answer.items.push_back(match.meaning);
    }
    answer.told = watch.met();
    return answer;
}

// Words as typed, forms, and what the fallbacks answer: a capital (read
// lower-cased), a word that is no key (the first headword that begins
// with it), an English word that is no key (the prefix search).
struct Queries {
    std::vector<std::string> finnish;
    std::vector<std::string> english;
};

Queries queries() {
    Queries out;
    for (std::size_t k = 0; k < words().size(); k += 3) {
        out.finnish.push_back(words()[k]);
        out.finnish.push_back(form_of(k));
        out.finnish.push_back("S" + words()[k].substr(1));
        out.english.push_back(fmt::format("thing {}", k));
    }
    for (int k = 0; k < 12; ++k) out.finnish.push_back(fmt::format("sana{:02}", k));
    for (const char* prefix : {"thin", "thing 1", "thing 2", "thing 11"}) out.english.push_back(prefix);
    return out;
}

struct FlipCounts {
    std::size_t another_word = 0;   // an answer that is not the intact one's, nor none
    std::size_t untold = 0;         // an answer lost without a word of damage
    std::size_t told = 0;
};

// Every file of the set, `flips` single bytes each, every query compared with the intact answer.
FlipCounts flip_and_compare(int flips) {
    const DataSet data = checked_data_set();
    const auto intact = load_dictionary(data.files());
    if (!intact) throw std::runtime_error(intact.error().report());
    const Queries asked = queries();
    std::vector<Answer> finnish, english;
    for (const auto& query : asked.finnish) finnish.push_back(finnish_answer(*intact, query));
    for (const auto& query : asked.english) english.push_back(english_answer(*intact, query));
    // A Finnish word that only begins headwords has no answer; an English one is looked up as a beginning.
    if (english.back().items.empty()) throw std::runtime_error("the fallbacks answer nothing");

    FlipCounts counts;
    const auto count = [&](const Answer& got, const Answer& expected, const std::string& query, const char* file, std::size_t at) {
        if (got.items == expected.items) return;
        if (!got.items.empty()) {
            ++counts.another_word;
            ADD_FAILURE() << "byte " << at << " of " << file << ": " << query << " answered " << got.items.front()
                          << ", not " << (expected.items.empty() ? "(nothing)" : expected.items.front());
            return;
        }
        ++(got.told ? counts.told : counts.untold);
    };
    std::mt19937 random(11);
    for (const auto& info : kDataFileTable) {
        if (data[info.file].empty()) continue;
        for (int flip = 0; flip < flips; ++flip) {
            DataSet damaged = data;
            auto& bytes = damaged[info.file];
            const auto at = std::uniform_int_distribution<std::size_t>(0, bytes.size() - 1)(random);
            bytes[at] ^= static_cast<std::uint8_t>(std::uniform_int_distribution<int>(1, 255)(random));
            const auto dict = load_dictionary(damaged.files());
            if (!dict) continue;
            // Each query twice: what is kept of the first look-up answers the
            // second as the bytes would, damage told again.
            for (std::size_t k = 0; k < asked.finnish.size(); ++k) {
                const Answer first = finnish_answer(*dict, asked.finnish[k]);
                const Answer again = finnish_answer(*dict, asked.finnish[k]);
                EXPECT_EQ(again.items, first.items) << "byte " << at << " of " << info.name << ": " << asked.finnish[k];
                EXPECT_EQ(again.told, first.told) << "byte " << at << " of " << info.name << ": " << asked.finnish[k];
                count(first, finnish[k], asked.finnish[k], info.name.data(), at);
            }
            for (std::size_t k = 0; k < asked.english.size(); ++k) {
                const Answer first = english_answer(*dict, asked.english[k]);
                const Answer again = english_answer(*dict, asked.english[k]);
                EXPECT_EQ(again.items, first.items) << "byte " << at << " of " << info.name << ": --english " << asked.english[k];
                EXPECT_EQ(again.told, first.told) << "byte " << at << " of " << info.name << ": --english " << asked.english[k];
                count(first, english[k], "--english " + asked.english[k], info.name.data(), at);
            }
        }
    }
    return counts;
}

TEST(DamagedData, NoFallbackAnswersWithANeighbourOfWhatCouldNotBeRead) {
    const FlipCounts counts = flip_and_compare(60);
    EXPECT_EQ(counts.another_word, 0u);
    EXPECT_EQ(counts.untold, 0u) << "each answer lost to damage says so";
    EXPECT_GT(counts.told, 0u);
}

}  // namespace
}  // namespace lomperi::morphology
