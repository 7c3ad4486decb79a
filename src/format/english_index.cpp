#include "format/english_index.hpp"

#include <fmt/format.h>

#include <optional>

#include "format/header_cursor.hpp"

namespace lomperi::format {

Result<EnglishPostings> EnglishPostings::parse(Bytes file, ChunkChecks checks) {
    HeaderCursor cursor(file);
    if (auto head = read_file_head(cursor, {kEnglishMagic, kEnglishVersion, "english", kEnglishHeaderSize}); !head)
        return forward(head);
    EnglishPostings postings;
    postings.body_ = cursor.rest();
    postings.checks_ = std::move(checks);
    return postings;
}

std::optional<std::vector<EnglishPosting>> EnglishPostings::at(std::uint64_t offset) const {
    if (offset >= body_.size()) return std::nullopt;
    if (!checks_.intact(body_.subspan(offset, 1))) return std::nullopt;
    const std::size_t n = body_[offset];
    if (body_.size() - offset - 1 < 5 * n || !checks_.intact(body_.subspan(offset, 1 + 5 * n))) return std::nullopt;
    std::vector<EnglishPosting> out;
    out.reserve(n);
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t at = offset + 1 + 5 * k;
        out.push_back({read_u32(body_, at), body_[at + 4]});
    }
    return out;
}

Result<void> append_english_postings(std::vector<std::uint8_t>& body, std::span<const EnglishPosting> postings) {
    if (postings.size() > 255) return fail(fmt::format("{} postings for one key", postings.size()));
    body.push_back(static_cast<std::uint8_t>(postings.size()));
    for (const auto& posting : postings) {
        append_u32(body, posting.base_id);
        body.push_back(posting.meaning);
    }
    return {};
}

std::vector<std::uint8_t> write_english_bin(std::span<const std::uint8_t> body) {
    std::vector<std::uint8_t> out;
    append_bytes(out, as_bytes(kEnglishMagic));
    out.push_back(kEnglishVersion);
    append_bytes(out, body);
    return out;
}

}  // namespace lomperi::format
