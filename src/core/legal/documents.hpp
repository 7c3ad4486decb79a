#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace lomperi::legal {

// A text shown by the document viewer. The body is plain text with hard line
// breaks: title, "=" underline, then paragraphs, sub-headings and indented lists.
struct Document {
    std::string_view title;
    std::string_view tab_label;
    std::string_view body;
};

inline constexpr std::size_t kDocumentCount = 4;

// License, Privacy, Sources, Verify, in this order.
const std::array<Document, kDocumentCount>& documents();

// The next index in the cycle 0, 1, 2, 3, 0; 0 for anything out of range.
std::uint8_t next_document(std::uint8_t index);

}  // namespace lomperi::legal
