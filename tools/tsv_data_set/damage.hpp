#pragma once
// Deliberate damage to a built data set, for end-to-end tests of the
// program's start-up errors.
#include <string_view>
#include <vector>

#include "core/morphology/data_set.hpp"
#include "base/error.hpp"

namespace lomperi::tsv_data_set {

std::vector<std::string_view> damage_kinds();

// Fails on an unknown kind.
Result<void> apply_damage(morphology::DataSet& data, std::string_view kind);

}  // namespace lomperi::tsv_data_set
