// The transducer walk on small hand-made transducers, each a handful of
// paths whose every output the test states.
#include "core/analysis/analyser.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/chunk_checks.hpp"
#include "base/crc32c.hpp"
#include "support/test_transducer.hpp"

namespace lomperi::analysis {
namespace {

using lomperi::testing::lexicon;
using lomperi::testing::TestState;
using lomperi::testing::transducer;
using Outputs = std::vector<std::string>;

using Opened = lomperi::testing::OpenedTransducer;

// Each transducer here is whole: it opens.
Opened open(std::vector<std::uint8_t> bytes) {
    Opened opened = lomperi::testing::open_transducer(std::move(bytes));
    EXPECT_TRUE(opened.opened);
    return opened;
}

TEST(Analyser, ReadsEveryPathOfTheWholeWordInOrder) {
    const Outputs outputs = {
        "[Ln][Xp]talo[X]talo[Sn][Ny]",
        "[Ln][Xp]talo[X]talo[Sine][Ny]ssa",
        "[Ln][Xp]talo[X]tal[Bc][Ln][Xp]o[X]o[Sn][Ny]",
        "[Ln][Xp]kissa[X]kiss[Sp][Ny]a",
    };
    const Opened opened = open(lexicon(outputs));
    const Analyser& analyser = opened.analyser;
    ASSERT_TRUE(analyser.available());
    const std::vector<std::pair<std::string, Outputs>> rows = {
        {"talo", {outputs[0], outputs[2]}},
        {"TALO", {outputs[0], outputs[2]}},
        {"talossa", {outputs[1]}},
        {"kissa", {outputs[3]}},
        {"tal", {}},       // not to the end of a path
        {"talossax", {}},  // a letter the transducer does not have
        {"kissaaa", {}},
        {"", {}},
    };
    for (const auto& [word, expected] : rows) EXPECT_EQ(analyser.raw_analyses(word), expected) << word;
}

// A state of many transitions is searched for the next letter, not walked:
// the paths found and their order are the same.
TEST(Analyser, ManyTransitionsAreSearched) {
    const std::string letters = "abcdefghijkl";
    std::vector<std::string> symbols = {""};
    for (const char c : letters) symbols.emplace_back(1, c);
    symbols.emplace_back("[Ln]");
    const auto tag = static_cast<std::uint16_t>(symbols.size() - 1);
    // 0: two silent transitions, then one per letter, to 1; 1 -[Ln]-> 2 (final).
    std::vector<TestState> states(3);
    states[0].arcs.emplace_back(0, tag, 1);
    states[0].arcs.emplace_back(0, 0, 1);
    for (std::size_t k = 0; k < letters.size(); ++k) {
        const auto symbol = static_cast<std::uint16_t>(k + 1);
        states[0].arcs.emplace_back(symbol, symbol, 1);
        if (letters[k] == 'e') states[0].arcs.emplace_back(symbol, tag, 1);
    }
    states[1].arcs.emplace_back(0, tag, 2);
    states[2].final = true;
    const Opened opened = open(transducer(symbols, states));
    EXPECT_EQ(opened.analyser.raw_analyses("e"), (Outputs{"e[Ln]", "[Ln][Ln]"}));
    EXPECT_EQ(opened.analyser.raw_analyses("l"), (Outputs{"l[Ln]"}));
    EXPECT_EQ(opened.analyser.raw_analyses("a"), (Outputs{"a[Ln]"}));
    EXPECT_EQ(opened.analyser.raw_analyses("m"), Outputs{});
    EXPECT_EQ(opened.analyser.raw_analyses("ab"), Outputs{});
}

// One path of flags, then the letter a: whether the flags let it through,
// as voikko's reader applies them.
TEST(Analyser, FlagOperations) {
    const std::vector<std::string> symbols = {"",        "@P.X.A@", "@P.X.B@", "@C.X@",   "@U.X.A@", "@U.X.B@",
                                              "@R.X@",   "@R.X.A@", "@D.X@",   "@D.X.A@", "a",       "[Ln]"};
    enum : std::uint16_t { PA = 1, PB, C, UA, UB, R, RA, D, DA, Letter, Tag };
    const auto path_passes = [&](const std::vector<std::uint16_t>& flags) {
        std::vector<TestState> states;
        for (std::size_t k = 0; k < flags.size(); ++k) {
            states.push_back({false, {{flags[k], 0, static_cast<std::uint32_t>(k + 1)}}});
        }
        states.push_back({false, {{Letter, Tag, static_cast<std::uint32_t>(flags.size() + 1)}}});
        states.push_back({true, {}});
        const Opened opened = open(transducer(symbols, states));
        return !opened.analyser.raw_analyses("a").empty();
    };
    const std::vector<std::pair<std::vector<std::uint16_t>, bool>> rows = {
        {{}, true},           {{UA, UA}, true},     {{UA, UB}, false},  {{UA, RA}, true},  {{PB, UA}, false},
        {{PA, C, D}, true},   {{PA, C, R}, false},  {{PA, D}, false},   {{PA, DA}, false}, {{PB, DA}, true},
        {{D}, true},          {{C, R}, false},      {{R}, false},       {{PA, R, RA}, true}, {{PA, PB, RA}, false},
    };
    for (const auto& [flags, passes] : rows) EXPECT_EQ(path_passes(flags), passes) << ::testing::PrintToString(flags);
}

// A value set on one branch is gone when the walk backs up into another.
TEST(Analyser, FlagsAreUndoneOnBacktracking) {
    const std::vector<std::string> symbols = {"", "@P.X.A@", "@R.X@", "a", "b", "[Ln]", "[Ll]"};
    // 0 -P.X.A-> 1 -a:[Ln]-> 2 -c (none)-> dead end; 0 -a:[Ll]-> 3 -R.X-> 4 (final)
    const std::vector<TestState> states = {
        {false, {{1, 0, 1}, {3, 6, 3}}},
        {false, {{3, 5, 2}}},
        {false, {{4, 4, 4}}},
        {false, {{2, 0, 4}}},
        {true, {}},
    };
    const Opened opened = open(transducer(symbols, states));
    EXPECT_EQ(opened.analyser.raw_analyses("ab"), Outputs{"[Ln]b"});
    EXPECT_EQ(opened.analyser.raw_analyses("a"), Outputs{});
}

TEST(Analyser, TheWorkOfAWordIsBounded) {
    Outputs outputs;
    for (int k = 0; k < 150; ++k) outputs.push_back("[Ln][Xp]a[X]a[Sn]" + std::string(k % 2 == 0 ? "[Ny]" : "[Nm]"));
    const Opened opened = open(lexicon(outputs));
    EXPECT_EQ(opened.analyser.raw_analyses("a").size(), kMaxRawAnalyses);
    EXPECT_TRUE(opened.analyser.raw_analyses(std::string(kMaxAnalysedChars + 1, 'a')).empty());
    // A cycle of silent transitions ends at the step limit.
    const Opened looping = open(transducer({"", "a", "[Ln]"}, {{false, {{0, 2, 0}, {1, 1, 1}}}, {false, {{0, 0, 1}}}}));
    EXPECT_TRUE(looping.analyser.raw_analyses("a").empty());
}

// The letters that decide a word has no analysis: every word that begins
// with them has none either.
TEST(Analyser, TheLettersThatDecideAWordHasNoAnalysis) {
    const Opened opened = open(lexicon({"[Ln][Xp]talo[X]talo[Sn][Ny]", "[Ln][Xp]talo[X]talo[Sine][Ny]ssa",
                                        "[Ln][Xp]kissa[X]kissa[Sn][Ny]", "[Ln][Xp]tuoli[X]tuoli[Sn][Ny]"}));
    const Analyser& analyser = opened.analyser;
    const std::vector<std::pair<std::string, std::size_t>> rows = {
        {"talossa", 7},      // read: all of it
        {"taloissa", 5},     // no path reads "talo" on to an "i"
        {"tallitalo", 4},    // nor "tal" on to a second "l"
        {"kissoissa", 5},
        {"Tuolissa", 6},     // lower-cased as analysed
        {"talotxssa", 6},    // a letter the transducer lacks decides where it is
        {"ta", 2},           // no word is longer than itself
    };
    for (const auto& [word, deciding] : rows) {
        EXPECT_EQ(analyser.deciding_letters(word), deciding) << word;
        const bool has_analysis = !analyser.raw_analyses(word).empty();
        if (has_analysis || deciding >= word.size()) continue;
        // Whatever follows the deciding letters, the word has no analysis.
        const std::string start = word.substr(0, deciding);
        for (const std::string rest : {"", "a", "ssa", "lo", "oli"}) {
            EXPECT_TRUE(analyser.raw_analyses(start + rest).empty()) << start + rest;
        }
    }
}

// A word read again, in another case or after its deciding letters were
// asked for, reads as it did the first time, and only in its own transducer:
// another opened later may read the same letters otherwise.
TEST(Analyser, AWordReadAgainReadsAsBefore) {
    const Outputs nouns = {"[Ln][Xp]talo[X]talo[Sn][Ny]", "[Ln][Xp]talo[X]talo[Sine][Ny]ssa"};
    const Outputs names = {"[Le][Xp]Talo[X]talo[Sn][Ny]"};
    const Opened first = open(lexicon(nouns));
    const Opened second = open(lexicon(names));
    struct Row {
        const Opened* opened;
        std::string word;
        Outputs analyses;
        std::size_t deciding;
    };
    const std::vector<Row> rows = {
        {&first, "Talo", {nouns[0]}, 4},     {&second, "talo", {names[0]}, 4},  {&first, "talo", {nouns[0]}, 4},
        {&first, "TALOSSA", {nouns[1]}, 7},  {&second, "talossa", {}, 5},       {&first, "taloissa", {}, 5},
        {&first, "Taloissa", {}, 5},         {&second, "Taloissa", {}, 5},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.word);
        const Analyser& analyser = row.opened->analyser;
        EXPECT_EQ(analyser.raw_analyses(row.word), row.analyses);
        EXPECT_EQ(analyser.deciding_letters(row.word), row.deciding);
        EXPECT_EQ(analyser.raw_analyses(row.word), row.analyses);
    }
}

// Over damaged cells, each walk that reads them meets the damage, not only
// the first: a word read again is no less damaged.
TEST(Analyser, EveryReadOfDamagedCellsMeetsTheDamage) {
    const Opened opened = open(lexicon({"[Ln][Xp]talo[X]talo[Sn][Ny]", "[Ln][Xp]talo[X]talo[Sine][Ny]ssa",
                                        "[Ln][Xp]kissa[X]kissa[Sn][Ny]", "[Ln][Xp]tuoli[X]tuoli[Sn][Ny]"}));
    constexpr unsigned kShift = 6;
    std::vector<std::uint8_t> sums;
    for (std::size_t at = 0; at < opened.bytes.size(); at += std::size_t{1} << kShift) {
        const std::size_t length = std::min(std::size_t{1} << kShift, opened.bytes.size() - at);
        append_u32(sums, crc32c(Bytes(opened.bytes).subspan(at, length)));
    }
    std::size_t damaged_reads = 0;
    for (std::size_t at = opened.bytes.size() / 2; at < opened.bytes.size(); at += 8) {
        std::vector<std::uint8_t> damaged = opened.bytes;
        damaged[at] ^= 0x5A;
        auto analyser = Analyser::open(damaged, ChunkChecks(damaged, sums, kShift));
        ASSERT_TRUE(analyser.has_value()) << at;
        for (const std::string word : {"talo", "talossa", "kissa", "tuoli", "taloissa"}) {
            const DamageWatch first;
            const Outputs analyses = analyser->raw_analyses(word);
            const bool met = first.met();
            damaged_reads += met ? 1 : 0;
            const DamageWatch again;
            EXPECT_EQ(analyser->raw_analyses(word), analyses) << word << " at " << at;
            EXPECT_EQ(again.met(), met) << word << " at " << at;
        }
    }
    EXPECT_GT(damaged_reads, 0u);
}

TEST(Analyser, WithoutATransducerNoWordHasAnAnalysis) {
    const Analyser none;
    EXPECT_FALSE(none.available());
    EXPECT_TRUE(none.raw_analyses("talo").empty());
    EXPECT_FALSE(Analyser::open(std::vector<std::uint8_t>{1, 2, 3}).has_value());
}

}  // namespace
}  // namespace lomperi::analysis
