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

TEST(ChooseTitle, CountsCellsNotBytes) {
    // 9 cells in 10 bytes; then 9 cells in 8 code points.
    const std::vector<std::string> titles{" a \u00b7 b c ", " x "};
    EXPECT_EQ(choose_title(titles, 11), titles[0]);
    EXPECT_EQ(choose_title(titles, 10), titles[1]);
    const std::vector<std::string> wide{" \u6f22 b cd ", " x "};
    EXPECT_EQ(choose_title(wide, 10), wide[1]);
    EXPECT_EQ(choose_title(wide, 11), wide[0]);
}

TEST(ChooseTitle, NoCandidates) { EXPECT_EQ(choose_title({}, 80), ""); }

}  // namespace
}  // namespace lomperi::term
