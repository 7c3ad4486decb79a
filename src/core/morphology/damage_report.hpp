#pragma once
// Damaged data told: which files of the data set reads have found damaged,
// every chunk checked for --version, and the one wording the command line,
// the server and the entry pane use.
#include <cstdint>
#include <string>
#include <vector>

#include "core/morphology/dictionary.hpp"

namespace lomperi::morphology {

// The files in which a check has found a damaged chunk so far.
std::vector<DataFile> files_found_damaged(const Dictionary& dictionary);

struct DamagedFile {
    DataFile file;
    std::uint64_t damaged_chunks = 0;
    std::uint64_t chunks = 0;
    friend bool operator==(const DamagedFile&, const DamagedFile&) = default;
};

// Every chunk of every file checked now (tens of milliseconds): the damaged files.
std::vector<DamagedFile> check_every_chunk(const Dictionary& dictionary);

// "damaged data in glosses.fst, mor.vfst: ...", naming the files found
// damaged so far (none are known in a data set without checksums).
std::string damage_message(const Dictionary& dictionary);

}  // namespace lomperi::morphology
