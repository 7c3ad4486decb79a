#include "core/reading/review_entry.hpp"

#include <algorithm>

#include "core/analysis/form_text.hpp"
#include "core/answer/answer.hpp"

namespace lomperi::reading {
namespace {

// A field as spreadsheets and flash-card importers read tab-separated
// values back: on one line without tabs, and quoted with its quotes doubled
// when it holds a quote, since a field that begins with one is read as quoted
// up to the quote that closes it, lines after it included.
std::string one_field(std::string text) {
    std::ranges::replace(text, '\t', ' ');
    std::ranges::replace(text, '\n', ' ');
    std::ranges::replace(text, '\r', ' ');
    if (text.find('"') == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

// The text of a field this version wrote.
std::string unquoted(std::string_view field) {
    if (field.size() < 2 || !field.starts_with('"')) return std::string(field);
    std::string text;
    for (std::size_t at = 1; at + 1 < field.size(); ++at) {
        text += field[at];
        if (field[at] == '"') ++at;
    }
    return text;
}

// Versions before quoting wrote a field's text as it was.
bool same_field(std::string_view stored, std::string_view field) {
    return stored == field || (field.starts_with('"') && stored == unquoted(field));
}

std::string_view first_field(std::string_view line) { return line.substr(0, line.find('\t')); }

std::string_view last_field(std::string_view line) {
    if (line.ends_with('\n')) line.remove_suffix(1);
    const std::size_t tab = line.rfind('\t');
    return tab == std::string_view::npos ? line : line.substr(tab + 1);
}

}  // namespace

ReviewEntry review_entry(const morphology::Dictionary& dictionary, std::string_view word, std::string sentence) {
    ReviewEntry entry{std::string(word), {}, {}, {}, std::move(sentence)};
    const auto found = answer::answer(dictionary, word, answer::Detail::Meaning);
    const auto& choice = found.choice;
    if (!choice.readings.empty()) {
        entry.lemma = choice.readings.front().lemma;
        entry.labels = analysis::form_labels(choice.readings.front().form);
    } else if (choice.headword) {
        entry.lemma = *choice.headword;
    }
    entry.meaning = found.meaning.value_or("");
    return entry;
}

std::string review_line(const ReviewEntry& entry) {
    return one_field(entry.word) + '\t' + one_field(entry.lemma) + '\t' + one_field(entry.labels) + '\t' +
           one_field(entry.meaning) + '\t' + one_field(entry.sentence) + '\n';
}

bool same_review(std::string_view stored, std::string_view line) {
    return same_field(first_field(stored), first_field(line)) && same_field(last_field(stored), last_field(line));
}

}  // namespace lomperi::reading
