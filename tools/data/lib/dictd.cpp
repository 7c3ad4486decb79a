#include "dictd.hpp"

#include <fmt/format.h>

#include <charconv>
#include <set>

#include "text.hpp"

namespace lomperi::data_build {
namespace {

constexpr std::string_view kBase64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// "12. " at the start of a line: the sense number, else nothing.
std::optional<unsigned> sense_number(std::string_view line) {
    unsigned number = 0;
    const auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), number);
    if (ec != std::errc{} || end == line.data()) return std::nullopt;
    const std::string_view rest(end, static_cast<std::size_t>(line.data() + line.size() - end));
    if (rest.starts_with(". ") || rest == ".") return number;
    return std::nullopt;
}

bool is_digits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// " 3." alone: a further description of the translations above.
bool is_continuation(std::string_view line) {
    if (!line.starts_with(' ')) return false;
    const auto body = trim(line);
    return body.ends_with('.') && is_digits(body.substr(0, body.size() - 1));
}

// Drops a trailing " 2." that announces continuation lines.
std::string_view without_continuation_mark(std::string_view line) {
    const auto space = line.rfind(' ');
    if (space == std::string_view::npos || !line.ends_with('.')) return line;
    if (!is_digits(line.substr(space + 1, line.size() - space - 2))) return line;
    return trim(line.substr(0, space));
}

void parse_header(std::string_view line, DictdRecord& record) {
    line = trim(line);
    if (line.ends_with('>')) {
        const auto open = line.rfind(" <");
        if (open != std::string_view::npos) {
            record.pos = std::string(line.substr(open + 2, line.size() - open - 3));
            line = trim(line.substr(0, open));
        }
    }
    const auto ipa = line.find(" /");
    record.headword = std::string(trim(line.substr(0, ipa)));
}

}  // namespace

std::optional<std::uint64_t> decode_dictd_number(std::string_view digits) {
    if (digits.empty() || digits.size() > 10) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        const auto digit = kBase64.find(c);
        if (digit == std::string_view::npos) return std::nullopt;
        value = value * 64 + digit;
    }
    return value;
}

Result<std::vector<DictdIndexEntry>> parse_dictd_index(std::string_view text) {
    std::vector<DictdIndexEntry> entries;
    std::size_t line_number = 0;
    for (const auto line : split_lines(text)) {
        ++line_number;
        if (line.empty()) continue;
        const auto tab1 = line.find('\t');
        const auto tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string_view::npos) return fail(fmt::format("index line {}: expected three fields", line_number));
        const auto offset = decode_dictd_number(line.substr(tab1 + 1, tab2 - tab1 - 1));
        const auto length = decode_dictd_number(line.substr(tab2 + 1));
        if (!offset || !length) return fail(fmt::format("index line {}: bad offset or length", line_number));
        const auto word = line.substr(0, tab1);
        if (word.starts_with("00database") || word.starts_with("00-database")) continue;
        entries.push_back({std::string(word), *offset, *length});
    }
    return entries;
}

Result<DictdRecord> parse_dictd_record(std::string_view text) {
    const auto lines = split_lines(text);
    if (lines.empty() || trim(lines[0]).empty()) return fail("record without a headword line");
    DictdRecord record;
    parse_header(lines[0], record);
    if (record.headword.empty()) return fail("record without a headword");
    const bool numbered = lines.size() > 1 && sense_number(lines[1]) == 1u;
    unsigned next = 1;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto line = lines[i];
        if (trim(line).empty()) continue;
        const bool starts_sense = numbered ? sense_number(line) == next : record.senses.empty();
        if (starts_sense) {
            auto translations = line;
            if (numbered) {
                translations.remove_prefix(line.find('.') + 1);
                ++next;
            }
            record.senses.push_back({std::string(without_continuation_mark(trim(translations))), {}});
            continue;
        }
        if (is_continuation(line) || record.senses.empty()) continue;
        record.senses.back().descriptions.emplace_back(trim(line));
    }
    return record;
}

Result<std::vector<DictdRecord>> read_dictd(std::string_view index, std::string_view dict) {
    auto entries = parse_dictd_index(index);
    if (!entries) return forward(entries);
    std::vector<DictdRecord> records;
    std::set<std::uint64_t> seen;
    for (const auto& entry : *entries) {
        if (!seen.insert(entry.offset).second) continue;
        if (entry.offset > dict.size() || entry.length > dict.size() - entry.offset) {
            return fail(fmt::format("index entry \"{}\" points past the end of the dictionary", entry.word));
        }
        auto record = parse_dictd_record(dict.substr(entry.offset, entry.length));
        if (!record) return forward(record, fmt::format("record of \"{}\"", entry.word));
        records.push_back(std::move(*record));
    }
    return records;
}

}  // namespace lomperi::data_build
