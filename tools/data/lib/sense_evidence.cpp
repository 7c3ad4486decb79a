#include "sense_evidence.hpp"

#include <algorithm>
#include <set>
#include <utility>

#include "base/text.hpp"
#include "cleaning.hpp"
#include "core/morphology/english_keys.hpp"

namespace lomperi::data_build {
namespace {

std::string pair_key(std::string_view a, std::string_view b) {
    std::string key;
    key.reserve(a.size() + b.size() + 1);
    key.append(a);
    key += '\t';
    key.append(b);
    return key;
}

bool is_ascii_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Runs of letters (any byte of a multi-byte character counts as one) and
// hyphens inside them.
std::vector<std::string> words_of(std::string_view text, bool ascii_only) {
    std::vector<std::string> words;
    std::string word;
    const auto letter = [&](char c) { return is_ascii_letter(c) || (!ascii_only && static_cast<unsigned char>(c) >= 0x80); };
    for (std::size_t at = 0; at <= text.size(); ++at) {
        const char c = at < text.size() ? text[at] : ' ';
        if (letter(c) || (c == '-' && !word.empty() && at + 1 < text.size() && letter(text[at + 1]))) {
            word += c;
            continue;
        }
        if (!word.empty()) words.push_back(std::move(word));
        word.clear();
    }
    return words;
}

// The English key as written and with a plural ending, as messages use it.
std::vector<std::string> plural_variants(std::string_view english) {
    std::vector<std::string> out{std::string(english)};
    if (english.find(' ') != std::string_view::npos) return out;
    out.push_back(std::string(english) + "s");
    out.push_back(std::string(english) + "es");
    return out;
}

}  // namespace

EnglishPrimacy::EnglishPrimacy(const std::vector<DictdRecord>& english_finnish) {
    std::unordered_map<std::string, std::pair<std::size_t, std::size_t>> main;  // english -> (senses, record)
    std::vector<std::string> english(english_finnish.size());
    for (std::size_t r = 0; r < english_finnish.size(); ++r) {
        english[r] = lower_case(strip_wiki_markup(english_finnish[r].headword));
        const std::size_t senses = english_finnish[r].senses.size();
        auto [at, added] = main.try_emplace(english[r], senses, r);
        if (!added && senses > at->second.first) at->second = {senses, r};
    }
    for (std::size_t r = 0; r < english_finnish.size(); ++r) {
        const bool is_main = main.at(english[r]).second == r;
        const auto& senses = english_finnish[r].senses;
        for (std::size_t s = 0; s < senses.size(); ++s) {
            std::size_t position = 0;
            for (const auto& item : split_items(senses[s].translations)) {
                const auto finnish = clean_finnish_key(item);
                if (!finnish) continue;
                const bool first = position++ == 0;
                const std::uint8_t tier = is_main && s == 0 && first ? 3 : first || (is_main && s == 0) ? 2 : 1;
                auto& kept = tiers_[pair_key(*finnish, english[r])];
                kept = std::max(kept, tier);
            }
        }
    }
}

std::uint8_t EnglishPrimacy::tier(std::string_view finnish, std::string_view english) const {
    const auto found = tiers_.find(pair_key(finnish, english));
    return found == tiers_.end() ? 0 : found->second;
}

CatalogueCounts::CatalogueCounts(const std::vector<CataloguePair>& pairs, const Lemmatizer& lemmas) {
    std::set<std::pair<std::string_view, std::string_view>> seen;
    std::unordered_map<std::string, std::vector<std::string>> lemma_cache;
    for (const auto& pair : pairs) {
        if (!seen.emplace(pair.english, pair.finnish).second) continue;
        auto english_words = words_of(pair.english, true);
        const auto finnish_words = words_of(pair.finnish, false);
        if (english_words.empty() || finnish_words.empty()) continue;
        if (english_words.size() > kMaxCatalogueWords || finnish_words.size() > kMaxCatalogueWords) continue;
        ++pairs_;
        std::set<std::string> keys;
        for (auto& word : english_words) word = lower_case(word);
        for (std::size_t k = 0; k < english_words.size(); ++k) {
            keys.insert(english_words[k]);
            if (k + 1 < english_words.size()) keys.insert(english_words[k] + ' ' + english_words[k + 1]);
        }
        std::set<std::string> found;
        for (const auto& word : finnish_words) {
            auto cached = lemma_cache.find(word);
            if (cached == lemma_cache.end()) cached = lemma_cache.emplace(word, lemmas(word)).first;
            found.insert(cached->second.begin(), cached->second.end());
        }
        for (const auto& key : keys) {
            ++english_[key];
            for (const auto& lemma : found) ++together_[pair_key(lemma, key)];
        }
    }
}

std::uint32_t CatalogueCounts::english(std::string_view english) const {
    const auto found = english_.find(std::string(english));
    return found == english_.end() ? 0 : found->second;
}

std::uint32_t CatalogueCounts::together(std::string_view lemma, std::string_view english) const {
    const auto found = together_.find(pair_key(lemma, english));
    return found == together_.end() ? 0 : found->second;
}

SenseEvidence::SenseEvidence(EnglishPrimacy primacy, CatalogueCounts catalogues,
                             const std::vector<std::string>& english_by_frequency)
    : primacy_(std::move(primacy)), catalogues_(std::move(catalogues)) {
    for (std::size_t k = 0; k < english_by_frequency.size(); ++k) rank_.try_emplace(lower_case(english_by_frequency[k]), k);
}

std::size_t SenseEvidence::rank(std::string_view english) const {
    std::size_t least = 0;
    std::size_t words = 0;
    for (std::size_t start = 0; start <= english.size();) {
        std::size_t end = english.find(' ', start);
        if (end == std::string_view::npos) end = english.size();
        if (end > start) {
            const auto found = rank_.find(std::string(english.substr(start, end - start)));
            if (found == rank_.end()) return kUnknownRank;
            least = std::max(least, found->second);
            ++words;
        }
        start = end + 1;
    }
    if (words == 0) return kUnknownRank;
    return std::min(kUnknownRank, least * (words + 1) / 2);
}

MeaningEvidence SenseEvidence::of(std::string_view headword, std::string_view meaning) const {
    MeaningEvidence evidence;
    const auto keys = morphology::meaning_keys(meaning);
    for (const auto& key : keys) evidence.primacy = std::max(evidence.primacy, primacy_.tier(headword, key.key));
    // The English-Finnish side lacks many a common sense ("wolf" for susi):
    // then the sense is as common as the word it is shown by.
    if (evidence.primacy == 0 && !keys.empty()) evidence.rank = rank(keys.front().key);
    for (const auto& key : keys) {
        if (evidence.primacy > 0 && primacy_.tier(headword, key.key) >= std::min<std::uint8_t>(evidence.primacy, 2)) {
            evidence.rank = std::min(evidence.rank, rank(key.key));
        }
        std::uint32_t together = 0;
        std::uint32_t messages = 0;
        for (const auto& variant : plural_variants(key.key)) {
            together += catalogues_.together(headword, variant);
            messages += catalogues_.english(variant);
        }
        if (together > evidence.together) {
            evidence.together = together;
            evidence.share = static_cast<double>(together) / static_cast<double>(messages);
        }
    }
    return evidence;
}

std::size_t SenseEvidence::first_translations(std::string_view headword, const std::vector<std::string>& meanings) const {
    std::set<std::string> keys;
    for (const auto& meaning : meanings) {
        for (auto& key : morphology::meaning_keys(meaning)) {
            if (primacy_.tier(headword, key.key) == 3) keys.insert(std::move(key.key));
        }
    }
    return keys.size();
}

bool catalogues_prefer(const MeaningEvidence& a, const MeaningEvidence& b) {
    return a.together >= 2 * b.together + kCatalogueMargin;
}

std::optional<std::size_t> votes_to_lead(const MeaningEvidence& candidate, bool candidate_inverted,
                                          const MeaningEvidence& first, bool first_names_field) {
    if (candidate.primacy + 1 < first.primacy) return std::nullopt;
    if (candidate.rank > 2 * first.rank && !first_names_field) return std::nullopt;
    const bool primacy = candidate.primacy > first.primacy;
    const bool common = 2 * candidate.rank <= first.rank;
    const bool translated = catalogues_prefer(candidate, first) && candidate.share >= 0.2;
    if (candidate.primacy < first.primacy && !(common && translated)) return std::nullopt;
    if (candidate_inverted && !translated) return std::nullopt;
    const std::size_t votes = std::size_t{primacy} + std::size_t{common} + std::size_t{translated};
    if (votes < 2) return std::nullopt;
    return votes;
}

}  // namespace lomperi::data_build
