#pragma once
// What one raw analysis of voikko-fi's transducer says, read as voikko's own
// library reads it, so that the program agrees with it: whether the analysis
// is valid (the hyphen rules of compounds), its attributes (read right to
// left, the rightmost tag of each kind winning), its base form, and the
// parts of a compound with their base forms.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/form.hpp"

namespace lomperi::analysis {

// One part of a word as voikko's WORDBASES tells it: the letters of the
// part, and its base form (the base of a derivational suffix starts with "+").
struct VoikkoPart {
    std::string text;
    std::string base;
    friend bool operator==(const VoikkoPart&, const VoikkoPart&) = default;
};

struct VoikkoAnalysis {
    Form form;  // its attributes
    std::string base_form;
    std::vector<VoikkoPart> parts;
    std::size_t output = 0;  // the raw analysis it was read from
};

// The analyses of a word from its raw analyses: invalid ones left out, and
// an organisation's name also read as a name, as voikko does.
std::vector<VoikkoAnalysis> read_voikko_outputs(std::string_view word, const std::vector<std::string>& outputs);

}  // namespace lomperi::analysis
