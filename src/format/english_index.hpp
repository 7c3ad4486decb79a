#pragma once
// english.bin: the postings of the English-to-Finnish index. english.fst maps
// each English word or phrase to the offset of its postings here: the Finnish
// headwords whose meanings hold it, best first, each with the number of the
// meaning that does. Words of the English word list without postings share
// the empty list at offset 0.
//
// File: "LMPE", version 1, then the postings back to back: a count n (1
// byte), then n times a base id (4 bytes) and a meaning number (1 byte).
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "base/bytes.hpp"
#include "base/chunk_checks.hpp"
#include "base/error.hpp"

namespace lomperi::format {

inline constexpr std::string_view kEnglishMagic = "LMPE";
inline constexpr std::uint8_t kEnglishVersion = 1;
inline constexpr std::size_t kEnglishHeaderSize = 5;

struct EnglishPosting {
    std::uint32_t base_id = 0;
    std::uint8_t meaning = 0;  // counted over all groups of the headword's record
    friend bool operator==(const EnglishPosting&, const EnglishPosting&) = default;
};

class EnglishPostings {
public:
    // Checks the header only; postings are checked as they are read.
    static Result<EnglishPostings> parse(Bytes file, ChunkChecks checks = {});

    // The postings at `offset` (counted from the first byte after the
    // header); nothing when they do not fit into the file or are damaged.
    std::optional<std::vector<EnglishPosting>> at(std::uint64_t offset) const;

private:
    Bytes body_;
    ChunkChecks checks_;
};

// Appends one postings list; its offset is the size of `body` before.
Result<void> append_english_postings(std::vector<std::uint8_t>& body, std::span<const EnglishPosting> postings);

// A whole english.bin around postings written by append_english_postings,
// the first of which should be the empty list.
std::vector<std::uint8_t> write_english_bin(std::span<const std::uint8_t> body);

}  // namespace lomperi::format
