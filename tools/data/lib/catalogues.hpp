#pragma once
// Translation catalogues of software (gettext's binary .mo files): each
// English message with its Finnish translation, as evidence of which sense
// of a Finnish word the translators use.
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.hpp"
#include "base/error.hpp"

namespace lomperi::data_build {

struct CataloguePair {
    std::string english;
    std::string finnish;
    friend bool operator==(const CataloguePair&, const CataloguePair&) = default;
};

// Every translated message of one .mo file, either byte order: the context
// ("ctxt\x04message") dropped, the singular and the plural each paired with
// the translation's first two forms, the header and untranslated messages
// left out, both sides cleaned (clean_message).
Result<std::vector<CataloguePair>> read_mo(Bytes bytes);

// A message as running text: the accelerator marks ("_Open", "&Save",
// "~Print") and markup tags dropped, format directives ("%s", "%1$d",
// "{name}") taken for spaces, spaces collapsed.
std::string clean_message(std::string_view text);

}  // namespace lomperi::data_build
