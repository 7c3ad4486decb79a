#include "core/morphology/data_set_builder.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <utility>

#include "core/word_map/builder.hpp"
#include "format/gloss_writer.hpp"
#include "format/headword_table.hpp"
#include "format/multi_index.hpp"
#include "format/multi_writer.hpp"
#include "core/morphology/inflection_writer.hpp"

namespace lomperi::morphology {
namespace {

using Pairs = std::vector<std::pair<std::string, std::uint64_t>>;

std::vector<std::string> first_seen_pos_names(const std::map<std::string, std::vector<format::PosGroup>>& headwords) {
    std::vector<std::string> names;
    for (const auto& [headword, groups] : headwords) {
        for (const auto& group : groups) {
            if (std::find(names.begin(), names.end(), group.pos) == names.end()) names.push_back(group.pos);
        }
    }
    return names;
}

// The sorted headwords; a headword's base id is its position here.
class BaseIds {
public:
    explicit BaseIds(std::vector<std::string> sorted) : sorted_(std::move(sorted)) {}

    std::optional<std::uint32_t> find(const std::string& headword) const {
        const auto found = std::lower_bound(sorted_.begin(), sorted_.end(), headword);
        if (found == sorted_.end() || *found != headword) return std::nullopt;
        return static_cast<std::uint32_t>(found - sorted_.begin());
    }

private:
    std::vector<std::string> sorted_;
};

Result<InflectionFiles> inflection_files(const std::map<std::string, std::set<std::string>>& forms, const BaseIds& ids) {
    InflectionWriter writer;
    std::vector<std::uint32_t> base_ids;
    for (const auto& [form, bases] : forms) {
        base_ids.clear();
        for (const auto& base : bases) {
            const auto id = ids.find(base);
            if (!id) return fail(fmt::format("form {:?} has unknown base {:?}", form, base));
            base_ids.push_back(*id);
        }
        // Bases are kept in byte order, which is id order: the ids ascend.
        if (auto added = writer.add(form, base_ids); !added) return forward(added);
    }
    return std::move(writer).finish();
}

}  // namespace

void DataSetBuilder::add_headword(std::string headword, std::vector<format::PosGroup> groups) {
    const auto [where, inserted] = headwords_.try_emplace(std::move(headword), std::move(groups));
    if (!inserted) duplicates_.push_back(where->first);
}

void DataSetBuilder::add_form(std::string form, std::string base) { forms_[std::move(form)].insert(std::move(base)); }

void DataSetBuilder::set_pos_names(std::vector<std::string> pos_names) { pos_names_ = std::move(pos_names); }

Result<DataSet> DataSetBuilder::build() const {
    if (!duplicates_.empty()) return fail(fmt::format("duplicate headword {:?}", duplicates_.front()));
    if (headwords_.size() > kMultiFlag) return fail("too many headwords");
    const std::vector<std::string> pos_names = pos_names_ ? *pos_names_ : first_seen_pos_names(headwords_);

    std::vector<std::uint8_t> body;
    Pairs offsets;
    std::vector<std::uint64_t> record_starts;
    std::vector<std::string> sorted;
    format::HeadwordTableWriter headword_table;
    offsets.reserve(headwords_.size());
    record_starts.reserve(headwords_.size());
    sorted.reserve(headwords_.size());
    for (const auto& [headword, groups] : headwords_) {
        offsets.emplace_back(headword, body.size());
        record_starts.push_back(body.size());
        sorted.push_back(headword);
        if (auto added = headword_table.add(headword); !added) return forward(added);
        if (auto appended = format::append_gloss_record(body, format::GlossRecord{groups}, pos_names); !appended)
            return forward(appended, fmt::format("encoding the record of {:?}", headword));
    }
    auto inflections = inflection_files(forms_, BaseIds(std::move(sorted)));
    if (!inflections) return forward(inflections);

    DataSet data;
    auto glosses_fst = word_map::build_word_map(offsets);
    if (!glosses_fst) return forward(glosses_fst, "building glosses.fst");
    auto glosses_bin = format::write_framed_glosses_bin(pos_names, body, record_starts, frame_size_, zstd_level_);
    if (!glosses_bin) return forward(glosses_bin, "building glosses.bin");
    const auto multi = format::MultiIndex::parse(inflections->inflections_multi_bin);
    if (!multi) return forward(multi, "reading back inflections-multi.bin");
    auto multi_offsets = format::write_multi_offsets(*multi);
    return DataSet{std::move(*glosses_fst),
                   std::move(*glosses_bin),
                   std::move(inflections->inflections_fst),
                   std::move(inflections->inflections_multi_bin),
                   {},
                   {},
                   std::move(headword_table).finish(),
                   std::move(multi_offsets)};
}

}  // namespace lomperi::morphology
