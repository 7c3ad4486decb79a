#include "core/expand/entry_lines.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <iterator>
#include <span>
#include <string>

#include "core/expand/entry_styles.hpp"

namespace lomperi::expand {

namespace {

class EntryWriter {
public:
    EntryWriter(bool dim, std::uint16_t width) : dim_(dim), width_(width) {}

    void line(std::string text, term::Style style) {
        EntryLine& entry = lines_.emplace_back();
        if (!text.empty()) entry.line.spans.push_back({std::move(text), style});
    }

    void paragraph(std::string_view prefix, std::string_view body, std::span<const LinkSpan> links,
                   term::Style style) {
        for (EntryLine& wrapped : wrap_with_links(prefix, body, links, style, width_)) {
            lines_.push_back(std::move(wrapped));
        }
    }

    void expansion_block(const Expansion& expansion, int level) {
        const term::Style style = expansion_style(level, dim_);
        const std::string indent(level == 1 ? 2 : 6, ' ');
        const std::string meaning_prefix = std::string(level == 1 ? 6 : 10, ' ') + "- ";
        paragraph(indent + (expansion.base ? " ~> " : "~> "), header_body(expansion), {}, style);
        for (std::size_t g = 0; g < expansion.record.groups.size(); ++g) {
            for (const std::string& meaning : expansion.record.groups[g].meanings) {
                paragraph(meaning_prefix, meaning, {}, style);
            }
            if (level != 1 || g >= expansion.children.size()) continue;
            for (const Expansion& child : expansion.children[g]) expansion_block(child, 2);
        }
    }

    std::vector<EntryLine> take() && { return std::move(lines_); }

private:
    static std::string header_body(const Expansion& expansion) {
        std::string body = expansion.base ? fmt::format("{} -> {}", expansion.phrase, *expansion.base) : expansion.phrase;
        const auto& groups = expansion.record.groups;
        if (!groups.empty() && !groups.front().pos.empty()) body = fmt::format("{} ({})", body, groups.front().pos);
        return body;
    }

    bool dim_;
    std::uint16_t width_;
    std::vector<EntryLine> lines_;
};

template <class T>
std::span<const T> item_or_none(std::span<const std::vector<T>> lists, std::size_t k) {
    if (k >= lists.size()) return {};
    return lists[k];
}

}  // namespace

std::vector<EntryLine> entry_lines(std::string_view headword, const format::GlossRecord& record,
                                   const std::vector<std::vector<Expansion>>& expansions,
                                   std::span<const std::vector<LinkSpan>> links, EntryLook look,
                                   std::uint16_t width) {
    const bool dim = look == EntryLook::Kept;
    EntryWriter writer(dim, width);
    writer.line(std::string(headword), headword_style(dim));
    writer.line({}, {});
    std::size_t k = 0;
    for (std::size_t g = 0; g < record.groups.size(); ++g) {
        const format::PosGroup& group = record.groups[g];
        if (g > 0) writer.line({}, {});
        if (!group.pos.empty()) writer.line(fmt::format("({})", group.pos), pos_style(dim));
        for (const std::string& meaning : group.meanings) {
            writer.paragraph("- ", meaning, item_or_none(links, k), meaning_style(dim));
            for (const Expansion& expansion : item_or_none(std::span<const std::vector<Expansion>>(expansions), k)) writer.expansion_block(expansion, 1);
            ++k;
        }
    }
    return std::move(writer).take();
}

std::vector<EntryLine> entry_pane_lines(const Entry& entry, std::span<const morphology::NoteLine> notes,
                                        EntryLook look, std::uint16_t width) {
    std::vector<EntryLine> lines;
    for (const auto& note : notes) {
        const auto links = look == EntryLook::Shown ? std::span<const LinkSpan>(note.links) : std::span<const LinkSpan>();
        std::ranges::move(wrap_with_links("", note.text, links, grey(), width), std::back_inserter(lines));
    }
    if (!entry.record) return lines;
    const auto links = look == EntryLook::Shown ? std::span<const std::vector<LinkSpan>>(entry.view.links)
                                                : std::span<const std::vector<LinkSpan>>();
    std::ranges::move(entry_lines(entry.headword, *entry.record, entry.view.lines, links, look, width),
                      std::back_inserter(lines));
    for (const Entry& more : entry.also) {
        if (!more.record) continue;
        lines.push_back({});
        std::ranges::move(entry_pane_lines(more, {}, look, width), std::back_inserter(lines));
    }
    return lines;
}

}  // namespace lomperi::expand
