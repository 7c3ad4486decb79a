#include "core/layout/layout_text.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <limits>
#include <optional>
#include <toml++/toml.h>

#include "base/utf8.hpp"

namespace lomperi::layout {
namespace {

// A present key must be an integer in 0..65535; nullopt marks the whole text invalid.
std::optional<std::uint16_t> read_key(const toml::table& table, std::string_view key, std::uint16_t fallback) {
    const toml::node* node = table.get(key);
    if (node == nullptr) return fallback;
    const auto* integer = node->as_integer();
    if (integer == nullptr) return std::nullopt;
    const std::int64_t value = integer->get();
    if (value < 0 || value > std::numeric_limits<std::uint16_t>::max()) return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

std::optional<LayoutConfig> parse_table(const toml::table& table) {
    const LayoutConfig defaults;
    const auto left = read_key(table, "left_pct", defaults.left_pct);
    const auto matches = read_key(table, "matches_pct", defaults.matches_pct);
    if (!left || !matches) return std::nullopt;
    return LayoutConfig{*left, *matches};
}

// Index just past the end of the string that starts at `at` (a quote), or
// npos when it does not end: basic and literal, one-line and multi-line.
std::size_t string_end(std::string_view text, std::size_t at) {
    const char quote = text[at];
    const bool multi_line = text.substr(at, 3) == std::string(3, quote);
    const std::size_t start = at + (multi_line ? 3 : 1);
    for (std::size_t i = start; i < text.size(); ++i) {
        if (quote == '"' && text[i] == '\\') {
            ++i;
            continue;
        }
        if (!multi_line && text[i] == '\n') return std::string_view::npos;
        if (text[i] != quote) continue;
        if (!multi_line) return i + 1;
        if (text.substr(i, 3) == std::string(3, quote)) {
            // A multi-line string may end in up to two quotes of its own.
            std::size_t end = i + 3;
            while (end < text.size() && end < i + 5 && text[end] == quote) ++end;
            return end;
        }
    }
    return std::string_view::npos;
}

// The text as the parser may safely see it, or nothing when it is not to be
// parsed at all. toml++ 3.3 recurses once per nesting level, and runs into
// undefined behaviour when it tests some characters beyond ASCII for
// whitespace. The layout file needs neither: outside strings and comments a
// byte beyond ASCII makes the file invalid (as a bare key with one is), inside
// them it is replaced by "x", which changes no value that is read and keeps
// a valid file valid; and nesting stays shallow.
std::optional<std::string> tamed_toml(std::string_view text) {
    constexpr int kMaxDepth = 16;
    constexpr int kMaxDotsPerLine = 16;
    std::string tamed(text);
    int depth = 0;
    int dots = 0;
    const auto ascii_only = [&](std::size_t from, std::size_t to) {
        for (std::size_t k = from; k < to; ++k) {
            if (static_cast<unsigned char>(tamed[k]) >= 0x80) tamed[k] = 'x';
        }
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '#') {
            const std::size_t end = std::min(text.find('\n', i), text.size());
            ascii_only(i, end);
            i = end - 1;
        } else if (c == '"' || c == '\'') {
            const std::size_t end = string_end(text, i);
            if (end == std::string_view::npos) return std::nullopt;
            ascii_only(i, end);
            i = end - 1;
        } else if (static_cast<unsigned char>(c) >= 0x80) {
            return std::nullopt;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxDepth) return std::nullopt;
        } else if (c == ']' || c == '}') {
            --depth;
        } else if (c == '.') {
            if (++dots > kMaxDotsPerLine) return std::nullopt;
        } else if (c == '\n') {
            dots = 0;
        }
    }
    return tamed;
}

}  // namespace

LayoutConfig parse_layout(std::string_view text) {
    if (text.size() > kMaxLayoutFileSize || !is_utf8(text)) return LayoutConfig{};
    const std::optional<std::string> tamed = tamed_toml(text);
    if (!tamed) return LayoutConfig{};
    // The parser reports errors, a key given twice included, by throwing;
    // they stop here as the defaults.
    try {
        const toml::table table = toml::parse(*tamed);
        return clamped(parse_table(table).value_or(LayoutConfig{}));
    } catch (...) {
        return LayoutConfig{};
    }
}

std::string layout_text(const LayoutConfig& config) {
    const LayoutConfig c = clamped(config);
    return fmt::format("# lomperi layout, written automatically. Safe to delete.\nleft_pct = {}\nmatches_pct = {}\n",
                       c.left_pct, c.matches_pct);
}

}  // namespace lomperi::layout
