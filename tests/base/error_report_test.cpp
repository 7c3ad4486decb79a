#include <gtest/gtest.h>

#include "base/error.hpp"

namespace lomperi {
namespace {

Error chain(std::vector<std::string> messages) {
    Error error(messages.back());
    for (auto it = messages.rbegin() + 1; it != messages.rend(); ++it) error = std::move(error).wrap(*it);
    return error;
}

TEST(ErrorReport, HasThreeShapes) {
    const struct {
        const char* name;
        Error error;
        std::string report;
    } cases[] = {
        {"no cause", chain({"invalid fst: FST error"}), "invalid fst: FST error"},
        {"one cause", chain({"parsing glosses.bin header", "bad magic"}),
         "parsing glosses.bin header\n\nCaused by:\n    bad magic"},
        {"two causes", chain({"a", "b", "c"}), "a\n\nCaused by:\n    0: b\n    1: c"},
        {"one multi-line cause", chain({"top", "first\nsecond\nthird"}),
         "top\n\nCaused by:\n    first\n    second\n    third"},
        {"numbered multi-line causes", chain({"top", "x\ny", "z"}), "top\n\nCaused by:\n    0: x\n       y\n    1: z"},
        {"multi-line top message is left alone", chain({"top\nmore", "cause"}),
         "top\nmore\n\nCaused by:\n    cause"},
        {"empty cause line", chain({"top", ""}), "top\n\nCaused by:\n    "},
        {"trailing newline in a cause", chain({"top", "x\n"}), "top\n\nCaused by:\n    x\n    "},
        {"eleven causes, numbers right-aligned",
         chain({"t", "c0", "c1", "c2", "c3", "c4", "c5", "c6", "c7", "c8", "c9", "c10"}),
         "t\n\nCaused by:\n    0: c0\n    1: c1\n    2: c2\n    3: c3\n    4: c4\n    5: c5\n    6: c6\n    7: c7\n"
         "    8: c8\n    9: c9\n   10: c10"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.error.report(), c.report) << c.name;
}

TEST(ErrorReport, WrapKeepsTheOriginalAndComparesByChain) {
    const Error inner("bad magic");
    const Error outer = inner.wrap("parsing glosses.bin header");
    EXPECT_EQ(inner.report(), "bad magic");
    ASSERT_NE(outer.cause(), nullptr);
    EXPECT_EQ(*outer.cause(), inner);
    EXPECT_EQ(outer, Error("parsing glosses.bin header", Error("bad magic")));
    EXPECT_FALSE(outer == Error("parsing glosses.bin header"));
    EXPECT_FALSE(outer == Error("parsing glosses.bin header", Error("bad multi magic")));
}

}  // namespace
}  // namespace lomperi
