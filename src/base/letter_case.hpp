#pragma once
// Letter case, the one rule for the whole program and the data build: full
// Unicode case mapping in the root locale (ICU), so that a key written by
// the data build is the key a look-up forms.
#include <string>
#include <string_view>

namespace lomperi {

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

}  // namespace lomperi
