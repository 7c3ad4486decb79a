// The analyser's transducer with a damaged chunk: the words whose analysis
// reads the damaged cells are told damaged; every other word is analysed
// as before; none gets another word's entry.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/answer/entry_choice.hpp"
#include "embedded/embedded_data.hpp"

namespace lomperi::morphology {
namespace {

std::vector<std::string> frequent_forms() {
    std::vector<std::string> forms;
    std::ifstream list(LOMPERI_TOP_FORMS);
    for (std::string line; std::getline(list, line);) {
        if (!line.empty() && line.front() != '#') forms.push_back(line.substr(0, line.find('\t')));
    }
    return forms;
}

// The headword shown and its first meaning; empty for none.
std::vector<std::string> answer(const Dictionary& dictionary, const std::string& word, bool& told) {
    const auto choice = answer::choose_entry(dictionary, word);
    told = choice.damaged;
    const auto& record = choice.record;
    if (!record) return {};
    return {*choice.headword, format::first_meaning(*record).value_or("")};
}

TEST(DamagedAnalyser, OnlyTheWordsThatReadTheDamagedCellsAreLost) {
    const auto files = embedded::data_files();
    const auto intact = load_dictionary(files);
    ASSERT_TRUE(intact.has_value()) << intact.error().report();
    const std::vector<std::string> forms = frequent_forms();
    ASSERT_GE(forms.size(), 1000u);
    std::vector<std::vector<std::string>> expected;
    for (const auto& form : forms) {
        bool told = false;
        expected.push_back(answer(*intact, form, told));
        ASSERT_FALSE(told) << form;
    }

    const Bytes transducer = files[DataFile::mor_vfst];
    ASSERT_FALSE(transducer.empty());
    // Eighths of the file: its cells hold states of every depth.
    for (std::size_t eighth = 1; eighth < 8; ++eighth) {
        const std::size_t at = transducer.size() * eighth / 8;
        SCOPED_TRACE("byte " + std::to_string(at) + " of mor.vfst");
        std::vector<std::uint8_t> copy(transducer.begin(), transducer.end());
        copy[at] ^= 0x5A;
        auto damaged_files = files;
        damaged_files[DataFile::mor_vfst] = copy;
        const auto damaged = load_dictionary(damaged_files);
        ASSERT_TRUE(damaged.has_value()) << damaged.error().report();
        std::size_t same = 0, lost = 0;
        for (std::size_t k = 0; k < forms.size(); ++k) {
            bool told = false;
            const auto got = answer(*damaged, forms[k], told);
            if (got == expected[k]) {
                ++same;
                continue;
            }
            EXPECT_TRUE(got.empty()) << forms[k] << " became " << got.front();
            EXPECT_TRUE(told) << forms[k] << " was lost without a word of damage";
            ++lost;
        }
        EXPECT_GT(same, forms.size() * 3 / 4) << lost << " lost";
    }
}

}  // namespace
}  // namespace lomperi::morphology
