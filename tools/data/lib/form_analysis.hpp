#pragma once
// One morphological analysis of a word form (the analyser's attribute names
// and values), its text form for fixtures, and the machine-made meaning
// that names the form: "inessive singular of talo".
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "base/error.hpp"
#include "core/analysis/form.hpp"

namespace lomperi::data_build {

struct Analysis {
    std::map<std::string, std::string, std::less<>> attributes;

    // The value of an attribute, "" when it is absent.
    std::string_view get(std::string_view name) const;
    friend bool operator==(const Analysis&, const Analysis&) = default;
};

// "BASEFORM=olla CLASS=teonsana ..." and back; values hold no spaces.
Result<Analysis> parse_analysis(std::string_view text);
std::string format_analysis(const Analysis& analysis);

// The word the form is described as a form of: the verb of a participle
// ("lukeva" -> "lukea"), else the base form.
std::string described_base(const Analysis& analysis);

// The form's codes, read from libvoikko's attribute names ("SIJAMUOTO=sisaolento").
analysis::Form form_of(const Analysis& analysis);

// "third-person singular past indicative of olla", "comparative degree of
// hyvä"; nothing when the analysis is of the base form itself or says too
// little to describe.
std::optional<std::string> describe_form(std::string_view form, const Analysis& analysis);

}  // namespace lomperi::data_build
