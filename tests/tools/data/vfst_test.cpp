#include "vfst.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace lomperi::data_build {
namespace {

// A transducer in the file format: the symbols, then states as lists of
// (input, output, target) with a final marker.
struct TestState {
    bool final = false;
    std::vector<std::tuple<std::uint16_t, std::uint16_t, std::uint32_t>> arcs;
};

std::vector<std::uint8_t> transducer(const std::vector<std::string>& symbols, const std::vector<TestState>& states) {
    std::vector<std::uint8_t> out;
    append_u32(out, 0x00013A6E);
    append_u32(out, 0x000351FA);
    append_u64(out, 0);
    append_u16(out, static_cast<std::uint16_t>(symbols.size()));
    for (const auto& symbol : symbols) {
        append_bytes(out, as_bytes(symbol));
        out.push_back(0);
    }
    while (out.size() % 8 != 0) out.push_back(0);
    // Each state takes one cell per arc and one for the final marker; cells are numbered from 0.
    std::vector<std::uint32_t> first;
    std::uint32_t next = 0;
    for (const auto& state : states) {
        first.push_back(next);
        next += static_cast<std::uint32_t>(state.arcs.size() + (state.final ? 1 : 0));
    }
    for (const auto& state : states) {
        std::vector<std::tuple<std::uint16_t, std::uint16_t, std::uint32_t>> cells;
        if (state.final) cells.emplace_back(0xFFFF, 0, 0);
        for (const auto& [in, out_symbol, target] : state.arcs) cells.emplace_back(in, out_symbol, first[target]);
        for (std::size_t k = 0; k < cells.size(); ++k) {
            const auto& [in, out_symbol, target] = cells[k];
            append_u16(out, in);
            append_u16(out, out_symbol);
            const std::uint32_t more = k == 0 ? static_cast<std::uint32_t>(cells.size() - 1) : 0;
            append_u32(out, target | (more << 24));
        }
    }
    return out;
}

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
