#pragma once
// Builds the data files from headwords with their gloss records and from
// (form, base) pairs. Used by the data tool and by tests for small data sets.
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/morphology/data_set.hpp"
#include "base/error.hpp"
#include "format/gloss.hpp"
#include "format/gloss_writer.hpp"
#include "format/multi_index.hpp"

namespace lomperi::morphology {

using format::kMultiFlag;
inline constexpr int kDefaultZstdLevel = 19;

class DataSetBuilder {
public:
    // Adds a headword; adding the same headword twice makes build() fail.
    // Keys are taken as bytes, so tests can also build damaged data sets.
    void add_headword(std::string headword, std::vector<format::PosGroup> groups);

    // Records that `form` is a form of the headword `base`. A form with two
    // or more distinct bases becomes a multi entry; repeats are ignored.
    void add_form(std::string form, std::string base);

    // The part-of-speech table, in this order. Without it the table lists the
    // parts of speech in the order first seen, walking headwords in key order.
    void set_pos_names(std::vector<std::string> pos_names);

    void set_zstd_level(int level) { zstd_level_ = level; }
    // The plain size at which glosses.bin starts a new frame.
    void set_frame_size(std::size_t bytes) { frame_size_ = bytes; }

    // Fails on a form whose base is no headword, a duplicate headword, a part
    // of speech missing from an explicit table, or a count beyond its field.
    Result<DataSet> build() const;

private:
    std::map<std::string, std::vector<format::PosGroup>> headwords_;
    std::vector<std::string> duplicates_;
    std::map<std::string, std::set<std::string>> forms_;
    std::optional<std::vector<std::string>> pos_names_;
    int zstd_level_ = kDefaultZstdLevel;
    std::size_t frame_size_ = format::kGlossFrameSize;
};

}  // namespace lomperi::morphology
