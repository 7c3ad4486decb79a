#pragma once
// A word that neither the analyser nor the word lists read, told by what it
// looks like, in the order tried:
//
//   English word       ticket, The, know: a word of the English side,
//                      two letters or more
//   name, inflected    GIMP:n, H&M:lle: a case ending after a colon;
//                      GIMPin, GIMPissä: after a name in capitals, with
//                      the vowel i between; Kalymnoksen, Iglesiaksen: a
//                      name in -s, whose endings follow -kse-;
//                      Arduinolla, Pythonissa: after a vowel, or after a
//                      consonant and the i that joins the ending, an
//                      ending seldom a name's own end (-ssa, -lla, -lle,
//                      -lta, -ksi; -sta only after the joining i)
//   name               Grisay, Tienshinhan, eHealth: a word with a
//                      capital, as it stands
//
// A guess, marked as one (Reading::guessed): the spellings the word may
// stand for are still suggested, but none is taken for it ("ticket" is no
// "tiilet", "Grisay" no "risat").
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/reading.hpp"
#include "core/morphology/dictionary.hpp"

namespace lomperi::answer {

std::optional<analysis::Reading> guess_unknown(const morphology::Dictionary& dictionary, std::string_view word);

// A word told by its shape, for what the analyser reads it as says nothing
// (its abbreviation "y" has no entry), in the order tried:
//
//   letter   Y, a: one letter alone
//   key      F1, Ctrl+Z, Ctrl+Shift+Q: a key, after the keys held down with it
//   size     3x3, 1920×1080
std::optional<analysis::Reading> told_by_shape(std::string_view word);

// What a word without an entry is told as, in order: by its shape, for
// whatever the analyser read ("Y": not the abbreviation y); if unread, the
// guess above; if the analyser read a word the dictionary lacks, as an
// English word ("Offset": not the noun offset), but not over a name or an
// abbreviation, which say more ("Apple", "mm").
void tell_without_entry(const morphology::Dictionary& dictionary, std::string_view word,
                        std::vector<analysis::Reading>& readings);

}  // namespace lomperi::answer
