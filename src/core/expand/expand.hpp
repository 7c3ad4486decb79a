#pragma once
// Entry expansion: inline expansions, links and the entry pane's lines.
#include "core/expand/entry_lines.hpp"      // IWYU pragma: export
#include "core/expand/entry_view.hpp"       // IWYU pragma: export
#include "core/expand/expansion.hpp"        // IWYU pragma: export
#include "core/expand/link_meaning.hpp"     // IWYU pragma: export
#include "core/expand/make_phrase.hpp"      // IWYU pragma: export
#include "core/expand/word_token.hpp"       // IWYU pragma: export
#include "core/expand/wrap_with_links.hpp"  // IWYU pragma: export
