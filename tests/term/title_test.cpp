#include "term/widgets.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lomperi::term {
namespace {

TEST(ChooseTitle, FirstThatFitsElseLast) {
    const std::vector<std::string> titles{" inflections ", " infl "};
    struct Case {
        std::uint16_t width;
        std::string expected;
    };
    const Case cases[] = {{20, " inflections "}, {15, " inflections "}, {14, " infl "}, {8, " infl "},
                          {5, " infl "},         {0, " infl "}};
    for (const auto& c : cases) EXPECT_EQ(choose_title(titles, c.width), c.expected) << c.width;
}

TEST(ChooseTitle, CountsCodePointsNotBytes) {
    // 9 code points, 10 bytes.
    const std::vector<std::string> titles{" a \u00b7 b c ", " x "};
    EXPECT_EQ(choose_title(titles, 11), titles[0]);
    EXPECT_EQ(choose_title(titles, 10), titles[1]);
}

TEST(ChooseTitle, NoCandidates) { EXPECT_EQ(choose_title({}, 80), ""); }

}  // namespace
}  // namespace lomperi::term
