#include "core/morphology/entry_choice.hpp"

#include "core/morphology/forgiving_lookup.hpp"
#include "core/morphology/headword_search.hpp"
#include "core/morphology/inflection_lookup.hpp"

namespace lomperi::morphology {
namespace {

bool nothing_begins_with(const Dictionary& dictionary, std::string_view query) {
    return search_headwords(dictionary.glosses, query, 1).empty() && search_inflections(dictionary, query, 1).empty();
}

// The entry of a spelling that the lists show as they are.
void choose_as_listed(const Dictionary& dictionary, EntryChoice& choice) {
    if (dictionary.glosses.get(choice.listed)) {
        choice.headword = choice.listed;
        return;
    }
    if (auto base = fallback_headword(dictionary, choice.listed)) {
        choice.headword = std::move(base);
        choice.focus = ListFocus::Inflections;
        return;
    }
    if (const auto first = search_headwords(dictionary.glosses, choice.listed, 1); !first.empty()) {
        choice.headword = first.front().headword;
    }
}

}  // namespace

EntryChoice choose_entry(const Dictionary& dictionary, std::string_view query) {
    EntryChoice choice{std::string(query), {}, {}, {}, ListFocus::Matches};
    if (query.empty()) return choice;
    auto forgiven = forgive_query(dictionary, query, nothing_begins_with(dictionary, query));
    if (forgiven) choice.notes.push_back(std::move(forgiven->note));
    if (forgiven && !forgiven->parts.empty()) {
        choice.headword = std::string(query);
        choice.built = compound_record(dictionary, forgiven->parts);
        return choice;
    }
    if (forgiven) choice.listed = std::move(forgiven->found);
    choose_as_listed(dictionary, choice);
    return choice;
}

std::optional<format::GlossRecord> chosen_record(const Dictionary& dictionary, const EntryChoice& choice) {
    if (choice.built) return choice.built;
    if (!choice.headword) return std::nullopt;
    return dictionary.gloss_record(*choice.headword);
}

}  // namespace lomperi::morphology
