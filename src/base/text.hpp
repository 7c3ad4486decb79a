#pragma once
// The rules of text that the program and the data build share, each once:
// letter case, the punctuation around words, and spaces.
#include <cstddef>
#include <string>
#include <string_view>

namespace lomperi {

// Letter case: full Unicode case mapping in the root locale (ICU), so that a
// key written by the data build is the key a look-up forms.

// Every letter lower-cased ("ÄITI" → "äiti", "Ćevapi" → "ćevapi", final
// sigma included). Bytes that are not UTF-8 become U+FFFD.
std::string lower_case(std::string_view text);

// The first character lower-cased, the rest as it is ("Talo" → "talo",
// "TALO" → "tALO").
std::string lower_case_first(std::string_view text);

// Lower case with the first letter a capital ("TALO" → "Talo").
std::string capitalized(std::string_view text);

// Two or more letters, all of them capitals ("EU", "TALON").
bool is_all_capitals(std::string_view text);

// Whether the character is a letter of any script.
bool is_letter(char32_t ch);

// The punctuation that stands around a word rather than in it, in two sets.

// What is stripped from a word of a running text and from an English key:
// full stops, commas, colons, brackets, straight and typographic quotes,
// dashes and the ellipsis.
bool is_outer_mark(char32_t ch);

// Bytes of outer marks at the start and at the end of `word`.
std::size_t leading_marks(std::string_view word);
std::size_t trailing_marks(std::string_view word);

// The word without the outer marks at either end.
std::string_view strip_outer_marks(std::string_view word);

// What is stripped from the ends of a word or phrase of a meaning before it
// is looked up for an expansion or a link: only . , ; : ! ? " ' ( ) [ ].
// A typographic quote, a dash or a hyphen stays, so "\u201ckala\u201d" is
// no word of the dictionary.
bool is_phrase_mark(char32_t ch);

// Bytes of phrase marks at the start and at the end of `word`.
std::size_t leading_phrase_marks(std::string_view word);
std::size_t trailing_phrase_marks(std::string_view word);

// Without the spaces, tabs and carriage returns at either end.
std::string_view trim(std::string_view text);

// Tabs as spaces, runs of spaces as one, both ends trimmed.
std::string collapse_spaces(std::string_view text);

}  // namespace lomperi
