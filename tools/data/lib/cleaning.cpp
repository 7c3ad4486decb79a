#include "cleaning.hpp"

#include "text.hpp"

namespace lomperi::data_build {
namespace {

constexpr std::string_view kModifierLetterUpTack = "\xCB\x94";  // "˔", a stray mark in some links
constexpr std::string_view kRejectedInKey = "()[]{}|#/:;=<>\"?!*+_~^$%&@\\";
constexpr std::size_t kMaxKeyBytes = 90;

bool is_letter_byte(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c >= 0x80;
}

// Appends the text shown by the link "[[target|shown]]" or "[[target]]".
std::size_t append_link(std::string_view text, std::size_t at, std::string& out) {
    const auto close = text.find("]]", at + 2);
    if (close == std::string_view::npos) return at + 2;
    auto inner = text.substr(at + 2, close - at - 2);
    if (const auto bar = inner.rfind('|'); bar != std::string_view::npos) inner.remove_prefix(bar + 1);
    for (auto mark = inner.find(kModifierLetterUpTack); mark != std::string_view::npos;
         mark = inner.find(kModifierLetterUpTack)) {
        out += inner.substr(0, mark);
        inner.remove_prefix(mark + kModifierLetterUpTack.size());
    }
    out += inner;
    return close + 2;
}

std::size_t skip_template(std::string_view text, std::size_t at) {
    const auto close = text.find("}}", at + 2);
    return close == std::string_view::npos ? at + 2 : close + 2;
}

// "#Englanti", glued to a word or alone, is a link anchor of the source wiki.
std::size_t skip_anchor(std::string_view text, std::size_t at) {
    std::size_t end = at + 1;
    while (end < text.size() && is_letter_byte(static_cast<unsigned char>(text[end]))) ++end;
    return end;
}

// Removes "(...)" groups that stand as words of their own.
std::optional<std::string> drop_word_qualifiers(std::string_view text) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '(') {
            out.push_back(text[i++]);
            continue;
        }
        const auto close = text.find(')', i);
        const bool word_start = i == 0 || text[i - 1] == ' ';
        const bool word_end = close != std::string_view::npos && (close + 1 == text.size() || text[close + 1] == ' ');
        if (!word_start || !word_end) return std::nullopt;
        i = close + 1;
    }
    return collapse_spaces(out);
}

bool has_letter(std::string_view text) {
    for (unsigned char c : text) {
        if (is_letter_byte(c)) return true;
    }
    return false;
}

}  // namespace

std::string strip_wiki_markup(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto rest = text.substr(i);
        if (rest.starts_with("[[")) {
            i = append_link(text, i, out);
        } else if (rest.starts_with("{{")) {
            i = skip_template(text, i);
        } else if (rest.starts_with("]]") || rest.starts_with("}}")) {
            i += 2;
        } else if (rest.starts_with(kModifierLetterUpTack)) {
            i += kModifierLetterUpTack.size();
        } else if (text[i] == '#' && i + 1 < text.size() && is_letter_byte(static_cast<unsigned char>(text[i + 1]))) {
            i = skip_anchor(text, i);
        } else {
            out.push_back(text[i++]);
        }
    }
    return collapse_spaces(out);
}

std::vector<std::string> split_items(std::string_view line) {
    std::vector<std::string> items;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        const char c = i < line.size() ? line[i] : ',';
        if (c == '(' || c == '[') ++depth;
        if ((c == ')' || c == ']') && depth > 0) --depth;
        if (c != ',' || (depth > 0 && i < line.size())) continue;
        const auto item = trim(line.substr(start, i - start));
        if (!item.empty()) items.emplace_back(item);
        start = i + 1;
    }
    return items;
}

std::optional<std::string> clean_finnish_key(std::string_view item) {
    auto key = drop_word_qualifiers(strip_wiki_markup(item));
    if (!key || key->empty() || key->size() > kMaxKeyBytes) return std::nullopt;
    if (key->find("..") != std::string::npos || key->find_first_of(kRejectedInKey) != std::string::npos) {
        return std::nullopt;
    }
    while (!key->empty() && (key->back() == '.' || key->back() == ',')) key->pop_back();
    if (!has_letter(*key)) return std::nullopt;
    return key;
}

std::string clean_meaning(std::string_view text) {
    std::string cleaned = strip_wiki_markup(text);
    // What a removed anchor leaves: "#Suomi, tequila" -> ", tequila".
    while (cleaned.starts_with(",") || cleaned.starts_with(" ")) cleaned.erase(0, 1);
    while (cleaned.ends_with(",") || cleaned.ends_with(" ")) cleaned.pop_back();
    return cleaned;
}

std::string inverted_meaning(std::string_view english, const std::vector<std::string>& descriptions) {
    std::string joined;
    for (const auto& description : descriptions) {
        const auto cleaned = strip_wiki_markup(description);
        if (cleaned.empty()) continue;
        if (!joined.empty()) joined += "; ";
        joined += cleaned;
    }
    std::string meaning = strip_wiki_markup(english);
    if (!joined.empty()) meaning += " (" + joined + ")";
    return meaning;
}

}  // namespace lomperi::data_build
