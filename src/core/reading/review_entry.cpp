#include "core/reading/review_entry.hpp"

#include <algorithm>

#include "core/morphology/entry_choice.hpp"
#include "core/morphology/reading.hpp"

namespace lomperi::reading {
namespace {

std::string one_field(std::string text) {
    std::ranges::replace(text, '\t', ' ');
    std::ranges::replace(text, '\n', ' ');
    std::ranges::replace(text, '\r', ' ');
    return text;
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
    const auto choice = morphology::choose_entry(dictionary, word);
    if (!choice.readings.empty()) {
        entry.lemma = choice.readings.front().lemma;
        entry.labels = morphology::form_labels(choice.readings.front());
    } else if (choice.headword) {
        entry.lemma = *choice.headword;
    }
    if (const auto record = morphology::chosen_record(dictionary, choice)) {
        entry.meaning = morphology::first_meaning(*record).value_or("");
    }
    return entry;
}

std::string review_line(const ReviewEntry& entry) {
    return one_field(entry.word) + '\t' + one_field(entry.lemma) + '\t' + one_field(entry.labels) + '\t' +
           one_field(entry.meaning) + '\t' + one_field(entry.sentence) + '\n';
}

bool same_review(std::string_view line, std::string_view other) {
    return first_field(line) == first_field(other) && last_field(line) == last_field(other);
}

}  // namespace lomperi::reading
