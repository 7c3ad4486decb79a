#include "core/view/key_help.hpp"

#include <fmt/format.h>

#include <algorithm>

#include "core/view/key_table.hpp"
#include "term/char_width.hpp"

namespace lomperi::view {

std::vector<std::string> key_help() {
    std::size_t column = 0;
    for (const KeyTable& table : key_tables()) {
        for (const KeyRow& row : table.rows) column = std::max(column, term::display_width(row.name) + 2);
    }
    std::vector<std::string> lines;
    for (const KeyTable& table : key_tables()) {
        if (!lines.empty()) lines.emplace_back();
        lines.push_back(fmt::format("Keys in {}:", table.screen));
        for (const KeyRow& row : table.rows) {
            const std::size_t pad = column - term::display_width(row.name);
            lines.push_back(fmt::format("  {}{}{}", row.name, std::string(pad, ' '), row.does));
        }
    }
    return lines;
}

}  // namespace lomperi::view
