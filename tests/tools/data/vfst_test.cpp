#include "vfst.hpp"

#include "support/test_transducer.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace lomperi::data_build {
namespace {

using lomperi::testing::TestState;
using lomperi::testing::transducer;

// Symbols: 0 epsilon, 1-2 flags, then letters and tags.
const std::vector<std::string> kSymbols = {"", "@P.X.ON@", "@R.X.ON@", "a", "b", "c", "[T]", "[Bc]", "1"};

std::vector<std::pair<std::string, std::string>> walk(const std::vector<std::uint8_t>& bytes, const PathPolicy& policy) {
    auto vfst = Vfst::parse(bytes);
    EXPECT_TRUE(vfst.has_value());
    std::vector<std::pair<std::string, std::string>> paths;
    if (vfst) walk_paths(*vfst, policy, [&](std::string_view f, std::string_view a) { paths.emplace_back(f, a); });
    return paths;
}

TEST(Vfst, WalksEveryPathWithFlagsAndLimits) {
    // 0 -a-> 1 (final) -[T]-> 2 -b-> 3 (final)
    // 0 -R.X-> 4 -c-> 3: blocked unless P.X set first
    // 0 -P.X-> 5 -R.X-> 6 -c:c-> 3
    // 1 -[Bc]-> 7 -a-> 3: a compound boundary
    // 1 -1-> 3: a digit outside the letters
    const std::vector<TestState> states = {
        {false, {{3, 3, 1}, {2, 0, 4}, {1, 0, 5}}},
        {true, {{0, 6, 2}, {0, 7, 7}, {8, 8, 3}}},
        {false, {{4, 4, 3}}},
        {true, {}},
        {false, {{5, 5, 3}}},
        {false, {{2, 0, 6}}},
        {false, {{5, 5, 3}}},
        {false, {{3, 3, 3}}},
    };
    PathPolicy policy;
    policy.letters = "abc";
    policy.limits = {{{"[Bc]"}, 0}, {{"[T]"}, 1}};
    const std::vector<std::pair<std::string, std::string>> expected = {{"a", "a"}, {"ab", "a[T]b"}, {"c", "c"}};
    EXPECT_EQ(walk(transducer(kSymbols, states), policy), expected);
    policy.limits = {{{"[T]"}, 0}};
    const std::vector<std::pair<std::string, std::string>> with_compounds = {{"a", "a"}, {"aa", "a[Bc]a"}, {"c", "c"}};
    EXPECT_EQ(walk(transducer(kSymbols, states), policy), with_compounds);
}

// One path of flags then the letter a: whether the flags let it through.
TEST(Vfst, FlagOperations) {
    const std::vector<std::string> symbols = {"",        "@P.X.A@", "@P.X.B@", "@C.X@",   "@U.X.A@", "@U.X.B@",
                                              "@R.X@",   "@R.X.A@", "@D.X@",   "@D.X.A@", "a"};
    const auto path_passes = [&](const std::vector<std::uint16_t>& flags) {
        std::vector<TestState> states;
        for (std::size_t k = 0; k < flags.size(); ++k) {
            states.push_back({false, {{flags[k], 0, static_cast<std::uint32_t>(k + 1)}}});
        }
        states.push_back({false, {{10, 10, static_cast<std::uint32_t>(flags.size() + 1)}}});
        states.push_back({true, {}});
        PathPolicy policy;
        policy.letters = "a";
        return !walk(transducer(symbols, states), policy).empty();
    };
    enum : std::uint16_t { PA = 1, PB, C, UA, UB, R, RA, D, DA };
    const std::vector<std::pair<std::vector<std::uint16_t>, bool>> rows = {
        {{UA, UA}, true},  {{UA, UB}, false}, {{UA, RA}, true},    {{PB, UA}, false},   {{PA, C, D}, true},
        {{PA, C, R}, false}, {{PA, D}, false}, {{PA, DA}, false}, {{PB, DA}, true},   {{D}, true},
        {{C, R}, false},   {{R}, false},      {{PA, R, RA}, true}, {{PA, PB, RA}, false},
    };
    for (const auto& [flags, passes] : rows) EXPECT_EQ(path_passes(flags), passes) << ::testing::PrintToString(flags);
}

// A value set on one branch is gone when the walk backtracks into another.
TEST(Vfst, FlagsAreUndoneOnBacktracking) {
    const std::vector<std::string> symbols = {"", "@P.X.A@", "@R.X@", "a", "b"};
    const std::vector<TestState> states = {
        {false, {{1, 0, 1}, {2, 0, 2}}},
        {false, {{3, 3, 3}}},
        {false, {{4, 4, 3}}},
        {true, {}},
    };
    PathPolicy policy;
    policy.letters = "ab";
    const std::vector<std::pair<std::string, std::string>> expected = {{"a", "a"}};
    EXPECT_EQ(walk(transducer(symbols, states), policy), expected);
}

TEST(Vfst, DamagedFilesAreErrors) {
    const auto good = transducer(kSymbols, {{true, {}}});
    EXPECT_TRUE(Vfst::parse(good).has_value());
    auto wrong_cookie = good;
    wrong_cookie[0] ^= 1;
    EXPECT_FALSE(Vfst::parse(wrong_cookie).has_value());
    EXPECT_FALSE(Vfst::parse(std::vector<std::uint8_t>(good.begin(), good.begin() + 20)).has_value());
    // A state whose transition count runs past the file ends that branch only.
    auto cut = transducer(kSymbols, {{false, {{3, 3, 1}, {4, 4, 1}}}, {true, {}}});
    cut.resize(cut.size() - 8);
    PathPolicy policy;
    policy.letters = "ab";
    EXPECT_TRUE(walk(cut, policy).empty());
}

}  // namespace
}  // namespace lomperi::data_build
