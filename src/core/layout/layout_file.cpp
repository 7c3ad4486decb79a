#include "core/layout/layout_file.hpp"

#include <system_error>

#include "core/layout/file_io.hpp"
#include "core/layout/layout_text.hpp"
#include "base/utf8.hpp"

namespace lomperi::layout {
namespace {

std::optional<std::string> read_text(const std::filesystem::path& path) {
    auto text = read_whole_file(path, kMaxLayoutFileSize);
    if (!text || !is_utf8(as_bytes(*text))) return std::nullopt;
    return text;
}

}  // namespace

// Both places may hold a file: a save that could not write beside the
// executable went home, so the newer of the two is the one last saved.
LayoutConfig load_layout(const LayoutPaths& paths) {
    std::optional<std::string> beside;
    if (paths.beside_executable) beside = read_text(*paths.beside_executable);
    std::optional<std::string> home = read_text(paths.home);
    if (beside && home && modified_time(paths.home) > modified_time(*paths.beside_executable)) beside.reset();
    const auto& text = beside ? beside : home;
    if (!text) return LayoutConfig{};
    return parse_layout(*text);
}

LayoutConfig load_layout() { return load_layout(default_layout_paths()); }

void save_layout(const LayoutConfig& config, const LayoutPaths& paths) {
    const std::string text = layout_text(config);
    if (paths.beside_executable && replace_file(*paths.beside_executable, text)) return;
    if (paths.home.has_parent_path()) {
        std::error_code ignored;
        std::filesystem::create_directories(paths.home.parent_path(), ignored);
    }
    replace_file(paths.home, text);
}

void save_layout(const LayoutConfig& config) { save_layout(config, default_layout_paths()); }

}  // namespace lomperi::layout
