#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "core/morphology/data_set_builder.hpp"
#include "core/morphology/dictionary.hpp"
#include "format/gloss.hpp"
#include "support/test_data.hpp"

namespace lomperi::morphology {
namespace {

using testing::TestForm;
using testing::TestHeadword;
using testing::make_test_dictionary;

std::vector<std::string> bases_of(const Dictionary& dict, std::string_view form) {
    const auto value = dict.inflections.get(form);
    if (!value) return {"<absent>"};
    const auto target = static_cast<std::uint32_t>(*value);
    std::vector<std::uint32_t> ids = {target};
    if (target & kMultiFlag) ids = *dict.multi.base_ids(target & ~kMultiFlag);
    std::vector<std::string> bases;
    for (const auto id : ids) bases.push_back(std::string(dict.headwords.at(id).value_or("<bad id>")));
    return bases;
}

TEST(DataSetBuilder, BaseIdsAreRanksInByteOrder) {
    const auto t = make_test_dictionary(
        {{"ä", {{"noun", {"x"}}}}, {"b", {{"noun", {"x"}}}}, {"B", {{"noun", {"x"}}}}, {"a", {{"noun", {"x"}}}},
         {"ab", {{"noun", {"x"}}}}, {"z", {{"noun", {"x"}}}}},
        {{"ää", {"ä"}}, {"bb", {"b"}}, {"BB", {"B"}}});
    EXPECT_EQ(std::vector<std::string>(t.dict.headwords.begin(), t.dict.headwords.end()),
              (std::vector<std::string>{"B", "a", "ab", "b", "z", "ä"}));
    EXPECT_EQ(t.dict.headwords.size(), t.dict.glosses.len());
    EXPECT_EQ(t.dict.inflections.get("BB"), 0u);
    EXPECT_EQ(t.dict.inflections.get("bb"), 3u);
    EXPECT_EQ(t.dict.inflections.get("ää"), 5u);
}

TEST(DataSetBuilder, FormsWithSeveralBasesBecomeMultiEntries) {
    const auto t = make_test_dictionary(
        {{"tee", {{"noun", {"tea"}}}}, {"te", {{"pron", {"you"}}}}, {"tie", {{"noun", {"road"}}}},
         {"tehdä", {{"verb", {"to do"}}}}},
        {{"teitä", {"tie", "tee", "te"}}, {"teen", {"tehdä", "tee"}}, {"tien", {"tie", "tie"}}, {"tekee", {"tehdä"}}});
    EXPECT_EQ(t.dict.multi.size(), 2u);
    // Entries are numbered in form order, their ids ascending.
    EXPECT_EQ(t.dict.inflections.get("teen"), kMultiFlag | 0u);
    EXPECT_EQ(t.dict.inflections.get("teitä"), kMultiFlag | 1u);
    EXPECT_EQ(bases_of(t.dict, "teen"), (std::vector<std::string>{"tee", "tehdä"}));
    EXPECT_EQ(bases_of(t.dict, "teitä"), (std::vector<std::string>{"te", "tee", "tie"}));
    EXPECT_EQ(bases_of(t.dict, "tien"), std::vector<std::string>{"tie"});
    EXPECT_EQ(bases_of(t.dict, "tekee"), std::vector<std::string>{"tehdä"});
    EXPECT_EQ(bases_of(t.dict, "tee"), std::vector<std::string>{"<absent>"});  // no implicit self forms
    EXPECT_EQ(t.dict.inflections.len(), 4u);
}

TEST(DataSetBuilder, RecordsLieBackToBackInKeyOrder) {
    const auto data = testing::build_test_data(
        {{"b", {{"verb", {"second"}}}}, {"a", {{"noun", {"first", "again"}}}}, {"c", {}}}, {});
    ASSERT_TRUE(data.has_value());
    const auto dict = load_dictionary(data->files());
    ASSERT_TRUE(dict.has_value());
    // a: 1 + 2 + (2+5) + (2+5) = 17 bytes; b: 1 + 2 + (2+6) = 11; c: 1.
    EXPECT_EQ(dict->glosses.get("a"), 0u);
    EXPECT_EQ(dict->glosses.get("b"), 17u);
    EXPECT_EQ(dict->glosses.get("c"), 28u);
    EXPECT_EQ(dict->gloss_store.plain_size(), 29u);
    // Without an explicit table the names come in first-seen order, walking keys in order.
    EXPECT_EQ(dict->gloss_store.pos_names(), (std::vector<std::string>{"noun", "verb"}));
}

TEST(DataSetBuilder, UsesAnExplicitPosTable) {
    DataSetBuilder builder;
    builder.set_pos_names({"adj", "verb", "noun"});
    builder.add_headword("a", {{"noun", {"x"}}});
    const auto data = builder.build();
    ASSERT_TRUE(data.has_value());
    const auto header = format::parse_gloss_header((*data)[DataFile::glosses_bin]);
    EXPECT_EQ(header->pos_names, (std::vector<std::string_view>{"adj", "verb", "noun"}));
}

TEST(DataSetBuilder, RefusesInconsistentInput) {
    const struct {
        const char* name;
        std::function<void(DataSetBuilder&)> setup;
        std::string message;
    } cases[] = {
        {"form of an unknown base", [](DataSetBuilder& b) { b.add_headword("a", {}); b.add_form("ab", "b"); },
         "form \"ab\" has unknown base \"b\""},
        {"duplicate headword",
         [](DataSetBuilder& b) { b.add_headword("a", {}); b.add_headword("a", {{"noun", {"x"}}}); },
         "duplicate headword \"a\""},
        {"pos missing from the table",
         [](DataSetBuilder& b) { b.set_pos_names({"noun"}); b.add_headword("a", {{"verb", {"x"}}}); },
         "encoding the record of \"a\""},
        {"meaning too long", [](DataSetBuilder& b) { b.add_headword("a", {{"noun", {std::string(70000, 'x')}}}); },
         "encoding the record of \"a\""},
        {"too many bases for one form",
         [](DataSetBuilder& b) {
             for (int i = 0; i < 256; ++i) {
                 b.add_headword("h" + std::to_string(i), {});
                 b.add_form("f", "h" + std::to_string(i));
             }
         },
         "building inflections-multi.bin"},
    };
    for (const auto& c : cases) {
        DataSetBuilder builder;
        builder.set_zstd_level(1);
        c.setup(builder);
        const auto data = builder.build();
        ASSERT_FALSE(data.has_value()) << c.name;
        EXPECT_EQ(data.error().message(), c.message) << c.name;
    }
}

TEST(DataSetBuilder, OutputDependsOnlyOnTheContent) {
    const auto forward = testing::build_test_data(
        {{"kissa", {{"noun", {"cat"}}}}, {"koira", {{"noun", {"dog"}}}}, {"olla", {{"verb", {"to be"}}}}},
        {{"kissan", {"kissa"}}, {"on", {"olla"}}, {"koiran", {"koira"}}});
    const auto backward = testing::build_test_data(
        {{"olla", {{"verb", {"to be"}}}}, {"koira", {{"noun", {"dog"}}}}, {"kissa", {{"noun", {"cat"}}}}},
        {{"koiran", {"koira"}}, {"on", {"olla"}}, {"kissan", {"kissa"}}});
    ASSERT_TRUE(forward.has_value() && backward.has_value());
    EXPECT_EQ((*forward)[DataFile::glosses_fst], (*backward)[DataFile::glosses_fst]);
    EXPECT_EQ((*forward)[DataFile::glosses_bin], (*backward)[DataFile::glosses_bin]);
    EXPECT_EQ((*forward)[DataFile::inflections_fst], (*backward)[DataFile::inflections_fst]);
    EXPECT_EQ((*forward)[DataFile::inflections_multi_bin], (*backward)[DataFile::inflections_multi_bin]);
}

std::vector<std::uint8_t> read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(DataSet, WritesItsFourFiles) {
    const auto data = testing::build_test_data({{"kissa", {{"noun", {"cat"}}}}}, {{"kissan", {"kissa"}}});
    const auto dir = std::filesystem::temp_directory_path() / ("lomperi-data-set-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    ASSERT_TRUE(data->write_to(dir / "nested").has_value());
    EXPECT_EQ(read_file(dir / "nested" / "glosses.fst"), (*data)[DataFile::glosses_fst]);
    EXPECT_EQ(read_file(dir / "nested" / "glosses.bin"), (*data)[DataFile::glosses_bin]);
    EXPECT_EQ(read_file(dir / "nested" / "inflections.fst"), (*data)[DataFile::inflections_fst]);
    EXPECT_EQ(read_file(dir / "nested" / "inflections-multi.bin"), (*data)[DataFile::inflections_multi_bin]);

    std::ofstream(dir / "plain-file") << "x";
    const auto written = data->write_to(dir / "plain-file");
    ASSERT_FALSE(written.has_value());
    EXPECT_TRUE(written.error().message().starts_with("cannot create ")) << written.error().message();
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace lomperi::morphology
