#include "core/expand/table_lines.hpp"

#include <algorithm>
#include <iterator>

#include "core/expand/entry_styles.hpp"
#include "term/char_width.hpp"

namespace lomperi::expand {
namespace {

using Kind = TableLine::Kind;
using paradigm::InflectionTable;
using paradigm::TableCell;
using paradigm::TableSection;

constexpr std::size_t kGap = 2;
constexpr std::string_view kVariantSeparator = ", ";

// The word a form looks up: "puhu" of the negative "en puhu".
std::string_view looked_up(std::string_view form) {
    const std::size_t space = form.rfind(' ');
    return space == std::string_view::npos ? form : form.substr(space + 1);
}

std::size_t cell_width(const TableCell& cell) {
    std::size_t width = 0;
    for (const auto& form : cell.forms) width += term::display_width(form);
    if (cell.forms.size() > 1) width += (cell.forms.size() - 1) * kVariantSeparator.size();
    return width;
}

void pad_to(std::string& text, std::size_t& width, std::size_t column) {
    if (width < column) text.append(column - width, ' ');
    width = std::max(width, column);
}

void append_cell(TableLine& line, std::size_t& width, const TableCell& cell) {
    for (std::size_t k = 0; k < cell.forms.size(); ++k) {
        if (k > 0) line.text += kVariantSeparator;
        const std::size_t start = line.text.size();
        line.text += cell.forms[k];
        line.links.push_back({std::string(looked_up(cell.forms[k])), start, line.text.size()});
    }
    width += cell_width(cell);
}

TableLine row_start(std::string_view label, std::size_t label_column) {
    TableLine line{Kind::Row, std::string(label), {{0, label.size()}}, {}};
    std::size_t width = term::display_width(label);
    pad_to(line.text, width, label_column);
    return line;
}

// Empty cells at a row's end leave no trailing blanks.
void trim_end(TableLine& line) {
    const std::size_t end = line.text.find_last_not_of(' ');
    line.text.resize(end == std::string::npos ? 0 : end + 1);
    for (auto& label : line.labels) label.end = std::min(label.end, line.text.size());
}

struct Widths {
    std::size_t label = 0;
    std::vector<std::size_t> columns;
    std::size_t total() const {
        std::size_t sum = label;
        for (const std::size_t column : columns) sum += kGap + column;
        return sum;
    }
};

Widths widths_of(const TableSection& section) {
    Widths widths;
    widths.label = term::display_width(section.title);
    widths.columns.resize(section.columns.size());
    for (std::size_t c = 0; c < section.columns.size(); ++c) widths.columns[c] = term::display_width(section.columns[c]);
    for (const auto& row : section.rows) {
        widths.label = std::max(widths.label, term::display_width(row.label));
        for (std::size_t c = 0; c < row.cells.size() && c < widths.columns.size(); ++c) {
            widths.columns[c] = std::max(widths.columns[c], cell_width(row.cells[c]));
        }
    }
    return widths;
}

// The columns side by side: "cases        singular   plural".
void side_by_side(const TableSection& section, const Widths& widths, std::vector<TableLine>& out) {
    TableLine heading{Kind::Heading, section.title, {}, {}};
    std::size_t width = term::display_width(section.title);
    std::size_t column = widths.label;
    for (std::size_t c = 0; c < section.columns.size(); ++c) {
        column += kGap;
        pad_to(heading.text, width, column);
        heading.text += section.columns[c];
        width += term::display_width(section.columns[c]);
        column += widths.columns[c];
    }
    out.push_back(std::move(heading));
    for (const auto& row : section.rows) {
        TableLine line = row_start(row.label, widths.label);
        width = widths.label;
        column = widths.label;
        for (std::size_t c = 0; c < row.cells.size() && c < widths.columns.size(); ++c) {
            column += kGap;
            pad_to(line.text, width, column);
            append_cell(line, width, row.cells[c]);
            column += widths.columns[c];
        }
        out.push_back(std::move(line));
    }
}

// Too narrow for that: each column under a heading of its own
// ("cases: plural"), its cells' variants wrapped under the first.
void column_by_column(const TableSection& section, const Widths& widths, std::uint16_t width, std::vector<TableLine>& out) {
    const std::size_t indent = std::min<std::size_t>(widths.label + kGap, width / 2);
    for (std::size_t c = 0; c < section.columns.size(); ++c) {
        const std::string title = section.columns.size() > 1 ? section.title + ": " + section.columns[c] : section.title;
        out.push_back({Kind::Heading, title, {}, {}});
        for (const auto& row : section.rows) {
            if (c >= row.cells.size()) continue;
            TableLine line = row_start(row.label, indent);
            std::size_t used = std::max(term::display_width(row.label), indent);
            const auto& forms = row.cells[c].forms;
            for (std::size_t k = 0; k < forms.size(); ++k) {
                // Room for the comma that follows it when another variant does.
                const std::size_t form_width = term::display_width(forms[k]) + (k + 1 < forms.size() ? 1 : 0);
                if (k > 0 && used + kVariantSeparator.size() + form_width > width) {
                    line.text += ',';
                    out.push_back(std::move(line));
                    line = {Kind::Row, std::string(indent, ' '), {}, {}};
                    used = indent;
                } else if (k > 0) {
                    line.text += kVariantSeparator;
                    used += kVariantSeparator.size();
                }
                const std::size_t start = line.text.size();
                line.text += forms[k];
                line.links.push_back({std::string(looked_up(forms[k])), start, line.text.size()});
                used += term::display_width(forms[k]);
            }
            out.push_back(std::move(line));
        }
    }
}

// "perfect: olen puhunut, olet puhunut, …", wrapped at its commas.
void example(std::string_view text, std::uint16_t width, std::vector<TableLine>& out) {
    const std::size_t colon = text.find(": ");
    TableLine line{Kind::Example, {}, {}, {}};
    if (colon != std::string_view::npos) line.labels.push_back({0, colon + 1});
    std::size_t used = 0;
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(", ");
        const std::string_view piece = rest.substr(0, comma == std::string_view::npos ? rest.size() : comma + 1);
        rest.remove_prefix(piece.size());
        if (rest.starts_with(' ')) rest.remove_prefix(1);
        const std::size_t piece_width = term::display_width(piece);
        if (used > 0 && used + 1 + piece_width > width) {
            out.push_back(std::move(line));
            line = {Kind::Example, "  ", {}, {}};
            used = 2;
        } else if (used > 0) {
            line.text += ' ';
            ++used;
        }
        line.text += piece;
        used += piece_width;
    }
    out.push_back(std::move(line));
}

std::size_t block_width(const std::vector<TableLine>& block) {
    std::size_t widest = 0;
    for (const auto& line : block) widest = std::max(widest, term::display_width(line.text));
    return widest;
}

// Two sections side by side: both set as their columns are, and their
// headings level.
constexpr std::size_t kSectionGap = 4;

bool fit_beside(const std::vector<TableLine>& left, const std::vector<TableLine>& right, std::uint16_t width) {
    return block_width(left) + kSectionGap + block_width(right) <= width;
}

void set_beside(std::vector<TableLine>& left, std::vector<TableLine>& right, std::vector<TableLine>& out) {
    const std::size_t column = block_width(left) + kSectionGap;
    for (std::size_t k = 0; k < std::max(left.size(), right.size()); ++k) {
        TableLine line = k < left.size() ? std::move(left[k]) : TableLine{Kind::Row, {}, {}, {}};
        if (k >= right.size()) {
            out.push_back(std::move(line));
            continue;
        }
        TableLine& other = right[k];
        std::size_t used = term::display_width(line.text);
        pad_to(line.text, used, column);
        const std::size_t shift = line.text.size();
        line.text += other.text;
        for (auto label : other.labels) line.labels.push_back({label.start + shift, label.end + shift});
        for (auto& link : other.links) line.links.push_back({std::move(link.target), link.start + shift, link.end + shift});
        out.push_back(std::move(line));
    }
}

void one_table(const InflectionTable& table, std::uint16_t width, std::vector<TableLine>& out) {
    std::string title = table.lemma;
    if (!table.class_label.empty()) title += " (" + table.class_label + ")";
    out.push_back({Kind::Title, title, {}, {}});
    if (table.sections.empty()) {
        out.push_back({Kind::Example, "(does not inflect)", {}, {}});
        return;
    }
    std::vector<std::vector<TableLine>> blocks;
    for (const auto& section : table.sections) {
        std::vector<TableLine> block;
        const Widths widths = widths_of(section);
        if (widths.total() <= width) {
            side_by_side(section, widths, block);
        } else {
            column_by_column(section, widths, width, block);
        }
        for (auto& line : block) trim_end(line);
        blocks.push_back(std::move(block));
    }
    // A section too wide to stand beside the next may stand beside the one
    // after it (the conditional beside the potential, the imperative with
    // its longer forms beside the infinitives).
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        out.push_back({});
        if (k + 2 < blocks.size() && !fit_beside(blocks[k], blocks[k + 1], width) &&
            fit_beside(blocks[k], blocks[k + 2], width)) {
            std::swap(blocks[k + 1], blocks[k + 2]);
        }
        if (k + 1 < blocks.size() && fit_beside(blocks[k], blocks[k + 1], width)) {
            set_beside(blocks[k], blocks[k + 1], out);
            ++k;
            continue;
        }
        std::ranges::move(blocks[k], std::back_inserter(out));
    }
    if (!table.examples.empty()) out.push_back({});
    for (const auto& text : table.examples) example(text, width, out);
}

}  // namespace

