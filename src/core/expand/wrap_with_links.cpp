#include "core/expand/wrap_with_links.hpp"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "base/text.hpp"
#include "core/expand/meaning_scan.hpp"
#include "term/char_width.hpp"

namespace lomperi::expand {

namespace {

std::uint16_t saturating_add(std::uint16_t a, std::size_t b) {
    constexpr std::size_t kMax = std::numeric_limits<std::uint16_t>::max();
    return static_cast<std::uint16_t>(b >= kMax - a ? kMax : a + b);
}

std::uint16_t saturating_width(std::string_view text) {
    return saturating_add(0, term::display_width(text));
}

// A token cut where its link starts and ends; `link` is null for a plain token.
struct TokenParts {
    std::string_view before;
    std::string_view linked;
    std::string_view after;
    const LinkSpan* link = nullptr;
};

// The part of `token` inside `span`, when the span holds the whole token or
// everything of it but punctuation at its outer ends. A span that leaves out
// a trailing full stop still makes the word before it a link.
std::optional<TokenParts> cut_by_span(const WordToken& token, const LinkSpan& span) {
    const std::size_t from = std::max(token.start, span.start);
    const std::size_t to = std::min(token.end, span.end);
    if (from >= to) return std::nullopt;
    std::size_t lead = leading_phrase_marks(token.text);
    std::size_t trail = trailing_phrase_marks(token.text);
    if (lead == token.text.size()) lead = trail = 0;  // all punctuation: nothing to leave out
    if (from - token.start > lead || token.end - to > trail) return std::nullopt;
    const std::string_view text = token.text;
    return TokenParts{text.substr(0, from - token.start), text.substr(from - token.start, to - from),
                      text.substr(to - token.start), &span};
}

TokenParts split_token(const WordToken& token, std::span<const LinkSpan> links) {
    for (const LinkSpan& span : links) {
        if (std::optional<TokenParts> parts = cut_by_span(token, span)) return *parts;
    }
    return TokenParts{token.text, {}, {}, nullptr};
}

class ParagraphWriter {
public:
    ParagraphWriter(std::string_view prefix, term::Style style, std::uint16_t width)
        : style_(style), link_style_(style.adding(term::Underlined)), width_(width), indent_(saturating_width(prefix)) {
        lines_.emplace_back();
        append(prefix, style_);
        column_ = indent_;
    }

    void add(const TokenParts& token) {
        const std::size_t n = term::display_width(token.before) + term::display_width(token.linked) +
                              term::display_width(token.after);
        if (column_ > indent_ && saturating_add(saturating_add(column_, 1), n) > width_) {
            break_line();
        } else if (column_ > indent_) {
            put_space(token);
        }
        add_plain(token.before);
        if (token.link) add_linked(token.linked, token.link->target);
        add_plain(token.after);
    }

    std::vector<EntryLine> finish() && {
        flush();
        return std::move(lines_);
    }

private:
    struct Pending {
        std::string text;
        std::string_view target;
        std::uint16_t start = 0;
    };

    bool continues_pending(const TokenParts& token) const {
        return pending_ && token.link && token.before.empty() && pending_->target == token.link->target;
    }

    void put_space(const TokenParts& token) {
        if (!continues_pending(token)) return add_plain(" ");
        pending_->text += ' ';
        column_ = saturating_add(column_, 1);
    }

    void break_line() {
        flush();
        lines_.emplace_back();
        append(std::string(indent_, ' '), style_);
        column_ = indent_;
    }

    void add_plain(std::string_view text) {
        if (text.empty()) return;
        flush();
        append(text, style_);
        column_ = saturating_add(column_, term::display_width(text));
    }

    void add_linked(std::string_view text, std::string_view target) {
        if (!pending_ || pending_->target != target) {
            flush();
            pending_ = Pending{std::string(), target, column_};
        }
        pending_->text += text;
        column_ = saturating_add(column_, term::display_width(text));
    }

    void flush() {
        if (!pending_) return;
        const std::uint16_t end = saturating_add(pending_->start, term::display_width(pending_->text));
        lines_.back().links.push_back({pending_->start, end, std::string(pending_->target)});
        append(pending_->text, link_style_);
        pending_.reset();
    }

    // Neighbouring runs of one style share a span; the screen shows the same.
    void append(std::string_view text, term::Style style) {
        if (text.empty()) return;
        std::vector<term::Span>& spans = lines_.back().line.spans;
        if (!spans.empty() && spans.back().style == style) {
            spans.back().text += text;
            return;
        }
        spans.push_back({std::string(text), style});
    }

    term::Style style_;
    term::Style link_style_;
    std::uint16_t width_;
    std::uint16_t indent_;
    std::uint16_t column_ = 0;
    std::optional<Pending> pending_;
    std::vector<EntryLine> lines_;
};

}  // namespace

std::vector<EntryLine> wrap_with_links(std::string_view prefix, std::string_view text,
                                       std::span<const LinkSpan> links, term::Style style, std::uint16_t width) {
    ParagraphWriter writer(prefix, style, width);
    for (const WordToken& token : tokenize_meaning(text)) writer.add(split_token(token, links));
    return std::move(writer).finish();
}

}  // namespace lomperi::expand
