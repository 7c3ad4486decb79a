#pragma once
// Merges the Finnish-English records with the inverted English-Finnish ones
// into one gloss record per Finnish headword.
#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "dictd.hpp"
#include "format/gloss.hpp"

namespace lomperi::data_build {

inline constexpr std::size_t kMaxInvertedPerGroup = 12;

class GlossMerger {
public:
    // A Finnish-English record: each sense's translations are one meaning;
    // the Finnish descriptions are left out.
    void add_record(const DictdRecord& record);

    // An English-Finnish record: each Finnish translation gets the meaning
    // "english (description)" under the record's part of speech.
    void add_inverted_record(const DictdRecord& record);

    std::map<std::string, std::vector<format::PosGroup>> entries() const;
    std::size_t headword_count() const { return entries_.size(); }

private:
    struct Group {
        format::PosGroup group;
        std::set<std::string> words;  // lower-cased translation items of the forward side
        std::size_t inverted = 0;
    };
    Group& group_of(const std::string& headword, const std::string& pos);

    std::map<std::string, std::vector<Group>> entries_;
};

}  // namespace lomperi::data_build
