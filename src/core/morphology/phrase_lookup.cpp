#include "core/morphology/phrase_lookup.hpp"

#include "core/morphology/inflection_lookup.hpp"

namespace lomperi::morphology {

std::vector<PhraseCandidate> lookup_phrase(const Dictionary& dictionary, std::string_view phrase) {
    std::vector<PhraseCandidate> candidates;
    if (std::optional<format::GlossRecord> record = dictionary.gloss_record(phrase)) {
        candidates.push_back({std::nullopt, std::move(*record)});
    }
    for (std::string_view base : bases_of(dictionary, phrase)) {
        if (base == phrase) continue;
        std::optional<format::GlossRecord> record = dictionary.gloss_record(base);
        if (!record) continue;
        candidates.push_back({std::string(base), std::move(*record)});
    }
    return candidates;
}

std::optional<std::string> fallback_headword(const Dictionary& dictionary, std::string_view query) {
    std::vector<std::string_view> bases = bases_of(dictionary, query);
    if (bases.empty()) return std::nullopt;
    for (std::string_view base : bases) {
        if (dictionary.gloss_record(base)) return std::string(base);
    }
    return std::string(bases.front());
}

}  // namespace lomperi::morphology
