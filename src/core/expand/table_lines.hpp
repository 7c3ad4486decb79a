#pragma once
// An inflection table set as lines of text: each section a heading and rows
// whose cells stand in aligned columns, or column after column where the
// width is too narrow for them side by side; two sections side by side
// where the width holds both. The same lines are printed by
// --table and the DICT server and drawn in the entry pane, where each form
// is a link to itself.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/expand/wrap_with_links.hpp"
#include "core/morphology/note_line.hpp"
#include "core/paradigm/inflection_table.hpp"

namespace lomperi::expand {

struct TableLine {
    enum class Kind : std::uint8_t { Title, Heading, Row, Example, Blank };
    // Bytes [start, end) of the text: a row's label, an example's name.
    struct Label {
        std::size_t start = 0;
        std::size_t end = 0;
        friend bool operator==(const Label&, const Label&) = default;
    };
    Kind kind = Kind::Blank;
    std::string text;
    std::vector<Label> labels;
    std::vector<morphology::LinkSpan> links;  // each form, and the word it looks up
    friend bool operator==(const TableLine&, const TableLine&) = default;
};

// The lines of the tables of one word, a blank line between two tables;
// no line is wider than `width` unless one form is.
std::vector<TableLine> table_lines(std::span<const paradigm::InflectionTable> tables, std::uint16_t width);

// The same as plain text, a line each.
std::string table_text(std::span<const paradigm::InflectionTable> tables, std::uint16_t width);

// The same styled for the entry pane, each form a link.
std::vector<EntryLine> table_pane_lines(std::span<const paradigm::InflectionTable> tables, std::uint16_t width);

}  // namespace lomperi::expand
