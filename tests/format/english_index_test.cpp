#include <gtest/gtest.h>

#include "format/english_index.hpp"
#include "bytes_helpers.hpp"

namespace lomperi::format {
namespace {

using test::Buffer;
using test::bytes_of;
using test::concat;

TEST(EnglishPostings, RoundTripAndDamage) {
    std::vector<std::uint8_t> body;
    ASSERT_TRUE(append_english_postings(body, {}));
    const std::vector<EnglishPosting> two{{7, 0}, {0x01020304, 255}};
    ASSERT_TRUE(append_english_postings(body, two));
    const Buffer file = write_english_bin(body);
    const auto postings = EnglishPostings::parse(file);
    ASSERT_TRUE(postings) << postings.error().report();
    EXPECT_EQ(postings->at(0), std::vector<EnglishPosting>{});
    EXPECT_EQ(postings->at(1), two);
    EXPECT_FALSE(postings->at(2).has_value()) << "inside a list: its count byte lies";
    EXPECT_FALSE(postings->at(body.size()).has_value());
    EXPECT_FALSE(postings->at(~std::uint64_t{0}).has_value());
    const Buffer cut(file.begin(), file.end() - 1);
    EXPECT_FALSE(EnglishPostings::parse(cut)->at(1).has_value()) << "the last posting one byte short";
    EXPECT_FALSE(append_english_postings(body, std::vector<EnglishPosting>(256)));

    const struct {
        Buffer input;
        std::string message;
    } damaged[] = {
        {{}, "truncated english header"},
        {bytes_of("LMPE"), "truncated english header"},
        {concat({bytes_of("LMPM"), {1}}), "bad english magic"},
        {concat({bytes_of("LMPE"), {2}}), "unsupported english version 2"},
    };
    for (const auto& c : damaged) {
        const auto parsed = EnglishPostings::parse(c.input);
        ASSERT_FALSE(parsed.has_value()) << c.message;
        EXPECT_EQ(parsed.error().report(), c.message);
    }
}

}  // namespace
}  // namespace lomperi::format
