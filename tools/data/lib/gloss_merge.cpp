#include "gloss_merge.hpp"

#include <algorithm>

#include "cleaning.hpp"
#include "pos_names.hpp"
#include "base/text.hpp"
#include "text.hpp"

namespace lomperi::data_build {
namespace {

// The sources cut the first character of every suffix entry ("-kin" became
// "kin" with "lso, oo"); they cannot be repaired, and the inverted side
// brings the common suffixes back.
bool is_damaged_suffix_entry(const DictdRecord& record) {
    return record.pos == "suffix";
}

constexpr std::size_t kMaxMeaningsPerGroup = 255;
constexpr std::size_t kMaxMeaningBytes = 65535;

bool append_meaning(format::PosGroup& group, std::string meaning) {
    if (meaning.empty() || meaning.size() > kMaxMeaningBytes) return false;
    if (group.meanings.size() >= kMaxMeaningsPerGroup) return false;
    if (std::ranges::find(group.meanings, meaning) != group.meanings.end()) return false;
    group.meanings.push_back(std::move(meaning));
    return true;
}

}  // namespace

GlossMerger::Group& GlossMerger::group_of(const std::string& headword, const std::string& pos) {
    auto& groups = entries_[headword];
    for (auto& group : groups) {
        if (group.group.pos == pos) return group;
    }
    groups.push_back({format::PosGroup{pos, {}}, {}, 0});
    return groups.back();
}

void GlossMerger::add_record(const DictdRecord& record) {
    if (is_damaged_suffix_entry(record)) return;
    const auto pos = pos_from_label(record.pos);
    std::vector<std::string> meanings;
    for (const auto& sense : record.senses) {
        auto meaning = clean_meaning(sense.translations);
        if (!meaning.empty()) meanings.push_back(std::move(meaning));
    }
    if (meanings.empty()) return;
    auto& group = group_of(record.headword, pos);
    for (auto& meaning : meanings) {
        for (const auto& item : split_items(meaning)) group.words.insert(lower_case(item));
        append_meaning(group.group, std::move(meaning));
    }
}

void GlossMerger::add_inverted_record(const DictdRecord& record) {
    if (is_damaged_suffix_entry(record)) return;
    const auto pos = pos_from_label(record.pos);
    const auto english = lower_case(strip_wiki_markup(record.headword));
    for (const auto& sense : record.senses) {
        const auto meaning = inverted_meaning(record.headword, sense.descriptions);
        for (const auto& item : split_items(sense.translations)) {
            const auto key = clean_finnish_key(item);
            if (!key) continue;
            auto& group = group_of(*key, pos);
            if (group.words.contains(english) || group.inverted >= kMaxInvertedPerGroup) continue;
            if (append_meaning(group.group, meaning)) ++group.inverted;
        }
    }
}

std::map<std::string, std::vector<format::PosGroup>> GlossMerger::entries() const {
    std::map<std::string, std::vector<format::PosGroup>> out;
    for (const auto& [headword, groups] : entries_) {
        std::vector<format::PosGroup> kept;
        for (const auto& group : groups) {
            if (!group.group.meanings.empty()) kept.push_back(group.group);
        }
        if (!kept.empty()) out.emplace(headword, std::move(kept));
    }
    return out;
}

}  // namespace lomperi::data_build
