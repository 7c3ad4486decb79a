#include "core/cli/json.hpp"

#include <fmt/format.h>

#include "core/analysis/labels.hpp"
#include "core/cli/text_io.hpp"

namespace lomperi::cli {
namespace {

// A JSON string: quotes, backslashes and control characters escaped, and
// what a terminal could misread made U+FFFD first.
void append_string(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : printable(text)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            out += fmt::format("\\u{:04x}", static_cast<unsigned char>(c));
        } else {
            out += c;
        }
    }
    out += '"';
}

void append_field(std::string& out, std::string_view name, std::string_view value) {
    if (value.empty()) return;
    out += ',';
    append_string(out, name);
    out += ':';
    append_string(out, value);
}

// The attributes of a form that apply, as fields: "case", "number", …
void append_form_fields(std::string& out, const analysis::Form& form) {
    using analysis::label;
    append_field(out, "case", label(form.grammatical_case).json);
    append_field(out, "number", label(form.number).json);
    append_field(out, "person", label(form.person, form.number).json);
    append_field(out, "mood", label(form.mood).json);
    append_field(out, "tense", label(form.tense).json);
    append_field(out, "infinitive", label(form.infinitive).json);
    append_field(out, "participle", label(form.participle).json);
    append_field(out, "comparison", label(form.comparison).json);
    append_field(out, "possessive", label(form.possessive).json);
    if (!form.clitics.empty()) {
        out += ",\"clitics\":[";
        for (const analysis::Clitic clitic : form.clitics) {
            if (!out.ends_with('[')) out += ',';
            append_string(out, label(clitic).json);
        }
        out += ']';
    }
    if (form.negative != analysis::Negative::None) {
        out += form.negative == analysis::Negative::Yes ? ",\"negative\":true" : ",\"negative\":false";
    }
}

std::string reading_json(const analysis::Reading& r) {
    std::string out = "{\"lemma\":";
    append_string(out, r.lemma);
    append_field(out, "class", analysis::label(r.form.word_class).json);
    append_form_fields(out, r.form);
    if (r.guessed) out += ",\"guessed\":true";
    if (r.compound_parts > 1 || r.derivations > 0) {
        out += ",\"parts\":[";
        for (std::size_t k = 0; k < r.parts.size(); ++k) {
            if (k > 0) out += ',';
            out += "{\"text\":";
            append_string(out, r.parts[k].text);
            out += ",\"lemma\":";
            append_string(out, r.parts[k].lemma);
            out += '}';
        }
        out += ']';
    }
    out += '}';
    return out;
}

}  // namespace

std::string word_json(std::string_view word, const Glossed& glossed) {
    std::string out = "{\"word\":";
    append_string(out, word);
    out += ",\"headword\":";
    if (glossed.headword) {
        append_string(out, *glossed.headword);
    } else {
        out += "null";
    }
    out += ",\"meaning\":";
    if (glossed.meaning) {
        append_string(out, *glossed.meaning);
    } else {
        out += "null";
    }
    if (!glossed.read_as.empty()) append_field(out, "read_as", glossed.read_as);
    if (glossed.damaged) out += ",\"damaged\":true";
    const auto& readings = glossed.readings;
    out += ",\"readings\":[";
    for (std::size_t k = 0; k < readings.size(); ++k) {
        if (k > 0) out += ',';
        out += reading_json(readings[k]);
    }
    out += ']';
    // A word that reaches nothing: what it may stand for, best first.
    if (!glossed.headword && (readings.empty() || glossed.guessed()) && !glossed.damaged) {
        out += ",\"suggestions\":[";
        for (std::size_t k = 0; k < glossed.suggestions.size(); ++k) {
            if (k > 0) out += ',';
            append_string(out, glossed.suggestions[k]);
        }
        out += ']';
    }
    out += "}\n";
    return out;
}

std::string table_json(std::string_view word, const paradigm::InflectionTable& table) {
    std::string out = "{\"word\":";
    append_string(out, word);
    out += ",\"lemma\":";
    append_string(out, table.lemma);
    append_field(out, "class", analysis::label(table.word_class).json);
    out += ",\"cells\":[";
    bool first = true;
    for (const auto& section : table.sections) {
        for (const auto& row : section.rows) {
            for (const auto& cell : row.cells) {
                if (cell.forms.empty()) continue;
                if (!first) out += ',';
                first = false;
                std::string forms;
                for (const auto& form : cell.forms) forms += (forms.empty() ? "" : ", ") + form;
                out += "{\"form\":";
                append_string(out, forms);
                append_form_fields(out, cell.form);
                out += '}';
            }
        }
    }
    out += "],\"examples\":[";
    for (std::size_t k = 0; k < table.examples.size(); ++k) {
        if (k > 0) out += ',';
        append_string(out, table.examples[k]);
    }
    out += "]}\n";
    return out;
}

}  // namespace lomperi::cli
