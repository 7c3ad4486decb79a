#include "core/cli/commands.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/cli/text_io.hpp"

#include "support/analysed_data.hpp"
#include "support/kehu_data.hpp"

namespace lomperi::cli {
namespace {

TEST(Commands, LookUpPrintsTheEntryLinesAndReportsMisses) {
    std::string out, errors;
    const int status = look_up(testing::make_kehu_dictionary().dict, {"kehun", "zzz", "kehuja"}, {60, false}, out, errors);
    EXPECT_EQ(status, kSomeNotFound);
    EXPECT_EQ(errors, "zzz: (no matches)\n");
    EXPECT_TRUE(out.starts_with("kehun\n\n(noun)\n- genitive singular of kehu\n  ~> kehu (noun)\n")) << out;
    EXPECT_NE(out.find("\n--\nkehuja\n\n(noun)\n- partitive plural of kehu\n"), std::string::npos) << out;
    EXPECT_EQ(out.find('\x1b'), std::string::npos) << "no styles";
    std::string styled, none;
    look_up(testing::make_kehu_dictionary().dict, {"kehun"}, {60, true}, styled, none);
    EXPECT_TRUE(styled.starts_with("\x1b[0;1;36mkehun\x1b[0m\n")) << styled;
}

// --table: the tables of a word the analyser reads, "--" between words; a
// word without one named on standard error.
TEST(Commands, TablesArePrintedPerWordAndMissesReported) {
    const auto t = testing::fresh_analysed_dictionary();
    std::string out, errors;
    EXPECT_EQ(print_tables(t.dict, {"kissa", "zzz", "talo"}, false, {60, false}, out, errors), kSomeNotFound);
    EXPECT_EQ(errors, "zzz: (no inflection table)\n");
    EXPECT_TRUE(out.starts_with("kissa (noun)\n\ncases")) << out;
    EXPECT_NE(out.find("\n--\ntalo (noun)\n"), std::string::npos) << out;
    std::string json, none;
    EXPECT_EQ(print_tables(t.dict, {"kissa"}, true, {60, false}, json, none), kAllFound);
    EXPECT_TRUE(json.starts_with(R"({"word":"kissa","lemma":"kissa","class":"noun","cells":[{"form":"kissa","case":"nominative","number":"singular"})")) << json;
    EXPECT_TRUE(json.ends_with("}\n"));
    EXPECT_EQ(std::count(json.begin(), json.end(), '\n'), 1) << "one line per table";
}

TEST(Commands, GlossGivesOneLinePerWord) {
    const auto t = testing::make_kehu_dictionary();
    std::string out;
    bool all_found = false;
    ASSERT_TRUE(gloss_text(t.dict, "\u201cKehun\u201d kehua, zzz\u2026 \n\t(kehui).", out, all_found));
    // An entry that only names the form a word is tells the named word's meaning.
    EXPECT_EQ(out,
              "Kehun\tkehun\tpraise, commendation (favorable representation in words)\t\n"
              "kehua\tkehua\tto praise, tout, acclaim, commend\t\n"
              "zzz\t\t\t\n"
              "kehui\tkehui\tto praise, tout, acclaim, commend\t\n");
    EXPECT_FALSE(all_found);
    const auto invalid = gloss_text(t.dict, "kehu\xff", out, all_found);
    ASSERT_FALSE(invalid);
    EXPECT_EQ(invalid.error().report(),
              "invalid UTF-8 in the text\n\nCaused by:\n    invalid utf-8 sequence of 1 bytes from index 4");
}

// Lines come one at a time, each bounded: memory does not grow with a line.
TEST(LineReader, LinesAreBoundedAndAByteOrderMarkIsNoWord) {
    const auto path = std::filesystem::temp_directory_path() / "lomperi-line-reader-test";
    {
        std::ofstream file(path, std::ios::binary);
        file << "\xEF\xBB\xBF" << "eka\n" << std::string(kMaxLineBytes + 10, 'x') << "\n\ntoka";
    }
    auto reader = LineReader::open(path.string());
    ASSERT_TRUE(reader.has_value());
    std::vector<std::pair<std::size_t, bool>> lines;  // length, cut
    std::string first;
    while (auto line = reader->next()) {
        if (!*line) break;
        if (first.empty()) first = std::string(**line);
        lines.emplace_back((*line)->size(), reader->was_cut());
    }
    std::filesystem::remove(path);
    EXPECT_EQ(first, "eka");
    const std::vector<std::pair<std::size_t, bool>> expected = {{3, false}, {kMaxLineBytes, true}, {0, false}, {4, false}};
    EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace lomperi::cli
