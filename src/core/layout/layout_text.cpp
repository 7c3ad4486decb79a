#include "core/layout/layout_text.hpp"

#include <fmt/format.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <toml++/toml.h>

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

}  // namespace

LayoutConfig parse_layout(std::string_view text) {
    // The parser reports errors, a key given twice included, by throwing;
    // they stop here as the defaults.
    try {
        const toml::table table = toml::parse(text);
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
