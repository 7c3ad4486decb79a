#pragma once
// Writes english.fst and english.bin from English keys given in strictly
// ascending byte order, each with its postings, best first.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "base/error.hpp"
#include "core/word_map/builder.hpp"
#include "format/english_index.hpp"

namespace lomperi::morphology {

struct EnglishFiles {
    std::vector<std::uint8_t> english_fst;
    std::vector<std::uint8_t> english_bin;
};

class EnglishWriter {
public:
    EnglishWriter();

    // A key without postings is a word of the English word list: it shares
    // the empty list at offset 0.
    Result<void> add(std::string_view key, std::span<const format::EnglishPosting> postings);

    std::uint64_t keys() const { return map_.len(); }
    std::size_t postings() const { return postings_; }

    Result<EnglishFiles> finish() &&;

private:
    word_map::WordMapBuilder map_;
    std::vector<std::uint8_t> body_;
    std::size_t postings_ = 0;
};

}  // namespace lomperi::morphology
