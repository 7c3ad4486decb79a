#include "word_case.hpp"

#include <algorithm>

namespace lomperi::data_build {
namespace {

constexpr unsigned char kLatin1Lead = 0xC3;

bool is_latin1_upper(unsigned char second) { return second >= 0x80 && second <= 0x9E && second != 0x97; }
bool is_latin1_lower(unsigned char second) { return second >= 0xA0 && second <= 0xBE && second != 0xB7; }

// Changes the case of the letter at `i` (one byte, or two for Latin-1) and
// returns its length.
std::size_t set_case(std::string& word, std::size_t i, bool upper) {
    auto& c = reinterpret_cast<unsigned char&>(word[i]);
    if (c == kLatin1Lead && i + 1 < word.size()) {
        auto& second = reinterpret_cast<unsigned char&>(word[i + 1]);
        if (upper && is_latin1_lower(second)) second = static_cast<unsigned char>(second - 0x20);
        if (!upper && is_latin1_upper(second)) second = static_cast<unsigned char>(second + 0x20);
        return 2;
    }
    if (upper && c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 0x20);
    if (!upper && c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c + 0x20);
    return 1;
}

}  // namespace

std::string lower_case(std::string_view word) {
    std::string out(word);
    for (std::size_t i = 0; i < out.size();) i += set_case(out, i, false);
    return out;
}

std::string capitalized(std::string_view word) {
    auto out = lower_case(word);
    if (!out.empty()) set_case(out, 0, true);
    return out;
}

bool is_all_capitals(std::string_view word) {
    std::size_t capitals = 0;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const auto c = static_cast<unsigned char>(word[i]);
        if (c >= 'a' && c <= 'z') return false;
        if (c >= 'A' && c <= 'Z') ++capitals;
        if (c == kLatin1Lead && i + 1 < word.size()) {
            const auto second = static_cast<unsigned char>(word[++i]);
            if (is_latin1_lower(second)) return false;
            if (is_latin1_upper(second)) ++capitals;
        }
    }
    return capitals >= 2;
}

std::vector<std::string> drop_capital_duplicates(const std::vector<std::string>& forms) {
    const auto listed = [&](const std::string& word) { return std::ranges::binary_search(forms, word); };
    std::vector<std::string> kept;
    kept.reserve(forms.size());
    for (const auto& form : forms) {
        if (is_all_capitals(form) && (listed(lower_case(form)) || listed(capitalized(form)))) continue;
        kept.push_back(form);
    }
    return kept;
}

}  // namespace lomperi::data_build
