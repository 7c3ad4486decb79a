#pragma once
#include <filesystem>
#include <optional>
#include <string_view>

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

}  // namespace lomperi::layout
