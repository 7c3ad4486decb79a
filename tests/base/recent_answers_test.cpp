#include "base/recent_answers.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

namespace lomperi {
namespace {

// Whatever falls into which slot, a key is answered with the last answer
// kept for it by the same owner, or not at all: never with another key's
// or another owner's.
TEST(RecentAnswers, AKeyIsAnsweredByItsOwnLastAnswerOrNotAtAll) {
    RecentAnswers<int, 4> recent;  // few slots: keys push each other out
    struct Row {
        std::uint64_t owner;
        std::string key;
        int value;
    };
    const Row rows[] = {{1, "talo", 1}, {2, "talo", 2}, {1, "talot", 3}, {1, "talo", 4}, {3, "", 5},
                        {1, "kissa", 6}, {2, "kissa", 7}, {1, "koira", 8}, {2, "talo", 9}};
    std::map<std::pair<std::uint64_t, std::string>, int> last;
    for (const auto& row : rows) {
        recent.keep(row.owner, row.key, row.value);
        last[{row.owner, row.key}] = row.value;
        ASSERT_NE(recent.find(row.owner, row.key), nullptr) << row.key << " just kept";
        EXPECT_EQ(*recent.find(row.owner, row.key), row.value);
        for (const auto& [asked, value] : last) {
            const int* found = recent.find(asked.first, asked.second);
            if (found != nullptr) {
                EXPECT_EQ(*found, value) << asked.first << " " << asked.second;
            }
        }
    }
    RecentAnswers<int, 1024> roomy;
    for (const auto& row : rows) roomy.keep(row.owner, row.key, row.value);
    for (const auto& [asked, value] : last) {
        ASSERT_NE(roomy.find(asked.first, asked.second), nullptr) << asked.second;
        EXPECT_EQ(*roomy.find(asked.first, asked.second), value) << asked.second;
    }
}

// Owner 0 is no owner, and a long key is not kept.
TEST(RecentAnswers, KeepsNothingWithoutAnOwnerOrForALongKey) {
    RecentAnswers<int, 16> recent;
    const std::string longest(RecentAnswers<int, 16>::kLongestKey, 'a');
    const std::string longer = longest + "a";
    recent.keep(0, "talo", 1);
    recent.keep(1, longer, 2);
    recent.keep(1, longest, 3);
    EXPECT_EQ(recent.find(0, "talo"), nullptr);
    EXPECT_EQ(recent.find(1, longer), nullptr);
    ASSERT_NE(recent.find(1, longest), nullptr);
    EXPECT_EQ(*recent.find(1, longest), 3);
}

}  // namespace
}  // namespace lomperi
