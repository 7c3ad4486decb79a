#include "core/legal/documents.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "base/utf8.hpp"

namespace lomperi::legal {
namespace {

TEST(Documents, TitlesAndTabLabels) {
    const auto& table = documents();
    const std::pair<std::string_view, std::string_view> expected[] = {
        {"Lomperi License Agreement", "License"},
        {"Privacy Policy", "Privacy"},
        {"Attribution and Data Sources", "Sources"},
        {"Verifying Your Download", "Verify"},
    };
    for (std::size_t i = 0; i < kDocumentCount; ++i) {
        EXPECT_EQ(table[i].title, expected[i].first);
        EXPECT_EQ(table[i].tab_label, expected[i].second);
    }
}

std::vector<std::string_view> lines_of(std::string_view body) {
    std::vector<std::string_view> lines;
    while (!body.empty()) {
        const auto end = body.find('\n');
        lines.push_back(body.substr(0, end));
        body.remove_prefix(end == std::string_view::npos ? body.size() : end + 1);
    }
    return lines;
}

bool all_of_char(std::string_view text, char c) { return text.find_first_not_of(c) == std::string_view::npos; }

TEST(Documents, BodyLayout) {
    for (const Document& document : documents()) {
        SCOPED_TRACE(document.title);
        const std::string_view body = document.body;
        EXPECT_GE(body.size(), 1024u);
        EXPECT_LE(body.size(), 3072u);
        EXPECT_TRUE(is_utf8(as_bytes(body)));
        EXPECT_TRUE(body.ends_with('\n'));
        EXPECT_EQ(body.find('\r'), std::string_view::npos);
        EXPECT_EQ(body.find('\t'), std::string_view::npos);

        const auto lines = lines_of(body);
        ASSERT_GE(lines.size(), 4u);
        EXPECT_EQ(lines[0], document.title);
        EXPECT_EQ(lines[1], std::string(document.title.size(), '='));
        EXPECT_EQ(lines[2], "");
        for (std::size_t i = 0; i < lines.size(); ++i) {
            SCOPED_TRACE(lines[i]);
            EXPECT_LE(code_point_count(lines[i]), 80u);
            EXPECT_FALSE(lines[i].ends_with(' '));
            // Every "-" underline matches its heading, which follows an empty line.
            if (i > 1 && !lines[i].empty() && all_of_char(lines[i], '-')) {
                EXPECT_EQ(lines[i].size(), code_point_count(lines[i - 1]));
                EXPECT_EQ(lines[i - 2], "");
            }
        }
    }
}

TEST(NextDocument, Cycle) {
    const std::pair<std::uint8_t, std::uint8_t> cases[] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 0}, {255, 0}};
    for (const auto& [from, to] : cases) EXPECT_EQ(next_document(from), to) << int(from);
    std::uint8_t index = 0;
    for (int i = 0; i < 4; ++i) index = next_document(index);
    EXPECT_EQ(index, 0);
}

}  // namespace
}  // namespace lomperi::legal
