#pragma once
// Reading and writing the layout file in its two places.
#include "core/layout/layout_config.hpp"
#include "core/layout/layout_paths.hpp"

namespace lomperi::layout {

// Never fail: a missing, unreadable or invalid file gives the defaults.
// Of two readable files the newer is read, the one beside the executable on
// a tie.
LayoutConfig load_layout();
LayoutConfig load_layout(const LayoutPaths& paths);

// Never fail: every write error is dropped.
void save_layout(const LayoutConfig& config);
void save_layout(const LayoutConfig& config, const LayoutPaths& paths);

}  // namespace lomperi::layout
