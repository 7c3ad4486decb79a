#pragma once
// The text of the layout file: two optional integer keys in TOML.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/layout/layout_config.hpp"

namespace lomperi::layout {

// The layout file holds two small integers; anything longer is not one.
inline constexpr std::size_t kMaxLayoutFileSize = 64 * 1024;

// The layout file's text as TOML: the two keys, clamped; defaults on any
// fault, for a text over kMaxLayoutFileSize, for deep nesting and for bytes
// beyond ASCII outside strings and comments.
LayoutConfig parse_layout(std::string_view text);

// The exact text save_layout writes.
std::string layout_text(const LayoutConfig& config);

}  // namespace lomperi::layout
