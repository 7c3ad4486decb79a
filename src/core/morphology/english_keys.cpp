#include "core/morphology/english_keys.hpp"

#include <algorithm>

#include "base/text.hpp"
#include "core/morphology/data_files.hpp"

namespace lomperi::morphology {
namespace {

constexpr std::string_view kLeads[] = {"to ", "a ", "an ", "the "};

bool opens(char c) { return c == '(' || c == '['; }
bool closes(char c) { return c == ')' || c == ']'; }

// The text without its bracketed parts, spaces collapsed.
std::string without_brackets(std::string_view text) {
    std::string out;
    int depth = 0;
    for (const char c : text) {
        if (opens(c)) ++depth;
        if (depth == 0) out += c;
        if (closes(c) && depth > 0) --depth;
    }
    return collapse_spaces(out);
}

std::vector<std::string> meaning_items(std::string_view meaning) {
    std::vector<std::string> items(1);
    int depth = 0;
    for (const char c : meaning) {
        if (opens(c)) ++depth;
        if (closes(c) && depth > 0) --depth;
        if (depth == 0 && (c == ',' || c == ';')) {
            items.emplace_back();
            continue;
        }
        items.back() += c;
    }
    return items;
}

std::size_t word_count(std::string_view text) {
    return static_cast<std::size_t>(std::ranges::count(text, ' ')) + (text.empty() ? 0 : 1);
}

}  // namespace

std::string english_key(std::string_view text) { return lower_case(text); }

std::string_view without_lead(std::string_view key) {
    for (const std::string_view lead : kLeads) {
        if (key.starts_with(lead)) return key.substr(lead.size());
    }
    return {};
}

std::vector<MeaningKey> meaning_keys(std::string_view meaning) {
    std::vector<MeaningKey> keys;
    std::size_t number = 0;
    for (const auto& item : meaning_items(meaning)) {
        std::string key = english_key(trim(strip_outer_marks(without_brackets(item))));
        if (key.empty() || key.size() > kMaxKeyBytes || word_count(key) > kMaxEnglishKeyWords) continue;
        const bool described = item.find_first_of("([") != std::string::npos;
        const auto tier = static_cast<std::uint8_t>((number++ == 0 ? 0 : 1) + (described ? 2 : 0));
        if (const auto bare = without_lead(key); !bare.empty()) keys.push_back({std::string(bare), tier});
        keys.push_back({std::move(key), tier});
    }
    return keys;
}

std::string word_list_key(std::string_view word) {
    std::string key = english_key(word);
    if (key.ends_with("'s")) key.resize(key.size() - 2);
    if (key.size() > kMaxKeyBytes) return {};
    return key;
}

}  // namespace lomperi::morphology
