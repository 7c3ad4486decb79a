#include "core/analysis/voikko_output.hpp"

#include <cstddef>

#include "base/utf8.hpp"
#include "core/analysis/voikko_tags.hpp"

namespace lomperi::analysis {
namespace {

using Text = std::u32string;
using View = std::u32string_view;

Text to_u32(std::string_view text) {
    Text out;
    while (!text.empty()) {
        const Utf8Step step = decode_utf8(text);
        out += step.status == Utf8Step::Ok ? step.code_point : U'\uFFFD';
        text.remove_prefix(std::max<std::size_t>(step.length, 1));
    }
    return out;
}

std::string to_utf8(View text) {
    std::string out;
    for (const char32_t ch : text) append_utf8(out, ch);
    return out;
}

// Whether `text` holds `what` at `at`; the literal's length is known when compiling.
template <std::size_t N>
bool at(View text, std::size_t position, const char32_t (&what)[N]) {
    constexpr std::size_t length = N - 1;
    if (position > text.size() || text.size() - position < length) return false;
    for (std::size_t k = 0; k < length; ++k) {
        if (text[position + k] != what[k]) return false;
    }
    return true;
}

bool is_digit(char32_t ch) { return ch >= U'0' && ch <= U'9'; }
bool is_vowel(char32_t ch) { return View(U"aeiouyäö").find(ch) != View::npos; }

// The simple case mappings of voikko's own (Latin, Latin-1 and Latin
// Extended-A letters, the ones its lexicon holds).
char32_t lower(char32_t ch) {
    if ((ch >= 0x41 && ch <= 0x5A) || (ch >= 0xC0 && ch <= 0xD6) || (ch >= 0xD8 && ch <= 0xDE)) return ch + 0x20;
    if (ch >= 0x100 && ch <= 0x17F) {
        const bool even_upper = (ch <= 0x136 || (ch >= 0x14A && ch <= 0x176));
        if (even_upper && ch % 2 == 0) return ch + 1;
        if (!even_upper && ch % 2 == 1 && ch != 0x17F) return ch + 1;
    }
    return ch;
}

char32_t upper(char32_t ch) {
    if ((ch >= 0x61 && ch <= 0x7A) || (ch >= 0xE0 && ch <= 0xF6) || (ch >= 0xF8 && ch <= 0xFE)) return ch - 0x20;
    if (ch >= 0x100 && ch <= 0x17F) {
        const bool even_upper = (ch <= 0x137 || (ch >= 0x14A && ch <= 0x177));
        if (even_upper && ch % 2 == 1) return ch - 1;
        if (!even_upper && ch % 2 == 0 && ch != 0x138) return ch - 1;
    }
    return ch;
}

// The hyphen rules of compounds, and names compounded with plain nouns.
bool is_valid(View output) {
    const std::size_t len = output.size();
    char32_t before_last = 0, last = 0;
    bool boundary_passed = false, hyphen_present = false;
    bool hyphen_allowed = false, hyphen_allowed_just_set = false;
    bool hyphen_required = false, required_hyphen_missing = false;
    bool starts_with_proper_noun = false, ends_with_non_ica_noun = false;
    for (std::size_t i = 0; i < len; ++i) {
        const char32_t ch = output[i];
        if (ch == U'[') {
            if (i + 2 >= len) return false;
            if (i + 3 < len) {
                if (output[i + 1] == U'I') {
                    if (at(output, i + 2, U"sf")) {
                        hyphen_allowed = true;
                        hyphen_allowed_just_set = true;
                    } else if (at(output, i + 2, U"cu")) {
                        boundary_passed = false;
                        hyphen_allowed = true;
                        hyphen_required = true;
                    } else if (at(output, i + 2, U"ca")) {
                        required_hyphen_missing = false;
                        ends_with_non_ica_noun = false;
                    }
                } else if (output[i + 1] == U'L') {
                    if (output[i + 2] == U'e') {
                        starts_with_proper_noun = true;
                        ends_with_non_ica_noun = false;
                    } else if (output[i + 2] == U'n') {
                        ends_with_non_ica_noun = true;
                    }
                } else if (at(output, i + 1, U"Dg")) {
                    starts_with_proper_noun = false;
                }
            }
            if (output[i + 1] == U'X') {
                while (i + 3 < len) {
                    ++i;
                    if (output[i] == U'[' && output[i + 1] == U'X' && output[i + 2] == U']') {
                        i += 2;
                        break;
                    }
                }
            } else if (at(output, i + 1, U"Bh")) {
                i += 3;
                boundary_passed = true;
                hyphen_present = false;
                if (required_hyphen_missing) return false;
                if (hyphen_required) required_hyphen_missing = true;
            } else {
                while (++i < len && output[i] != U']') {
                }
            }
        } else if (ch == U'-') {
            starts_with_proper_noun = false;
            ends_with_non_ica_noun = false;
            if (i + 5 < len && at(output, i + 1, U"[Bh]")) {
                boundary_passed = true;
                hyphen_present = true;
                i += 4;
            }
        } else {
            if (boundary_passed) {
                if (last == 0 || (before_last == U'i' && last == U's')) hyphen_allowed = true;
                if (hyphen_required && hyphen_present) hyphen_required = false;
                if (!(hyphen_allowed && hyphen_present)) {
                    const char32_t previous = lower(last);
                    const char32_t next = lower(ch);
                    const bool needed = (previous == next && is_vowel(previous)) || is_digit(previous);
                    if (needed != hyphen_present) return false;
                }
                boundary_passed = false;
                if (hyphen_allowed_just_set) {
                    hyphen_allowed_just_set = false;
                } else {
                    hyphen_allowed = false;
                }
            }
            before_last = last;
            last = ch;
        }
    }
    return !required_hyphen_missing && (!starts_with_proper_noun || !ends_with_non_ica_noun);
}

// The letters of a tag after its kind: "[Sine]" at j..i gives "ine".
std::string tag_letters(View output, std::size_t j, std::size_t i) { return to_utf8(output.substr(j + 2, i - j - 2)); }

template <class Code>
void set_once(Code& attribute, Code value) {
    if (attribute == Code{}) attribute = value;
}

// Tags read right to left, the rightmost of each kind winning: a compound
// takes its last part's class and case; mood and comparison count only
// right of the rightmost class tag; a participle only in the last part.
Form basic_attributes(View output) {
    Form a;
    MoodTag mood;
    std::optional<Clitic> focus;
    bool question = false;
    char negative = 0;  // t, f, or b: both, which tells neither
    const std::size_t len = output.size();
    bool nl_as_adjective = false;
    bool bc_passed = false;
    bool class_set = false;
    for (std::size_t i = len - 1; i >= 2 && len >= 3; --i) {
        if (output[i] != U']') continue;
        std::size_t j = i;
        while (j >= 1) {
            --j;
            if (output[j] != U'[') continue;
            const std::string tag = tag_letters(output, j, i);
            const char32_t kind = output[j + 1];
            const bool adverb_or_prefix = a.word_class == WordClass::Prefix || a.word_class == WordClass::Adverb;
            if (kind == U'L') {
                if (!class_set || output[j + 2] == U']') {
                    if (at(output, j + 2, U"nl")) {
                        const bool compared = a.comparison != Comparison::None;
                        a.word_class = nl_as_adjective || compared || at(output, 0, U"[Lu]") ? WordClass::Adjective
                                                                                             : WordClass::NounAdjective;
                    } else {
                        set_once(a.word_class, word_class_tag(tag));
                    }
                    class_set = true;
                }
            } else if (kind == U'N') {
                if (!adverb_or_prefix) set_once(a.number, number_tag(tag));
            } else if (kind == U'P') {
                set_once(a.person, person_tag(tag));
            } else if (kind == U'S') {
                if (!adverb_or_prefix) {
                    set_once(a.grammatical_case, case_tag(tag));
                    if (j + 5 < len && at(output, j + 2, U"sti")) nl_as_adjective = true;
                }
            } else if (kind == U'T') {
                if (a.word_class == WordClass::None && !mood.known()) mood = mood_tag(tag);
            } else if (kind == U'A') {
                set_once(a.tense, tense_tag(tag));
            } else if (kind == U'F') {
                if (at(output, j + 2, U"ko")) {
                    question = true;
                } else if (const auto clitic = clitic_tag(tag); clitic && !focus) {
                    focus = clitic;
                }
            } else if (kind == U'O') {
                set_once(a.possessive, possessive_tag(tag));
            } else if (kind == U'C') {
                if (a.word_class == WordClass::None) set_once(a.comparison, comparison_tag(tag));
            } else if (kind == U'E') {
                if (negative == 0 && (tag == "t" || tag == "f" || tag == "b")) negative = tag[0];
            } else if (kind == U'R') {
                const bool last_part_adjective = a.word_class == WordClass::None || a.word_class == WordClass::Adjective ||
                                                 (len >= 4 && output.substr(len - 4) == U"[Ln]");
                if (!bc_passed && last_part_adjective) set_once(a.participle, participle_tag(tag));
            } else if (kind == U'B') {
                if (j >= 5 && output[j + 2] == U'c') {
                    if (!class_set && a.word_class == WordClass::None &&
                        (output[j - 1] == U'-' || at(output, j - 5, U"-[Bh]"))) {
                        a.word_class = WordClass::Prefix;
                        class_set = true;
                    }
                    bc_passed = true;
                }
            }
            break;
        }
        if (j < 3) break;
        i = j;
    }
    // What voikko settles after reading the tags.
    a.mood = mood.mood;
    a.infinitive = mood.infinitive;
    const bool nominal_infinitive = a.infinitive == Infinitive::E || a.infinitive == Infinitive::Ma ||
                                    a.infinitive == Infinitive::Minen;
    const bool other_class = a.word_class != WordClass::None && a.word_class != WordClass::Verb;
    if (!other_class && !nominal_infinitive) {
        a.negative = negative == 't' ? Negative::Yes : negative == 'f' ? Negative::No : Negative::None;
    }
    if (a.participle == Participle::PastPassive) a.word_class = WordClass::Adjective;
    if (a.grammatical_case == Case::StiAdverb) a.number = Number::None;
    if (a.word_class == WordClass::Noun) a.comparison = Comparison::None;
    if (focus) a.clitics.push_back(*focus);
    if (question) a.clitics.push_back(Clitic::Ko);
    return a;
}

// The letter-case pattern of the word: "=" before each part, "i" for a
// capital (a name's first letter), "p" for a small letter; "j" and "q" for
// the same in abbreviations. The base form takes its capitals from it.
void default_structure(std::size_t missing, bool& title_case, Text& structure, bool abbreviation) {
    for (; missing > 0; --missing) {
        if (title_case) {
            structure += abbreviation ? U'j' : U'i';
            title_case = false;
        } else {
            structure += abbreviation ? U'q' : U'p';
        }
    }
}

void decrease(std::size_t& missing, std::size_t seen, std::size_t from_default) {
    missing = seen - from_default <= missing ? missing - (seen - from_default) : 0;
}

Text parse_structure(View output, std::size_t word_length) {
    Text structure = U"=";
    const std::size_t len = output.size();
    std::size_t missing = word_length, seen = 0, from_default = 0;
    bool title_case = false, abbreviation = false;
    for (std::size_t i = 0; i < len; ++i) {
        if (output[i] == U'[' && i + 2 < len) {
            if (i + 3 < len && output[i + 1] == U'B' && output[i + 2] != U'h' && output[i + 3] == U']') {
                if (i == 1) structure += U'=';
                if (seen > from_default) {
                    default_structure(seen - from_default, title_case, structure, abbreviation);
                    decrease(missing, seen, from_default);
                }
                if (i != 1 && i + 5 < len && !structure.empty() && structure.back() != U'=') structure += U'=';
                i += 3;
                seen = 0;
                from_default = 0;
            } else if (i + 3 < len && output[i + 1] == U'X' && output[i + 3] == U']') {
                if (output[i + 2] == U'r') {
                    title_case = false;
                    i += 4;
                    while (i < len && output[i] != U'[' && missing) {
                        structure += output[i];
                        if (output[i] != U'=') {
                            ++from_default;
                            if (output[i] != U'-') --missing;
                        }
                        ++i;
                    }
                    i += 2;
                } else {
                    i += 4;
                    while (i < len && output[i] != U'[') ++i;
                    i += 2;
                }
            } else if (i + 3 < len && output[i + 1] == U'L') {
                if (output[i + 2] == U'e') {
                    title_case = true;
                    abbreviation = false;
                    i += 4;
                } else if (output[i + 2] == U'n' && output[i + 3] == U'l') {
                    abbreviation = false;
                    i += 4;
                } else if (output[i + 2] == U'a') {
                    abbreviation = true;
                    i += 3;
                } else if (output[i + 2] == U'u' && i + 5 < len && (output[i + 3] == U'r' || is_digit(output[i + 4]))) {
                    abbreviation = true;
                    i += 3;
                    if (output[i] == U'r') ++i;
                } else {
                    abbreviation = false;
                    i += 3;
                }
            } else {
                while (i < len && output[i] != U']') ++i;
            }
        } else if (output[i] == U'-') {
            if (seen > from_default) {
                default_structure(seen - from_default, title_case, structure, abbreviation);
                decrease(missing, seen, from_default);
                structure += U'-';
                seen = 0;
                from_default = 0;
            } else if (i != 0) {
                if (seen == from_default) {
                    structure += U'-';
                } else {
                    ++seen;
                }
            }
            if (missing) --missing;
            if (structure.size() == 1) structure[0] = U'-';
        } else if (output[i] == U':') {
            if (abbreviation) {
                if (seen > from_default) {
                    default_structure(seen - from_default, title_case, structure, abbreviation);
                    decrease(missing, seen, from_default);
                    seen = 0;
                    from_default = 0;
                }
                abbreviation = false;
            }
            structure += U':';
            if (missing) --missing;
        } else {
            ++seen;
        }
    }
    default_structure(missing, title_case, structure, abbreviation);
    return structure;
}

void fix_structure(Text& structure, View output) {
    bool name_part = false;
    std::size_t hyphens = 0;
    const std::size_t len = output.size();
    for (std::size_t j = 0; j < len; ++j) {
        if (j + 3 < len && output[j] == U'[') {
            if (output[j + 1] == U'D') {
                if (output[j + 2] == U'g') {
                    std::size_t hyphens_in_structure = 0;
                    for (char32_t& s : structure) {
                        if (s == U'i' && hyphens_in_structure == hyphens) s = U'p';
                        if (s == U'-') ++hyphens_in_structure;
                    }
                } else if (output[j + 2] == U'e') {
                    name_part = true;
                }
            } else if (at(output, j + 1, U"Ln]")) {
                name_part = false;
            }
        } else if (output[j] == U'-') {
            ++hyphens;
            if (!name_part) continue;
            bool to_upper = j == len - 1;
            ++j;
            while (!to_upper && j + 4 < len) {
                if (at(output, j, U"[Lep]")) to_upper = true;
                ++j;
            }
            if (!to_upper) continue;
            for (char32_t& s : structure) {
                if (s == U'i' || s == U'p') {
                    s = U'i';
                    return;
                }
            }
        }
    }
}

// A numeral's base form ("kolmekymmentä" ...); nothing when the standard
// reading applies instead.
std::optional<Text> numeral_base_form(View output) {
    bool in_xp = false, in_xr = false, in_tag = false, in_digits = false, xp_passed = false;
    Text base;
    const std::size_t len = output.size();
    for (std::size_t i = 0; i < len; ++i) {
        if (i == 0 && (is_digit(output[i]) || output[i] == U'-')) in_digits = true;
        if (output[i] == U'[') {
            if (in_digits) {
                in_digits = false;
                xp_passed = true;
            }
            if (i + 2 >= len) return std::nullopt;
            if (i + 6 < len && (at(output, i, U"[Xp]") || at(output, i, U"[Xj]"))) {
                i += 3;
                in_xp = true;
            } else if (i + 6 < len && at(output, i, U"[Xr]")) {
                i += 3;
                in_xr = true;
            } else if (i + 4 == len && at(output, i, U"[Bc]")) {
                return std::nullopt;
            } else if (i + 6 < len && at(output, i, U"[Bc]")) {
                i += 3;
                xp_passed = false;
            } else if (i + 6 < len && (at(output, i, U"[Ln]") || at(output, i, U"[Ll]") || at(output, i, U"[Lnl]"))) {
                return std::nullopt;
            } else if (at(output, i, U"[X]")) {
                if (in_xp) {
                    in_xp = false;
                    xp_passed = true;
                }
                in_xr = false;
                i += 2;
            } else {
                in_tag = true;
            }
        } else if (in_xr) {
        } else if (in_tag) {
            if (output[i] == U']') in_tag = false;
        } else if (in_xp || in_digits || !xp_passed || output[i] == U'-') {
            base += output[i];
        }
    }
    return base;
}

// The base form: the surface letters of every part but the last, then the
// last part's base, capitals from the structure.
std::optional<Text> base_form(View output, View structure) {
    const std::size_t len = output.size();
    Text base;
    std::size_t xp_start = 0, xp_start_in_base = 0, hyphens_in_xp = 0, structure_at = 0;
    bool in_xp = false, in_xr = false, in_tag = false, ignore_next_de = false, is_de = false, class_seen = false;
    for (std::size_t i = 0; i < len; ++i) {
        const char32_t ch = output[i];
        if (ch == U'[') {
            if (i + 2 >= len) return std::nullopt;
            if (output[i + 1] == U'X') {
                if (output[i + 2] == U']') {
                    in_xp = false;
                    in_xr = false;
                    i += 2;
                } else if (i + 6 < len && output[i + 3] == U']') {
                    const char32_t x = output[i + 2];
                    if (x == U'p' || x == U'j') {
                        i += 3;
                        in_xp = true;
                        xp_start = i + 1;
                        xp_start_in_base = base.size();
                        hyphens_in_xp = 0;
                    } else if (x == U'r' || x == U's') {
                        i += 3;
                        in_xr = true;
                    }
                }
            } else if (!class_seen && i + 6 < len && at(output, i + 1, U"Lu]")) {
                i += 3;
                class_seen = true;
                if (auto numeral = numeral_base_form(output.substr(i + 1))) return base + *numeral;
            } else if (at(output, i + 1, U"De]")) {
                is_de = !ignore_next_de;
                i += 3;
            } else {
                if (output[i + 1] == U'L') {
                    class_seen = true;
                    is_de = false;
                    ignore_next_de = i + 3 >= len || (output[i + 2] != U'l' && !at(output, i + 2, U"nl"));
                }
                in_tag = true;
            }
        } else if (in_xr) {
        } else if (in_tag) {
            if (ch == U']') in_tag = false;
        } else if (in_xp) {
            if (ch == U'-') ++hyphens_in_xp;
        } else {
            char32_t next = ch;
            if (next == U'-') {
                if (hyphens_in_xp > 0) {
                    --hyphens_in_xp;
                } else {
                    // "Isolla-Britannialla" has "Isolla" as "Iso"; "-is" stays ("Pohjois-Suomella").
                    if (is_de && xp_start != 0 && i >= 2 && output.substr(i - 2, 2) != U"is") {
                        for (std::size_t j = i; j + 4 < len; ++j) {
                            if (!at(output, j, U"[Lep]")) continue;
                            base.resize(xp_start_in_base);
                            for (std::size_t k = xp_start; k < len && output[k] != U'['; ++k) {
                                if (output[k] != U'=') base += k == xp_start ? upper(output[k]) : output[k];
                            }
                            break;
                        }
                    }
                    xp_start = 0;
                }
                is_de = false;
            }
            while (structure_at < structure.size()) {
                const char32_t pattern = structure[structure_at++];
                if (pattern == U'=') continue;
                if (pattern == U'i' || pattern == U'j') next = upper(next);
                break;
            }
            base += next;
        }
    }
    if (xp_start != 0) {
        base.resize(xp_start_in_base);
        for (std::size_t k = xp_start; k < len && output[k] != U'['; ++k) {
            if (output[k] != U'=') base += output[k];
        }
    }
    if (base.empty()) return std::nullopt;
    return base;
}

// The parts of the word (voikko's WORDBASES): each part's letters with its
// base form, a derivational suffix as a part of its own whose base starts
// with "+".
std::vector<VoikkoPart> word_parts(View output) {
    std::vector<VoikkoPart> parts;
    Text content, xp;
    bool in_xp = false, in_xj = false, in_other = false, in_content = false, in_tag = false;
    const auto end_content = [&] {
        if (!in_content && xp.empty()) return;
        if (!content.empty() || !xp.empty()) parts.push_back({to_utf8(content), to_utf8(xp)});
        content.clear();
        xp.clear();
    };
    const std::size_t len = output.size();
    for (std::size_t i = 0; i < len; ++i) {
        if (at(output, i, U"[L") || at(output, i, U"-[B")) {
            end_content();
            in_content = false;
            in_tag = true;
            if (output[i] == U'-') {
                parts.push_back({"-", "-"});
                ++i;
            }
        } else if (output[i] == U'[' && i + 2 < len) {
            if (output[i + 1] == U'X') {
                const char32_t x = output[i + 2];
                if (x == U's') {
                    in_other = true;
                    i += 3;
                } else if (x == U'p') {
                    in_xp = true;
                    xp.clear();
                    i += 3;
                } else if (x == U'j') {
                    if (in_content) end_content();
                    in_content = false;
                    in_xj = true;
                    xp.assign(1, U'+');
                    i += 3;
                } else if (x == U']') {
                    in_xp = in_xj = in_other = false;
                    i += 2;
                } else {
                    in_other = true;
                    i += 3;
                }
            } else {
                in_tag = true;
            }
        } else if (output[i] == U']') {
            in_tag = false;
        } else if (in_tag || in_other) {
        } else if (in_xp || in_xj) {
            if (output[i] != U'=') xp += output[i];
        } else {
            in_content = true;
            content += output[i];
        }
    }
    end_content();
    return parts;
}

// An organisation's name ("Kansaneläkelaitos") is also read as a name, as a
// second analysis.
std::optional<VoikkoAnalysis> as_organisation(View output, const VoikkoAnalysis& analysis, View structure) {
    if (analysis.form.word_class != WordClass::Noun) return std::nullopt;
    const std::size_t len = output.size();
    if (len < 13 || output[0] == U'-' || at(output, 0, U"[La]")) return std::nullopt;
    for (std::size_t i = len - 5; i >= 8; --i) {
        if (at(output, i, U"[Bc]")) return std::nullopt;
        if (!at(output, i, U"[Ion]")) continue;
        for (std::size_t j = i - 4; j >= 4; --j) {
            if (!at(output, j, U"[Bc]")) continue;
            VoikkoAnalysis name = analysis;
            name.form.word_class = WordClass::Name;
            Text name_structure(structure);
            if (name_structure.size() >= 2) name_structure[1] = U'i';
            const auto base = base_form(output, name_structure);
            name.base_form = base ? to_utf8(*base) : std::string();
            return name;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

std::vector<VoikkoAnalysis> read_voikko_outputs(std::string_view word, const std::vector<std::string>& outputs) {
    std::vector<VoikkoAnalysis> analyses;
    const std::size_t word_length = code_point_count(word);
    for (std::size_t k = 0; k < outputs.size(); ++k) {
        const Text output = to_u32(outputs[k]);
        if (output.empty() || !is_valid(output)) continue;
        VoikkoAnalysis analysis;
        analysis.output = k;
        analysis.form = basic_attributes(output);
        Text structure = parse_structure(output, word_length);
        fix_structure(structure, output);
        if (const auto base = base_form(output, structure)) analysis.base_form = to_utf8(*base);
        analysis.parts = word_parts(output);
        auto organisation = as_organisation(output, analysis, structure);
        analyses.push_back(std::move(analysis));
        if (organisation) analyses.push_back(std::move(*organisation));
    }
    return analyses;
}

}  // namespace lomperi::analysis
