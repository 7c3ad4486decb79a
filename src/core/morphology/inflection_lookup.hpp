#pragma once
// Inflection lookup: from word forms to their base headwords.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/morphology/dictionary.hpp"
#include "base/error.hpp"
#include "format/gloss.hpp"

namespace lomperi::morphology {

// The headwords that an `inflections` value names, borrowed from
// `dictionary.headwords`, in stored order. One bad id fails the whole list,
// a read that met damage.
Result<std::vector<std::string_view>> resolve_bases(const Dictionary& dictionary, std::uint64_t value);

struct InflectionHit {
    std::string form;
    std::vector<std::string_view> bases;
    friend bool operator==(const InflectionHit&, const InflectionHit&) = default;
};

// The forms that begin with the bytes of `query`, with their bases, at most
// `limit` of them. Keys that are not UTF-8 or whose value does not resolve
// are skipped and do not count.
std::vector<InflectionHit> search_inflections(const Dictionary& dictionary, std::string_view query, std::size_t limit);

struct InflectionCandidate {
    std::string form;
    std::string base;
    friend bool operator==(const InflectionCandidate&, const InflectionCandidate&) = default;
};

// One row per (form, base) pair of the first kListLimit forms, leaving out a
// form paired with itself; at most kListLimit rows.
std::vector<InflectionCandidate> inflection_candidates(const Dictionary& dictionary, std::string_view query);

// The bases of exactly `form`; empty when it is no form or does not resolve.
std::vector<std::string_view> bases_of(const Dictionary& dictionary, std::string_view form);

// A word or phrase looked up both as a headword and as an inflected form.
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
