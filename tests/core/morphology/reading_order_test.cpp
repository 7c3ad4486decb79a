// Which reading of a word comes first, on a small dictionary with a
// hand-made analyser: each rule of the order with its example words.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/morphology/analysis.hpp"
#include "support/analysed_data.hpp"

namespace lomperi::morphology {
namespace {

using testing::analysed_dictionary;

TEST(ReadingOrder, EachRuleWithItsExampleWords) {
    struct Row {
        std::string word;
        std::string lemma;
        analysis::Tense tense = analysis::Tense::None;
    };
    const std::vector<Row> rows{
        // A present spelt like a past is far more common than the past.
        {"voi", "voida", analysis::Tense::Present},
        {"voit", "voida", analysis::Tense::Present},
        // A plural-only word: its singular has no entry, its plural has.
        {"kasvoissa", "kasvot"},
        {"kasvot", "kasvot"},
        // The singular stays as it is, and a plural without a headword too.
        {"kasvo", "kasvo"},
        {"zorrot", "zorro"},
    };
    const auto& dict = analysed_dictionary().dict;
    for (const auto& row : rows) {
        const auto readings = analyse_afresh(dict, row.word);
        ASSERT_FALSE(readings.empty()) << row.word;
        EXPECT_EQ(readings.front().lemma, row.lemma) << row.word;
        if (row.tense != analysis::Tense::None) {
            EXPECT_EQ(readings.front().form.tense, row.tense) << row.word;
        }
    }
}

}  // namespace
}  // namespace lomperi::morphology
