#pragma once
// A word or phrase looked up both as a headword and as an inflected form.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/morphology/dictionary.hpp"
#include "format/gloss.hpp"

namespace lomperi::morphology {

struct PhraseCandidate {
    std::optional<std::string> base;  // absent: the phrase itself is the headword
    format::GlossRecord record;
    friend bool operator==(const PhraseCandidate&, const PhraseCandidate&) = default;
};

// The phrase as a headword first (when it has a record), then each of its
// bases other than itself that has a record, in stored order.
std::vector<PhraseCandidate> lookup_phrase(const Dictionary& dictionary, std::string_view phrase);

// The headword to show for a query that matched no headword: the first base
// of the query (as an exact form) that has a record, else its first base.
std::optional<std::string> fallback_headword(const Dictionary& dictionary, std::string_view query);

}  // namespace lomperi::morphology
