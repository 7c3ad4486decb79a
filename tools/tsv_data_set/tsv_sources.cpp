#include "tsv_sources.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <map>

#include "base/utf8.hpp"

namespace lomperi::tsv_data_set {
namespace {

std::vector<std::string_view> split_tabs(std::string_view line) {
    std::vector<std::string_view> fields;
    while (true) {
        const auto tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) return fields;
        line.remove_prefix(tab + 1);
    }
}

struct Entry {
    std::vector<format::PosGroup> groups;
};

format::PosGroup& group_for(Entry& entry, std::string_view pos) {
    const auto found = std::find_if(entry.groups.begin(), entry.groups.end(),
                                    [&](const format::PosGroup& group) { return group.pos == pos; });
    if (found != entry.groups.end()) return *found;
    return entry.groups.emplace_back(format::PosGroup{std::string(pos), {}});
}

Result<void> check_fields(const TsvLine& line, std::size_t count, std::string_view file, std::string_view shape) {
    if (line.fields.size() != count)
        return fail(fmt::format("{}:{}: expected {} separated by tabs", file, line.number, shape));
    for (const auto field : line.fields) {
        if (field.empty()) return fail(fmt::format("{}:{}: empty field", file, line.number));
        if (!is_utf8(as_bytes(field))) return fail(fmt::format("{}:{}: not UTF-8", file, line.number));
    }
    return {};
}

}  // namespace

std::vector<TsvLine> tsv_lines(std::string_view text) {
    std::vector<TsvLine> lines;
    std::size_t number = 0;
    while (!text.empty()) {
        const auto newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        lines.push_back({number, split_tabs(line)});
    }
    return lines;
}

Result<morphology::DataSetBuilder> read_sources(const Sources& sources) {
    std::map<std::string, Entry, std::less<>> entries;
    std::vector<std::string> pos_names;
    for (const auto& line : tsv_lines(sources.glosses)) {
        if (auto ok = check_fields(line, 3, "glosses", "headword, pos and meaning"); !ok) return forward(ok);
        const auto pos = line.fields[1];
        if (std::find(pos_names.begin(), pos_names.end(), pos) == pos_names.end()) pos_names.emplace_back(pos);
        group_for(entries[std::string(line.fields[0])], pos).meanings.emplace_back(line.fields[2]);
    }
    morphology::DataSetBuilder builder;
    builder.set_pos_names(std::move(pos_names));
    for (auto& [headword, entry] : entries) {
        if (sources.self_forms) builder.add_form(headword, headword);
        builder.add_headword(headword, std::move(entry.groups));
    }
    for (const auto& line : tsv_lines(sources.forms)) {
        if (auto ok = check_fields(line, 2, "forms", "form and base"); !ok) return forward(ok);
        if (!entries.contains(line.fields[1]))
            return fail(fmt::format("forms:{}: base {:?} is not a headword", line.number, line.fields[1]));
        builder.add_form(std::string(line.fields[0]), std::string(line.fields[1]));
    }
    return builder;
}

}  // namespace lomperi::tsv_data_set
