#pragma once
// Deliberate damage to a built data set, for end-to-end tests of the
// program's start-up errors and of what it says of damage met later; and a
// data set cut down to its required files.
#include <string_view>
#include <vector>

#include "core/morphology/data_set.hpp"
#include "base/error.hpp"

namespace lomperi::tsv_data_set {

std::vector<std::string_view> damage_kinds();

// The size of the checksummed chunks the kind needs, as a power of two:
// small for damage found at run time, so that one flipped byte spoils a
// chunk in the middle of a small file, not its first or last chunk, which
// the loader checks.
unsigned chunk_shift_for(std::string_view kind);

// Fails on an unknown kind.
Result<void> apply_damage(morphology::DataSet& data, std::string_view kind);

}  // namespace lomperi::tsv_data_set
