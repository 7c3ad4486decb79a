#include "core/morphology/english_writer.hpp"

namespace lomperi::morphology {

EnglishWriter::EnglishWriter() { (void)format::append_english_postings(body_, {}); }

Result<void> EnglishWriter::add(std::string_view key, std::span<const format::EnglishPosting> postings) {
    std::uint64_t offset = 0;
    if (!postings.empty()) {
        offset = body_.size();
        if (auto appended = format::append_english_postings(body_, postings); !appended) return appended;
        postings_ += postings.size();
    }
    if (auto inserted = map_.insert(key, offset); !inserted) return forward(inserted, "building english.fst");
    return {};
}

Result<EnglishFiles> EnglishWriter::finish() && {
    auto fst = std::move(map_).finish();
    if (!fst) return forward(fst, "building english.fst");
    return EnglishFiles{std::move(*fst), format::write_english_bin(body_)};
}

}  // namespace lomperi::morphology
