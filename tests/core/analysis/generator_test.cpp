// Generation on small hand-made transducers: the forms of one word, not of
// its neighbours, within the bounds, and nothing from a damaged transducer.
#include "core/analysis/generator.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_transducer.hpp"

namespace lomperi::analysis {
namespace {

using lomperi::testing::lexicon;

using Opened = lomperi::testing::OpenedTransducer;
constexpr auto open = lomperi::testing::open_transducer;

const std::vector<std::string> kLexicon = {
    "[Ln][Xp]talo[X]talo[Sn][Ny]",
    "[Ln][Xp]talo[X]talo[Sine][Ny]ssa",
    "[Ln][Xp]talo[X]talo[Sn][Ny]han[Ef]",          // an untagged clitic
    "[Ln][Xp]talo[X]talo[Sn][Ny][O1y]ni",          // a possessive suffix
    "[Ln][Xp]talo[X]talo[Bc][Ln][Xp]ovi[X]ovi[Sn][Ny]",  // a compound
    "[Ln][Xp]talous[X]talou[Sg][Ny]den",           // a neighbour whose base form begins alike
    "[Lu][Xp]kuusi[X]kuu[Sg][Ny]den",              // homographs of two classes
    "[Ln][Xp]kuusi[X]kuus[Sg][Ny]en",
};

std::vector<std::string> forms(const Generation& generation) {
    std::vector<std::string> out;
    for (const auto& g : generation.forms) out.push_back(g.form);
    return out;
}

TEST(Generator, FindsTheFormsOfTheWordOnlyUnderItsRules) {
    const Opened opened = open(lexicon(kLexicon));
    struct Case {
        const char* lemma;
        const char* class_tag;
        bool possessives;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"talo", "", false, {"talo", "talossa"}},
        {"talo", "", true, {"talo", "talossa", "taloni"}},
        {"talous", "", false, {"talouden"}},
        {"kuusi", "[Lu]", false, {"kuuden"}},
        {"kuusi", "[Ln]", false, {"kuusen"}},
        {"kuusi", "", false, {"kuuden", "kuusen"}},
        {"tal", "", false, {}},
    };
    for (const Case& c : cases) {
        GenerationRules rules;
        rules.class_tag = c.class_tag;
        rules.possessives = c.possessives;
        EXPECT_EQ(forms(generate_forms(opened.analyser, c.lemma, rules)), c.expected) << c.lemma << ' ' << c.class_tag;
    }
}

TEST(Generator, LeavesThePathsOfTagsItIsNotAllowed) {
    const Opened opened = open(lexicon(kLexicon));
    GenerationRules rules;
    rules.tag_allowed = [](std::string_view tag) { return !tag.starts_with("[S") || tag == "[Sine]"; };
    EXPECT_EQ(forms(generate_forms(opened.analyser, "talo", rules)), std::vector<std::string>{"talossa"});
}

TEST(Generator, GivesTheAnalysisOfEachForm) {
    const Opened opened = open(lexicon(kLexicon));
    const Generation generation = generate_forms(opened.analyser, "talo", {});
    ASSERT_EQ(generation.forms.size(), 2u);
    EXPECT_EQ(generation.forms[1].analysis, "[Ln][Xp]talo[X]talo[Sine][Ny]ssa");
    EXPECT_FALSE(generation.cut_short);
    EXPECT_EQ(opened.analyser.raw_analyses("talossa").front(), generation.forms[1].analysis);
}

TEST(Generator, StopsAtItsBounds) {
    const Opened opened = open(lexicon(kLexicon));
    struct Case {
        std::uint32_t steps;
        std::size_t depth;
        std::size_t forms;
    };
    for (const Case c : {Case{5, 200, 100}, Case{100000, 5, 100}, Case{100000, 200, 1}}) {
        GenerationRules rules;
        rules.max_steps = c.steps;
        rules.max_depth = c.depth;
        rules.max_forms = c.forms;
        const Generation generation = generate_forms(opened.analyser, "talo", rules);
        EXPECT_TRUE(generation.cut_short);
        EXPECT_LE(generation.forms.size(), c.forms);
    }
}

TEST(Generator, ADamagedTransducerGivesNothingAndIsNotReadOutside) {
    auto bytes = lexicon(kLexicon);
    const Opened whole = open(bytes);
    EXPECT_TRUE(generate_forms(Analyser{}, "talo", {}).forms.empty());
    // Cut short in its cells: the walk stays within what is left.
    for (const std::size_t keep : {bytes.size() - 8, bytes.size() / 2, std::size_t{40}}) {
        const Opened cut = open(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(keep)));
        const auto generation = generate_forms(cut.analyser, "talo", {});
        EXPECT_LE(generation.forms.size(), 2u);
    }
}

}  // namespace
}  // namespace lomperi::analysis
