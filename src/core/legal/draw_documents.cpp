#include "core/legal/draw_documents.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/legal/documents.hpp"
#include "core/legal/wrap_document.hpp"
#include "term/widgets.hpp"
#include "term/style.hpp"

namespace lomperi::legal {
namespace {

std::string viewer_title(const Document& document, std::uint16_t width) {
    const std::array<std::string, 3> candidates{
        fmt::format(" {}  \u00b7  Tab: next document  \u00b7  Esc: close ", document.title),
        fmt::format(" {}  \u00b7  Tab  \u00b7  Esc ", document.title),
        fmt::format(" {} ", document.tab_label),
    };
    return term::choose_title(candidates, width);
}

std::vector<term::Line> plain_lines(std::vector<std::string> texts) {
    std::vector<term::Line> lines;
    lines.reserve(texts.size());
    for (std::string& text : texts) lines.push_back(term::Line{{term::Span{std::move(text), {}}}});
    return lines;
}

}  // namespace

void draw_documents(term::Buffer& buffer, std::uint8_t doc, std::uint16_t& doc_scroll) {
    if (doc >= kDocumentCount) return;
    const Document& document = documents()[doc];
    const term::Rect area = buffer.area();
    const term::Rect inner = term::draw_box(buffer, area, term::Box{viewer_title(document, area.width), {}, {}});

    const std::uint16_t width = std::max<std::uint16_t>(inner.width, 1);
    const std::vector<term::Line> lines = plain_lines(wrap_document(document.body, width));
    const std::size_t max_scroll = lines.size() > inner.height ? lines.size() - inner.height : 0;
    if (doc_scroll > max_scroll) doc_scroll = static_cast<std::uint16_t>(max_scroll);
    term::draw_paragraph(buffer, inner, lines, doc_scroll);
}

}  // namespace lomperi::legal
