#include "core/cli/json.hpp"

#include <fmt/format.h>

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

std::string reading_json(const morphology::Reading& r) {
    std::string out = "{\"lemma\":";
    append_string(out, r.lemma);
    append_field(out, "class", r.word_class);
    append_field(out, "case", r.grammatical_case);
    append_field(out, "number", r.number);
    append_field(out, "person", r.person);
    append_field(out, "mood", r.mood);
    append_field(out, "tense", r.tense);
    append_field(out, "infinitive", r.infinitive);
    append_field(out, "participle", r.participle);
    append_field(out, "comparison", r.comparison);
    append_field(out, "possessive", r.possessive);
    if (!r.clitics.empty()) {
        out += ",\"clitics\":[";
        for (std::size_t k = 0; k < r.clitics.size(); ++k) {
            if (k > 0) out += ',';
            append_string(out, r.clitics[k]);
        }
        out += ']';
    }
    if (r.negative) out += *r.negative ? ",\"negative\":true" : ",\"negative\":false";
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
    out += "]}\n";
    return out;
}

}  // namespace lomperi::cli
