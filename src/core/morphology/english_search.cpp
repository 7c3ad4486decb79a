#include "core/morphology/english_search.hpp"

#include <algorithm>

#include "core/morphology/english_keys.hpp"

namespace lomperi::morphology {
namespace {

std::optional<std::string> meaning_text(const Dictionary& dictionary, std::string_view headword, std::size_t number) {
    const auto record = dictionary.gloss_record(headword);
    if (!record) return std::nullopt;
    for (const auto& group : record->groups) {
        if (number < group.meanings.size()) return group.meanings[number];
        number -= group.meanings.size();
    }
    return std::nullopt;
}

// Appends the postings of one key, skipping headwords already listed.
void add_postings(const Dictionary& dictionary, std::uint64_t offset, std::size_t limit, std::vector<EnglishMatch>& out) {
    // An offset or a base id of an intact data set always reads.
    const auto postings = dictionary.english->postings.at(offset);
    if (!postings) {
        note_damaged_read();
        return;
    }
    for (const auto& posting : *postings) {
        if (out.size() >= limit) return;
        const auto found = dictionary.headwords.at(posting.base_id);
        if (!found) {
            note_damaged_read();
            continue;
        }
        const std::string_view headword = *found;
        if (std::ranges::any_of(out, [&](const EnglishMatch& m) { return m.headword == headword; })) continue;
        auto meaning = meaning_text(dictionary, headword, posting.meaning);
        if (!meaning) {
            note_damaged_read();
            continue;
        }
        out.push_back({std::string(headword), std::move(*meaning)});
    }
}

// The postings of exactly `key`, when it is a key with any.
void add_exact(const Dictionary& dictionary, std::string_view key, std::size_t limit, std::vector<EnglishMatch>& out) {
    if (key.empty()) return;
    const auto offset = dictionary.english->words.get(key);
    if (offset && *offset != 0) add_postings(dictionary, *offset, limit, out);
}

}  // namespace

std::vector<EnglishMatch> search_english(const Dictionary& dictionary, std::string_view prefix, std::size_t limit) {
    std::vector<EnglishMatch> out;
    if (!dictionary.english || prefix.empty()) return out;
    const std::string key = english_key(prefix);
    add_exact(dictionary, key, limit, out);
    add_exact(dictionary, without_lead(key), limit, out);
    auto stream = dictionary.english->words.prefix_stream(key);
    while (out.size() < limit) {
        const auto entry = stream.next();
        if (!entry) break;
        if (entry->value != 0) add_postings(dictionary, entry->value, limit, out);
    }
    return out;
}

std::vector<EnglishMatch> exact_english_translations(const Dictionary& dictionary, std::string_view word,
                                                     std::size_t limit) {
    std::vector<EnglishMatch> out;
    if (!dictionary.english) return out;
    const DamageWatch watch;
    const std::string key = english_key(word);
    add_exact(dictionary, key, limit, out);
    add_exact(dictionary, without_lead(key), limit, out);
    // What damaged bytes hid may have ranked first.
    if (watch.met()) return {};
    return out;
}

std::vector<EnglishMatch> english_translations(const Dictionary& dictionary, std::string_view word, std::size_t limit) {
    const DamageWatch watch;
    auto out = exact_english_translations(dictionary, word, limit);
    // The words that begin with one that could not be read are no stand-in for it.
    if (watch.met() || !out.empty()) return out;
    out = search_english(dictionary, word, limit);
    if (watch.met()) return {};
    return out;
}

}  // namespace lomperi::morphology
