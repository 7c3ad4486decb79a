#include "core/morphology/inflection_lookup.hpp"

#include <fmt/format.h>

#include "core/morphology/headword_search.hpp"
#include "base/utf8.hpp"

namespace lomperi::morphology {

namespace {

Result<std::vector<std::string_view>> bases_named(const Dictionary& dictionary, std::uint64_t value) {
    const auto target = static_cast<std::uint32_t>(value);
    const HeadwordList& headwords = dictionary.headwords;
    if ((target & format::kMultiFlag) == 0) {
        if (target >= headwords.size()) return fail(fmt::format("base id {} out of range", target));
        const auto headword = headwords.at(target);
        if (!headword) return fail(fmt::format("headword {} is damaged", target));
        return std::vector<std::string_view>{*headword};
    }
    Result<std::vector<std::uint32_t>> ids = dictionary.multi.base_ids(target & ~format::kMultiFlag);
    if (!ids) return forward(ids);
    std::vector<std::string_view> bases;
    bases.reserve(ids->size());
    for (std::uint32_t id : *ids) {
        if (id >= headwords.size()) return fail(fmt::format("multi base id {} out of range", id));
        const auto headword = headwords.at(id);
        if (!headword) return fail(fmt::format("headword {} is damaged", id));
        bases.push_back(*headword);
    }
    return bases;
}

}  // namespace

Result<std::vector<std::string_view>> resolve_bases(const Dictionary& dictionary, std::uint64_t value) {
    auto bases = bases_named(dictionary, value);
    // A value of an intact map always resolves.
    if (!bases) note_damaged_read();
    return bases;
}

std::vector<InflectionHit> search_inflections(const Dictionary& dictionary, std::string_view query, std::size_t limit) {
    std::vector<InflectionHit> hits;
    if (query.empty() || limit == 0) return hits;
    word_map::WordMapStream stream = dictionary.inflections.prefix_stream(query);
    while (hits.size() < limit) {
        std::optional<word_map::WordMapEntry> entry = stream.next();
        if (!entry) break;
        std::optional<std::string_view> form = utf8_text(entry->key);
        if (!form) continue;
        Result<std::vector<std::string_view>> bases = resolve_bases(dictionary, entry->value);
        if (!bases || bases->empty()) continue;
        hits.push_back({std::string(*form), std::move(*bases)});
    }
    return hits;
}

std::vector<InflectionCandidate> inflection_candidates(const Dictionary& dictionary, std::string_view query) {
    std::vector<InflectionCandidate> candidates;
    for (const InflectionHit& hit : search_inflections(dictionary, query, kListLimit)) {
        for (std::string_view base : hit.bases) {
            if (candidates.size() == kListLimit) return candidates;
            if (base == hit.form) continue;
            candidates.push_back({hit.form, std::string(base)});
        }
    }
    return candidates;
}

std::vector<std::string_view> bases_of(const Dictionary& dictionary, std::string_view form) {
    std::optional<std::uint64_t> value = dictionary.inflections.get(form);
    if (!value) return {};
    Result<std::vector<std::string_view>> bases = resolve_bases(dictionary, *value);
    if (!bases) return {};
    return std::move(*bases);
}

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