std::vector<TableLine> table_lines(std::span<const InflectionTable> tables, std::uint16_t width) {
    std::vector<TableLine> out;
    for (const auto& table : tables) {
        if (!out.empty()) out.push_back({});
        one_table(table, width, out);
    }
    for (auto& line : out) trim_end(line);
    return out;
}

std::string table_text(std::span<const InflectionTable> tables, std::uint16_t width) {
    std::string out;
    for (const auto& line : table_lines(tables, width)) {
        out += line.text;
        out += '\n';
    }
    return out;
}

std::vector<EntryLine> table_pane_lines(std::span<const InflectionTable> tables, std::uint16_t width) {
    std::vector<EntryLine> out;
    for (const auto& line : table_lines(tables, width)) {
        EntryLine entry;
        const std::string_view text = line.text;
        switch (line.kind) {
            case Kind::Title: entry.line.spans.push_back({line.text, headword_style(false)}); break;
            case Kind::Heading: entry.line.spans.push_back({line.text, pos_style(false)}); break;
            case Kind::Blank: break;
            case Kind::Row:
            case Kind::Example: {
                std::size_t at = 0;
                for (const auto& label : line.labels) {
                    if (label.start > at) entry.line.spans.push_back({std::string(text.substr(at, label.start - at)), meaning_style(false)});
                    entry.line.spans.push_back({std::string(text.substr(label.start, label.end - label.start)), grey()});
                    at = label.end;
                }
                if (at < text.size()) entry.line.spans.push_back({std::string(text.substr(at)), meaning_style(false)});
                break;
            }
        }
        for (const auto& link : line.links) {
            const auto start = static_cast<std::uint16_t>(std::min<std::size_t>(term::display_width(text.substr(0, link.start)), 0xFFFF));
            const auto end = static_cast<std::uint16_t>(std::min<std::size_t>(term::display_width(text.substr(0, link.end)), 0xFFFF));
            entry.links.push_back({start, end, link.target});
        }
        out.push_back(std::move(entry));
    }
    return out;
}

}  // namespace lomperi::expand
