#pragma once
// The text of the layout file: two optional integer keys in TOML.
#include <string>
#include <string_view>

#include "core/layout/layout_config.hpp"

namespace lomperi::layout {

// The layout file's text as TOML: the two keys, clamped; defaults on any fault.
LayoutConfig parse_layout(std::string_view text);

// The exact text save_layout writes.
std::string layout_text(const LayoutConfig& config);

}  // namespace lomperi::layout
