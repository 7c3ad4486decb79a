#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/layout/layout_config.hpp"

namespace lomperi::layout {

inline constexpr std::string_view kLayoutFileName = "lomperi.toml";

// The two places the layout file may live, in order of preference.
struct LayoutPaths {
    std::optional<std::filesystem::path> beside_executable;
    std::filesystem::path home;
};

// Beside the running executable (when the system reports its path), and
// $HOME/.config/lomperi/ (the current directory when HOME is unset or not UTF-8).
LayoutPaths default_layout_paths();

// The layout file's text as TOML: the two keys, clamped; defaults on any fault.
LayoutConfig parse_layout(std::string_view text);

// The exact text save_layout writes.
std::string layout_text(const LayoutConfig& config);

// Never fail: a missing, unreadable or invalid file gives the defaults.
LayoutConfig load_layout();
LayoutConfig load_layout(const LayoutPaths& paths);

// Never fail: every write error is dropped.
void save_layout(const LayoutConfig& config);
void save_layout(const LayoutConfig& config, const LayoutPaths& paths);

}  // namespace lomperi::layout
