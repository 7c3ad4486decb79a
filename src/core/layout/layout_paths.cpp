#include "core/layout/layout_paths.hpp"

#include <cstdlib>
#include <string_view>
#include <system_error>

#include "base/utf8.hpp"

namespace lomperi::layout {
namespace {

std::optional<std::filesystem::path> executable_directory() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !executable.has_parent_path()) return std::nullopt;
    return executable.parent_path();
}

std::filesystem::path home_directory() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || !is_utf8(as_bytes(home))) return ".";
    return home;
}

}  // namespace

LayoutPaths default_layout_paths() {
    LayoutPaths paths;
    if (const auto directory = executable_directory()) paths.beside_executable = *directory / kLayoutFileName;
    paths.home = home_directory() / ".config" / "lomperi" / kLayoutFileName;
    return paths;
}

}  // namespace lomperi::layout
