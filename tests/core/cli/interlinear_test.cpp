#include "core/cli/interlinear.hpp"

#include <gtest/gtest.h>

#include <map>

namespace lomperi::cli {
namespace {

TEST(Interlinear, LabelsBecomeShortGlosses) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"he, she", "3sg"},      {"we", "1pl"},         {"in (plural)", "in.plural"},
        {"would, I", "would.1sg"}, {"un- -ed", "un.ed"}, {"I wonder, you know", "I.wonder"},
        {"(command), you", "command.2sg"},
    };
    for (const auto& [label, gloss] : cases) EXPECT_EQ(gloss_label(label), gloss) << label;
}

TEST(Interlinear, ColumnsAlignAndRunsWrapAtTheWidth) {
    const std::map<std::string, InterlinearWord, std::less<>> words = {
        {"Talossamme", {"talo-ssa-mme", "house-in-our"}}, {"on", {"o-n", "be-3sg"}}, {"kissa", {"kissa", "cat"}}};
    const auto word_of = [&](std::string_view word) { return words.find(word)->second; };
    EXPECT_EQ(interlinear_lines("Talossamme on kissa.", 80, word_of),
              "Talossamme    on      kissa.\n"
              "talo-ssa-mme  o-n     kissa\n"
              "house-in-our  be-3sg  cat\n\n");
    EXPECT_EQ(interlinear_lines("Talossamme on \x1b kissa.", 20, word_of),
              "Talossamme    on\n"
              "talo-ssa-mme  o-n\n"
              "house-in-our  be-3sg\n\n"
              "\xEF\xBF\xBD  kissa.\n"
              "   kissa\n"
              "   cat\n\n");
    EXPECT_EQ(interlinear_lines("", 20, word_of), "\n");
}

}  // namespace
}  // namespace lomperi::cli
