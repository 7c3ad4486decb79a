#include "core/morphology/data_set_builder.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <utility>

#include "core/word_map/builder.hpp"
#include "format/gloss_writer.hpp"
#include "format/headword_ranks.hpp"
#include "format/headword_table.hpp"
#include "format/multi_index.hpp"
#include "format/multi_writer.hpp"

namespace lomperi::morphology {
namespace {

std::vector<std::string> first_seen_pos_names(const std::map<std::string, std::vector<format::PosGroup>>& headwords) {
    std::vector<std::string> names;
    for (const auto& [headword, groups] : headwords) {
        for (const auto& group : groups) {
            if (std::find(names.begin(), names.end(), group.pos) == names.end()) names.push_back(group.pos);
        }
    }
    return names;
}

// A headword's base id is its position among the sorted headwords.
class BaseIds {
public:
    explicit BaseIds(const std::map<std::string, std::vector<format::PosGroup>>& headwords) {
        sorted_.reserve(headwords.size());
        for (const auto& [headword, groups] : headwords) sorted_.push_back(headword);
    }

    std::optional<std::uint32_t> find(std::string_view headword) const {
        const auto found = std::lower_bound(sorted_.begin(), sorted_.end(), headword);
        if (found == sorted_.end() || *found != headword) return std::nullopt;
        return static_cast<std::uint32_t>(found - sorted_.begin());
    }

private:
    std::vector<std::string_view> sorted_;
};

struct GlossFiles {
    std::vector<std::uint8_t> glosses_fst;
    std::vector<std::uint8_t> glosses_bin;
    std::vector<std::uint8_t> headwords_bin;
};

Result<GlossFiles> gloss_files(const std::map<std::string, std::vector<format::PosGroup>>& headwords,
                               const std::vector<std::string>& pos_names, std::size_t frame_size, int zstd_level) {
    std::vector<std::uint8_t> body;
    std::vector<std::pair<std::string, std::uint64_t>> offsets;
    std::vector<std::uint64_t> record_starts;
    format::HeadwordTableWriter headword_table;
    offsets.reserve(headwords.size());
    record_starts.reserve(headwords.size());
    for (const auto& [headword, groups] : headwords) {
        offsets.emplace_back(headword, body.size());
        record_starts.push_back(body.size());
        if (auto added = headword_table.add(headword); !added) return forward(added);
        if (auto appended = format::append_gloss_record(body, format::GlossRecord{groups}, pos_names); !appended)
            return forward(appended, fmt::format("encoding the record of {:?}", headword));
    }
    auto glosses_fst = word_map::build_word_map(offsets);
    if (!glosses_fst) return forward(glosses_fst, "building glosses.fst");
    auto glosses_bin = format::write_framed_glosses_bin(pos_names, body, record_starts, frame_size, zstd_level);
    if (!glosses_bin) return forward(glosses_bin, "building glosses.bin");
    return GlossFiles{std::move(*glosses_fst), std::move(*glosses_bin), std::move(headword_table).finish()};
}

// The checksums of every other file present, written last.
std::vector<std::uint8_t> checksums_of(const DataSet& data, unsigned chunk_shift) {
    std::vector<std::pair<std::uint8_t, Bytes>> files;
    for (const auto& info : kDataFileTable) {
        if (info.file == DataFile::checksums_bin || data[info.file].empty()) continue;
        files.emplace_back(static_cast<std::uint8_t>(info.file), data[info.file]);
    }
    return format::write_checksum_table(files, chunk_shift);
}

}  // namespace

void DataSetBuilder::add_headword(std::string headword, std::vector<format::PosGroup> groups) {
    const auto [where, inserted] = headwords_.try_emplace(std::move(headword), std::move(groups));
    if (!inserted) duplicates_.push_back(where->first);
}

void DataSetBuilder::add_form(std::string form, std::string base) { forms_[std::move(form)].insert(std::move(base)); }

Result<void> DataSetBuilder::add_form_ids(std::string_view form, std::span<const std::uint32_t> ids) {
    return streamed_forms_.add(form, ids);
}

void DataSetBuilder::set_pos_names(std::vector<std::string> pos_names) { pos_names_ = std::move(pos_names); }

Result<InflectionFiles> DataSetBuilder::finish_forms() {
    if (forms_.empty()) return std::move(streamed_forms_).finish();
    if (streamed_forms_.forms() != 0) return fail("forms given both by base and by base id");
    const BaseIds base_ids(headwords_);
    std::vector<std::uint32_t> ids;
    for (const auto& [form, bases] : forms_) {
        ids.clear();
        for (const auto& base : bases) {
            const auto id = base_ids.find(base);
            if (!id) return fail(fmt::format("form {:?} has unknown base {:?}", form, base));
            ids.push_back(*id);
        }
        // Bases are kept in byte order, which is id order: the ids ascend.
        if (auto added = streamed_forms_.add(form, ids); !added) return forward(added);
    }
    return std::move(streamed_forms_).finish();
}

Result<DataSet> DataSetBuilder::build() {
    if (!duplicates_.empty()) return fail(fmt::format("duplicate headword {:?}", duplicates_.front()));
    if (headwords_.size() > kMultiFlag) return fail("too many headwords");
    const std::vector<std::string> pos_names = pos_names_ ? *pos_names_ : first_seen_pos_names(headwords_);
    auto glosses = gloss_files(headwords_, pos_names, frame_size_, zstd_level_);
    if (!glosses) return forward(glosses);
    auto inflections = finish_forms();
    if (!inflections) return forward(inflections);
    const auto multi = format::MultiIndex::parse(inflections->inflections_multi_bin);
    if (!multi) return forward(multi, "reading back inflections-multi.bin");

    DataSet data;
    data[DataFile::glosses_fst] = std::move(glosses->glosses_fst);
    data[DataFile::glosses_bin] = std::move(glosses->glosses_bin);
    data[DataFile::headwords_bin] = std::move(glosses->headwords_bin);
    data[DataFile::inflections_multi_offsets_bin] = format::write_multi_offsets(*multi);
    data[DataFile::inflections_fst] = std::move(inflections->inflections_fst);
    data[DataFile::inflections_multi_bin] = std::move(inflections->inflections_multi_bin);
    if (english_) {
        data[DataFile::english_fst] = std::move(english_->english_fst);
        data[DataFile::english_bin] = std::move(english_->english_bin);
    }
    data[DataFile::mor_vfst] = analyser_;
    if (!ranks_.empty()) {
        if (ranks_.size() != headwords_.size()) return fail("a rank for every headword");
        data[DataFile::headword_ranks_bin] = format::write_headword_ranks(ranks_);
    }
    if (chunk_shift_ != 0) data[DataFile::checksums_bin] = checksums_of(data, chunk_shift_);
    return data;
}

}  // namespace lomperi::morphology
