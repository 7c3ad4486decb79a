#pragma once
// Reading dictd databases (the .index and the uncompressed .dict text) into
// records: headword, part of speech, and senses with their descriptions.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.hpp"

namespace lomperi::data_build {

struct DictdIndexEntry {
    std::string word;
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
};

// One translation line and the description lines that belong to it.
struct DictdSense {
    std::string translations;
    std::vector<std::string> descriptions;
    friend bool operator==(const DictdSense&, const DictdSense&) = default;
};

struct DictdRecord {
    std::string headword;
    std::string pos;  // as written in the source, "" when the record has none
    std::vector<DictdSense> senses;
    friend bool operator==(const DictdRecord&, const DictdRecord&) = default;
};

// dictd's base-64 numbers ("A" = 0, "BA" = 64).
std::optional<std::uint64_t> decode_dictd_number(std::string_view digits);

// The index lines in file order, without the 00database* entries.
Result<std::vector<DictdIndexEntry>> parse_dictd_index(std::string_view text);

// One record: first line "headword /ipa/ <pos>", then the senses. The index
// is lower-cased, so the headword is taken from this line.
Result<DictdRecord> parse_dictd_record(std::string_view text);

// Every record of a database, each once, in index order.
Result<std::vector<DictdRecord>> read_dictd(std::string_view index, std::string_view dict);

}  // namespace lomperi::data_build
