#include "core/morphology/forgiving_lookup.hpp"

#include <fmt/format.h>

#include <algorithm>

#include "base/text.hpp"
#include "base/utf8.hpp"
#include "core/morphology/analysis.hpp"
#include "core/morphology/form_wordings.hpp"
#include "core/morphology/inflection_lookup.hpp"

namespace lomperi::morphology {
namespace {

constexpr std::size_t kMinPartBytes = 2;

std::vector<char32_t> code_points(std::string_view text) {
    std::vector<char32_t> out;
    while (!text.empty()) {
        const Utf8Step step = decode_utf8(text);
        out.push_back(step.status == Utf8Step::Ok ? step.code_point : 0xFFFD);
        text.remove_prefix(std::max<std::size_t>(step.length, 1));
    }
    return out;
}

std::string text_of(const std::vector<char32_t>& points) {
    std::string out;
    for (const char32_t ch : points) append_utf8(out, ch);
    return out;
}

std::vector<std::string> lower_case_spellings(std::string_view query) {
    std::vector<std::string> out;
    std::string first = lower_case_first(query);
    std::string all = lower_case(query);
    if (first != query) out.push_back(first);
    if (all != query && all != first) out.push_back(std::move(all));
    return out;
}

// The spellings a and o stand in for on a keyboard without ä, ö and å.
std::vector<char32_t> alternatives(char32_t ch) {
    switch (ch) {
        case U'a': return {U'ä', U'å'};
        case U'o': return {U'ö'};
        case U'ä':
        case U'å': return {U'a'};
        case U'ö': return {U'o'};
        default: return {};
    }
}

// How many letters two words begin with alike.
std::size_t same_letters(std::string_view a, std::string_view b) {
    std::size_t letters = 0;
    auto left = CodePoints(a).begin();
    auto right = CodePoints(b).begin();
    for (; left != std::default_sentinel && right != std::default_sentinel; ++left, ++right, ++letters) {
        if ((*left).value != (*right).value) break;
    }
    return letters;
}

std::vector<std::string> letter_variants(std::string_view query) {
    const std::vector<char32_t> points = code_points(query);
    std::vector<std::size_t> positions;
    for (std::size_t k = 0; k < points.size(); ++k) {
        if (!alternatives(points[k]).empty()) positions.push_back(k);
    }
    // Counting through the choices at each position, first position fastest,
    // leaving out the spelling as typed; at most kMaxLetterVariants.
    std::vector<std::string> out;
    std::vector<std::size_t> choice(positions.size(), 0);
    while (out.size() < kMaxLetterVariants) {
        std::size_t k = 0;
        while (k < positions.size() && ++choice[k] > alternatives(points[positions[k]]).size()) choice[k++] = 0;
        if (k == positions.size()) break;
        std::vector<char32_t> variant = points;
        for (std::size_t p = 0; p < positions.size(); ++p) {
            if (choice[p] > 0) variant[positions[p]] = alternatives(points[positions[p]])[choice[p] - 1];
        }
        out.push_back(text_of(variant));
    }
    return out;
}

// The headword a part stands for, preferring one with an entry.
std::optional<std::string> part_headword(const Dictionary& dictionary, std::string_view text) {
    if (dictionary.glosses.get(text)) return std::string(text);
    return fallback_headword(dictionary, text);
}

// A spelling without an analysis, and how many of its letters decide that.
struct Unreadable {
    std::string_view word;
    std::size_t deciding = 0;
};

struct Split {
    std::size_t parts = 0;
    std::size_t last_start = 0;  // where the part that ends here starts
};

}  // namespace

bool reaches_entry(const Dictionary& dictionary, std::string_view text) {
    return dictionary.glosses.get(text).has_value() || !bases_of(dictionary, text).empty();
}

std::optional<std::vector<CompoundPart>> split_into_parts(const Dictionary& dictionary, std::string_view word) {
    const std::size_t n = word.size();
    if (n < 2 * kMinPartBytes) return std::nullopt;
    // ends[i]: where a part that starts at i may end, and whether it may be the last.
    std::vector<std::vector<std::size_t>> inner(n), last(n);
    std::vector<std::size_t> heads, forms;
    for (std::size_t i = 0; i < n; ++i) {
        if (!starts_code_point(word[i])) continue;
        const std::string_view rest = word.substr(i);
        dictionary.glosses.key_prefixes(rest, heads);
        dictionary.inflections.key_prefixes(rest, forms);
        for (const std::size_t length : heads) {
            if (length < kMinPartBytes) continue;
            inner[i].push_back(i + length);
            if (i + length == n) last[i].push_back(n);
            // A linking "s" or hyphen after a headword.
            if (i + length < n && (rest[length] == 's' || rest[length] == '-')) inner[i].push_back(i + length + 1);
        }
        for (const std::size_t length : forms) {
            if (length < kMinPartBytes) continue;
            inner[i].push_back(i + length);
            if (i + length == n) last[i].push_back(n);
        }
    }
    // best[j]: the fewest parts that spell word[0, j); on a tie the split
    // whose latest part is shortest, so that earlier parts are longest.
    std::vector<std::optional<Split>> best(n + 1);
    best[0] = Split{0, 0};
    for (std::size_t i = 0; i < n; ++i) {
        if (!best[i]) continue;
        for (const std::size_t j : inner[i]) {
            if (j >= n) continue;
            const Split candidate{best[i]->parts + 1, i};
            if (!best[j] || candidate.parts < best[j]->parts ||
                (candidate.parts == best[j]->parts && candidate.last_start > best[j]->last_start)) {
                best[j] = candidate;
            }
        }
    }
    std::optional<Split> whole;
    for (std::size_t i = 1; i < n; ++i) {
        if (!best[i] || last[i].empty()) continue;
        const Split candidate{best[i]->parts + 1, i};
        if (!whole || candidate.parts < whole->parts ||
            (candidate.parts == whole->parts && candidate.last_start > whole->last_start)) {
            whole = candidate;
        }
    }
    if (!whole) return std::nullopt;
    std::vector<CompoundPart> parts;
    std::size_t end = n;
    for (std::size_t start = whole->last_start;; start = best[start]->last_start) {
        std::string_view text = word.substr(start, end - start);
        std::string_view looked_up = text;
        if ((text.ends_with('s') || text.ends_with('-')) && !reaches_entry(dictionary, text)) looked_up.remove_suffix(1);
        auto headword = part_headword(dictionary, looked_up);
        if (!headword) return std::nullopt;
        parts.insert(parts.begin(), CompoundPart{std::string(text), std::move(*headword)});
        end = start;
        if (start == 0) break;
    }
    return parts;
}

format::GlossRecord compound_record(const Dictionary& dictionary, const std::vector<CompoundPart>& parts) {
    format::PosGroup group;
    if (!parts.empty()) {
        if (const auto record = dictionary.gloss_record(parts.back().headword); record && !record->groups.empty()) {
            group.pos = record->groups.front().pos;
        }
    }
    for (const auto& part : parts) {
        const bool plain = part.text == part.headword || part.text == part.headword + "s" || part.text == part.headword + "-";
        group.meanings.push_back(plain ? compound_part_meaning(part.text) : part_form_meaning(part.text, part.headword));
    }
    return format::GlossRecord{{std::move(group)}};
}

bool analysis_reaches_entry(const Dictionary& dictionary, std::string_view text) {
    for (const auto& reading : analyse(dictionary, text)) {
        if (has_entry(dictionary, reading)) return true;
        if (reading.compound_parts > 1 &&
            std::ranges::all_of(reading.parts, [&](const analysis::ReadingPart& part) { return dictionary.glosses.get(part.lemma).has_value(); })) {
            return true;
        }
    }
    return false;
}

// A hyphened word that the analyser does not read, nor splits into words
// ("Billboard-listalla", "GIMP-hakemistoosi"), is told by its last part,
// the word the others only qualify; "1500-luvun", which the analyser reads
// as a whole, is not.
std::optional<ForgivenQuery> last_hyphened_part(const Dictionary& dictionary, std::string_view query) {
    const std::size_t hyphen = query.rfind('-');
    if (hyphen == std::string_view::npos || query.size() - hyphen <= kMinPartBytes) return std::nullopt;
    // A word that starts with its hyphen (" -listalla" after a name) is its last part.
    if (hyphen == 0 ? analysis_reaches_entry(dictionary, query)
                    : !analyse(dictionary, query).empty() || split_into_parts(dictionary, lower_case(query))) {
        return std::nullopt;
    }
    const std::string_view last = query.substr(hyphen + 1);
    if (!reaches_entry(dictionary, last) && !analysis_reaches_entry(dictionary, last)) return std::nullopt;
    const std::string_view before = query.substr(0, hyphen);
    std::string note = before.empty() ? fmt::format("{}: {}", query, last) : fmt::format("{}: {} + {}", query, before, last);
    return ForgivenQuery{std::string(last), std::move(note), {}};
}

std::optional<ForgivenQuery> forgive_query(const Dictionary& dictionary, std::string_view query, bool lists_empty) {
    // Longer than any key: no spelling of it can be one, and the work of
    // varying or splitting it would grow with a paste.
    if (query.empty() || query.size() > kMaxKeyBytes || reaches_entry(dictionary, query)) return std::nullopt;
    const auto spellings = lower_case_spellings(query);
    // A name the analyser reads as written ("Heinäveden": of Heinävesi) is
    // that name, not the common word spelt alike in lower case.
    if (!spellings.empty() && std::ranges::any_of(analyse(dictionary, query), [&](const analysis::Reading& r) {
            return lower_case_first(r.lemma) != r.lemma && has_entry(dictionary, r);
        })) {
        return std::nullopt;
    }
    for (const auto& spelling : spellings) {
        if (reaches_entry(dictionary, spelling)) return ForgivenQuery{spelling, fmt::format("{} → {}", query, spelling), {}};
    }
    if (!lists_empty) return std::nullopt;
    if (auto last = last_hyphened_part(dictionary, query)) return last;
    // A word the analyser knows is read as written: another spelling of a
    // real word is another word ("tyylisiltä" is no "tyylisilta").
    const std::string lower = spellings.empty() ? std::string(query) : spellings.back();
    if (dictionary.analyser.available() && !analyse(dictionary, lower).empty()) return std::nullopt;
    // A variant that begins with the letters that decide a spelling tried
    // before has no analysis (the word's, or an earlier variant's) is not
    // analysed: it has none either.
    std::vector<Unreadable> unreadable{{lower, dictionary.analyser.deciding_letters(lower)}};
    for (const auto& variant : letter_variants(lower)) {
        if (reaches_entry(dictionary, variant)) return ForgivenQuery{variant, fmt::format("{} → {}", query, variant), {}};
        if (std::ranges::any_of(unreadable, [&](const Unreadable& u) { return same_letters(variant, u.word) >= u.deciding; })) {
            continue;
        }
        if (const std::size_t deciding = dictionary.analyser.deciding_letters(variant); deciding < code_point_count(variant)) {
            unreadable.push_back({variant, deciding});
            continue;
        }
        if (analysis_reaches_entry(dictionary, variant)) return ForgivenQuery{variant, fmt::format("{} → {}", query, variant), {}};
    }
    // Only for a word the analyser does not know: the split is a guess.
    auto parts = split_into_parts(dictionary, lower);
    if (!parts) return std::nullopt;
    std::string named;
    for (const auto& part : *parts) named += (named.empty() ? "" : " + ") + part.text;
    const std::string_view guess = dictionary.analyser.available() ? " (a guess)" : "";
    return ForgivenQuery{std::string(query), fmt::format("{}: {}{}", query, named, guess), std::move(*parts)};
}

}  // namespace lomperi::morphology
