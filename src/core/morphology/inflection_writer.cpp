#include "core/morphology/inflection_writer.hpp"

#include <fmt/format.h>

#include "format/multi_index.hpp"
#include "format/multi_writer.hpp"

namespace lomperi::morphology {

Result<void> InflectionWriter::add(std::string_view form, std::span<const std::uint32_t> ids) {
    if (ids.empty()) return fail(fmt::format("form {:?} has no base", form));
    for (const std::uint32_t id : ids) {
        if (id >= format::kMultiFlag) return fail(fmt::format("base id {} beyond 31 bits", id));
    }
    if (ids.size() == 1) {
        if (auto inserted = map_.insert(form, ids.front()); !inserted) return forward(inserted, "building inflections.fst");
        return {};
    }
    if (multi_count_ >= format::kMultiFlag) return fail("too many multi entries");
    if (auto appended = format::append_multi_entry(multi_body_, ids); !appended) {
        return forward(appended, "building inflections-multi.bin");
    }
    if (auto inserted = map_.insert(form, format::kMultiFlag | multi_count_); !inserted) {
        multi_body_.resize(multi_body_.size() - 1 - 4 * ids.size());
        return forward(inserted, "building inflections.fst");
    }
    ++multi_count_;
    return {};
}

Result<InflectionFiles> InflectionWriter::finish() && {
    auto fst = std::move(map_).finish();
    if (!fst) return forward(fst, "building inflections.fst");
    auto multi = format::write_multi_header(multi_count_);
    multi.insert(multi.end(), multi_body_.begin(), multi_body_.end());
    return InflectionFiles{std::move(*fst), std::move(multi)};
}

}  // namespace lomperi::morphology
