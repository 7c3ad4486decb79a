#pragma once
// Writes every file of a data set: from headwords with their gloss records,
// from word forms with their bases, and from the English side's files. The
// data tool and the tests' small data sets both build through it, and
// nothing else writes a data-set file.
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.hpp"
#include "core/morphology/data_set.hpp"
#include "core/morphology/english_writer.hpp"
#include "core/morphology/inflection_writer.hpp"
#include "format/checksum_table.hpp"
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

    // The same for large sets, streamed: forms in strictly ascending byte
    // order, each with the base ids of its headwords (their positions in
    // byte order), ascending. Not to be mixed with add_form.
    Result<void> add_form_ids(std::string_view form, std::span<const std::uint32_t> ids);

    // The English side, its base ids numbered as above.
    void set_english(EnglishFiles english) { english_ = std::move(english); }

    // The analyser's transducer, embedded as it is.
    void set_analyser(Bytes transducer) { analyser_.assign(transducer.begin(), transducer.end()); }

    // How often each headword's forms are used, by base id (see
    // format/headword_ranks.hpp).
    void set_ranks(std::vector<std::uint16_t> ranks) { ranks_ = std::move(ranks); }

    // The part-of-speech table, in this order. Without it the table lists the
    // parts of speech in the order first seen, walking headwords in key order.
    void set_pos_names(std::vector<std::string> pos_names);

    void set_zstd_level(int level) { zstd_level_ = level; }
    // The size of the checksummed chunks as a power of two; 0 writes no
    // checksums.bin.
    void set_chunk_shift(unsigned shift) { chunk_shift_ = shift; }
    // The plain size at which glosses.bin starts a new frame.
    void set_frame_size(std::size_t bytes) { frame_size_ = bytes; }

    // Fails on a form whose base is no headword, a duplicate headword, a part
    // of speech missing from an explicit table, forms given both ways, or a
    // count beyond its field.
    // Once: the streamed forms are spent by it.
    Result<DataSet> build();

private:
    Result<InflectionFiles> finish_forms();

    std::map<std::string, std::vector<format::PosGroup>> headwords_;
    std::vector<std::string> duplicates_;
    std::map<std::string, std::set<std::string>> forms_;
    InflectionWriter streamed_forms_;
    std::optional<EnglishFiles> english_;
    std::vector<std::uint8_t> analyser_;
    std::vector<std::uint16_t> ranks_;
    std::optional<std::vector<std::string>> pos_names_;
    int zstd_level_ = kDefaultZstdLevel;
    std::size_t frame_size_ = format::kGlossFrameSize;
    unsigned chunk_shift_ = format::kDefaultChunkShift;
};

}  // namespace lomperi::morphology
