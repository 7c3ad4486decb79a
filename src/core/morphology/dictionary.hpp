#pragma once
// The loaded data set: both word maps, the gloss store and the multi-index,
// checked and built once at start-up from the four embedded arrays.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/morphology/byte_buffer.hpp"
#include "core/word_map/word_map.hpp"
#include "base/bytes.hpp"
#include "base/error.hpp"
#include "format/gloss.hpp"
#include "format/multi_index.hpp"

namespace lomperi::morphology {

struct GlossStore {
    std::vector<std::string> pos_names;  // index = pos_idx
    ByteBuffer body;                     // the decompressed records, exactly plain_size bytes
};

struct GlossHalf {
    GlossStore gloss_store;
    word_map::WordMap glosses;
};

struct InflectionHalf {
    format::MultiIndex multi;
    std::vector<std::string> headwords;
    word_map::WordMap inflections;
};

struct Dictionary {
    GlossStore gloss_store;
    word_map::WordMap glosses;  // headword -> record offset in gloss_store.body
    format::MultiIndex multi;
    std::vector<std::string> headwords;  // every glosses key in key order; index = base id
    word_map::WordMap inflections;                 // word form -> inflection target

    // The decoded record of `headword`, or nothing when it is no key or its
    // record does not decode.
    std::optional<format::GlossRecord> gloss_record(std::string_view headword) const;
};

struct DataFiles {
    Bytes glosses_fst;
    Bytes glosses_bin;
    Bytes inflections_fst;
    Bytes inflections_multi_bin;
};

Result<GlossHalf> load_glosses(Bytes glosses_fst, Bytes glosses_bin);
Result<InflectionHalf> load_inflections(Bytes inflections_fst, Bytes multi_bin, const word_map::WordMap& glosses);

// load_glosses, then load_inflections; the first error ends the load.
Result<Dictionary> load_dictionary(const DataFiles& files);

}  // namespace lomperi::morphology
