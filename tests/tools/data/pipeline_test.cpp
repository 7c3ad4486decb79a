// The data tool's pipeline on small sources, as the tool runs it: the data
// set it writes must load, and what it holds must lead where the sources say.
#include "pipeline.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>

#include "base/file.hpp"
#include "core/morphology/dictionary.hpp"
#include "core/morphology/inflection_lookup.hpp"
#include "fixtures.hpp"
#include "support/test_transducer.hpp"

namespace lomperi::data_build {
namespace {

using morphology::DataFile;

std::vector<DictdRecord> fixture_database(const std::string& name) {
    auto records = read_dictd(testing::fixture_text(name + ".index"), testing::fixture_text(name + ".dict"));
    if (!records) throw std::runtime_error(records.error().report());
    return std::move(*records);
}

// t-a-l-o, final, then an optional n: the paradigm "talo", "talon".
std::vector<std::uint8_t> talo_transducer() {
    const std::vector<std::string> symbols = {"", "t", "a", "l", "o", "n", "[Ln]"};
    return lomperi::testing::transducer(symbols, {
                                            {false, {{0, 6, 1}}},
                                            {false, {{1, 1, 2}}},
                                            {false, {{2, 2, 3}}},
                                            {false, {{3, 3, 4}}},
                                            {false, {{4, 4, 5}}},
                                            {true, {{5, 5, 6}}},
                                            {true, {}},
                                        });
}

Analyzer fixture_analyzer() {
    return [analyses = testing::fixture_analyses()](const std::string& form) {
        const auto found = analyses.find(form);
        return found == analyses.end() ? std::vector<Analysis>{} : found->second;
    };
}

TEST(Pipeline, TheDataSetItWritesLoadsAndLeadsFormsToTheirWords) {
    const auto transducer = talo_transducer();
    Sources sources{fixture_database("fin-eng"), fixture_database("eng-fin"),
                    {"kissakin", "kotitalo", "oli", "TALON", "talossa"},
                    {"oli", "talossa", "ovat"},
                    transducer,
                    {"house", "cat"},
                    {},
                    {"house", "cat"},
                    {{"House", "Talo"}}};
    auto built = build_data_set(std::move(sources), [] { return fixture_analyzer(); }, 2);
    ASSERT_TRUE(built.has_value()) << built.error().report();
    for (const auto& info : morphology::kDataFileTable) {
        EXPECT_FALSE(built->data[info.file].empty()) << info.name << ": the small set has every part";
    }

    const auto dir = std::filesystem::temp_directory_path() / "lomperi-pipeline-test";
    std::filesystem::remove_all(dir);
    ASSERT_TRUE(built->data.write_to(dir).has_value());
    std::array<std::string, morphology::kDataFileCount> bytes;
    morphology::DataFiles files;
    for (const auto& info : morphology::kDataFileTable) {
        bytes[static_cast<std::size_t>(info.file)] = read_file(dir / info.name).value();
        files[info.file] = as_bytes(bytes[static_cast<std::size_t>(info.file)]);
    }
    std::filesystem::remove_all(dir);
    const auto dict = morphology::load_dictionary(files);
    ASSERT_TRUE(dict.has_value()) << dict.error().report();

    const std::vector<std::pair<std::string, std::string>> rows = {
        {"talon", "talo"}, {"talossa", "talo"}, {"oli", "olla"}, {"kissakin", "kissa"}, {"talo", "talo"},
    };
    for (const auto& [form, base] : rows) {
        const auto bases = morphology::bases_of(*dict, form);
        EXPECT_NE(std::ranges::find(bases, base), bases.end()) << form;
    }
    EXPECT_TRUE(dict->gloss_record("talo").has_value());
    EXPECT_TRUE(dict->english.has_value());
    EXPECT_EQ(built->counts.front().first, "headwords (glosses.fst keys)");
    EXPECT_EQ(built->counts.front().second, dict->glosses.len());
}

}  // namespace
}  // namespace lomperi::data_build
