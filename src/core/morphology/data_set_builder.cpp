#include "core/morphology/data_set_builder.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <utility>

#include "core/word_map/builder.hpp"
#include "format/gloss_writer.hpp"
#include "format/multi_writer.hpp"

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

struct InflectionTables {
    Pairs targets;
    std::vector<std::vector<std::uint32_t>> multi_entries;
};

Result<InflectionTables> inflection_tables(const std::map<std::string, std::set<std::string>>& forms, const BaseIds& ids) {
    InflectionTables tables;
    tables.targets.reserve(forms.size());
    for (const auto& [form, bases] : forms) {
        std::vector<std::uint32_t> base_ids;
        for (const auto& base : bases) {
            const auto id = ids.find(base);
            if (!id) return fail(fmt::format("form {:?} has unknown base {:?}", form, base));
            base_ids.push_back(*id);
        }
        // Bases are kept in byte order, which is id order: the ids ascend.
        if (base_ids.size() == 1) {
            tables.targets.emplace_back(form, base_ids.front());
            continue;
        }
        if (tables.multi_entries.size() >= kMultiFlag) return fail("too many multi entries");
        tables.targets.emplace_back(form, kMultiFlag | static_cast<std::uint32_t>(tables.multi_entries.size()));
        tables.multi_entries.push_back(std::move(base_ids));
    }
    return tables;
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
    std::vector<std::string> sorted;
    offsets.reserve(headwords_.size());
    sorted.reserve(headwords_.size());
    for (const auto& [headword, groups] : headwords_) {
        offsets.emplace_back(headword, body.size());
        sorted.push_back(headword);
        if (auto appended = format::append_gloss_record(body, format::GlossRecord{groups}, pos_names); !appended)
            return forward(appended, fmt::format("encoding the record of {:?}", headword));
    }
    const auto tables = inflection_tables(forms_, BaseIds(std::move(sorted)));
    if (!tables) return forward(tables);

    DataSet data;
    auto glosses_fst = word_map::build_word_map(offsets);
    if (!glosses_fst) return forward(glosses_fst, "building glosses.fst");
    auto glosses_bin = format::write_glosses_bin(pos_names, body, zstd_level_);
    if (!glosses_bin) return forward(glosses_bin, "building glosses.bin");
    auto inflections_fst = word_map::build_word_map(tables->targets);
    if (!inflections_fst) return forward(inflections_fst, "building inflections.fst");
    auto multi_bin = format::write_multi_bin(tables->multi_entries);
    if (!multi_bin) return forward(multi_bin, "building inflections-multi.bin");
    return DataSet{std::move(*glosses_fst), std::move(*glosses_bin), std::move(*inflections_fst), std::move(*multi_bin)};
}

}  // namespace lomperi::morphology
