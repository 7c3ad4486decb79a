#include "compounds.hpp"

#include "core/morphology/form_wordings.hpp"

#include <fmt/format.h>

namespace lomperi::data_build {
namespace {

struct Morpheme {
    std::string_view surface;
    std::string_view base;
};

// "+teki(tehdä)+jän(+jä)" -> (teki, tehdä), (jän, +jä).
std::vector<Morpheme> morphemes(std::string_view wordbases) {
    std::vector<Morpheme> out;
    std::size_t at = 0;
    while (at < wordbases.size() && wordbases[at] == '+') {
        const std::size_t open = wordbases.find('(', at);
        const std::size_t close = wordbases.find(')', open);
        if (open == std::string_view::npos || close == std::string_view::npos) return {};
        out.push_back({wordbases.substr(at + 1, open - at - 1), wordbases.substr(open + 1, close - open - 1)});
        at = close + 1;
    }
    return out;
}

void append_lexicalised(std::vector<std::string>& parts, const Morpheme& morpheme) {
    std::string joined;
    for (char c : morpheme.base) {
        if (c != '=') joined += c;
    }
    if (morpheme.base.find('=') == std::string_view::npos || joined != morpheme.surface) {
        parts.emplace_back(morpheme.surface);
        return;
    }
    std::string_view rest = morpheme.base;
    while (!rest.empty()) {
        const std::size_t equals = rest.find('=');
        parts.emplace_back(rest.substr(0, equals));
        rest = equals == std::string_view::npos ? std::string_view{} : rest.substr(equals + 1);
    }
}

std::string joined(const std::vector<std::string>& texts, std::size_t from, std::size_t to) {
    std::string out;
    for (std::size_t k = from; k < to; ++k) out += texts[k];
    return out;
}

}  // namespace

std::vector<std::string> compound_part_texts(std::string_view wordbases) {
    std::vector<std::string> parts;
    for (const Morpheme& morpheme : morphemes(wordbases)) {
        if (morpheme.base.starts_with('+') && !parts.empty()) {
            parts.back() += morpheme.surface;
            continue;
        }
        append_lexicalised(parts, morpheme);
    }
    if (parts.size() < 2) return {};
    return parts;
}

std::optional<CompoundSplit> split_compound(std::string_view baseform, std::string_view wordbases,
                                            const IsHeadword& is_headword, const PartHeadword& part_headword) {
    const std::vector<std::string> texts = compound_part_texts(wordbases);
    if (texts.empty()) return std::nullopt;
    const std::string before_last = joined(texts, 0, texts.size() - 1);
    if (!baseform.starts_with(before_last) || baseform.size() == before_last.size()) return std::nullopt;
    const std::string last_base(baseform.substr(before_last.size()));
    const std::size_t n = texts.size();
    // best[k]: the fewest headwords that spell the first k parts, longest first.
    std::vector<std::optional<std::vector<std::string>>> best(n);
    best[0] = std::vector<std::string>{};
    for (std::size_t end = 1; end < n; ++end) {
        for (std::size_t start = 0; start < end; ++start) {
            if (!best[start]) continue;
            const auto headword = part_headword(joined(texts, start, end));
            if (!headword) continue;
            auto candidate = *best[start];
            candidate.push_back(*headword);
            if (!best[end] || candidate.size() < best[end]->size()) best[end] = std::move(candidate);
        }
    }
    std::optional<CompoundSplit> split;
    for (std::size_t start = n; start-- > 0;) {
        if (!best[start]) continue;
        const std::string last = joined(texts, start, n - 1) + last_base;
        if (!is_headword(last)) continue;
        auto parts = *best[start];
        parts.push_back(last);
        if (parts.size() < 2) continue;
        if (!split || parts.size() < split->parts.size()) {
            split = CompoundSplit{std::string(baseform.substr(0, baseform.size() - last.size())), last, std::move(parts)};
        }
    }
    return split;
}

std::string compound_meaning(const CompoundSplit& split) { return morphology::compound_meaning(split.parts); }

}  // namespace lomperi::data_build
