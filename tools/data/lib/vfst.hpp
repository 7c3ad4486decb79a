#pragma once
// A walk over every path of voikko-fi's analyser transducer (read by
// format/vfst.hpp): its input side is the surface form and its output side
// the analysis, so walking the paths below a policy enumerates word forms
// with their analyses.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.hpp"
#include "base/error.hpp"
#include "format/vfst.hpp"

namespace lomperi::data_build {

using format::Vfst;

// At most `max` output tags of `tags` on one path.
struct TagLimit {
    std::vector<std::string> tags;
    int max = 0;
};

// Which paths a walk follows: it leaves a path on an input character outside
// `letters` and on an output tag beyond one of the limits (a limit of 0
// stops at the tag: compound boundaries, say).
struct PathPolicy {
    std::vector<TagLimit> limits;
    std::string letters;  // UTF-8: the characters a form may hold
    std::size_t max_input_bytes = 60;
};

// Calls `emit(form, analysis)` for every path from the start state to a
// final state that the policy allows, depth first, with the flag
// diacritics applied as the analyser applies them.
void walk_paths(const Vfst& vfst, const PathPolicy& policy,
                const std::function<void(std::string_view form, std::string_view analysis)>& emit);

}  // namespace lomperi::data_build
