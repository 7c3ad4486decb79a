#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/expand/meaning_scan.hpp"

namespace lomperi::expand {
namespace {

struct PhraseCase {
    const char* name;
    std::vector<std::string_view> words;
    std::string phrase;
};

TEST(MakePhrase, StripsOuterPunctuationThenLowerCases) {
    const std::vector<PhraseCase> cases = {
        {"plain", {"kissa"}, "kissa"},
        {"capitals", {"Helsinki"}, "helsinki"},
        {"one word stripped at both ends", {"(kissa)."}, "kissa"},
        {"all twelve characters", {".,;:!?\"'()[]x.,;:!?\"'()[]"}, "x"},
        {"hyphen is kept", {"-kin"}, "-kin"},
        {"typographic quotes, dashes and the ellipsis are kept", {"\u201c\u2013kissa\u2026\u201d"},
         "\u201c\u2013kissa\u2026\u201d"},
        {"guillemets are kept", {"\u00abkissa\u00bb."}, "\u00abkissa\u00bb"},
        {"straight quotes are stripped", {"\"'kissa'\""}, "kissa"},
        {"inner punctuation is kept", {"vaa'an"}, "vaa'an"},
        {"first word only at its start", {"(iso,", "kissa)."}, "iso, kissa"},
        {"middle words untouched", {"(a", "(b)", "c)"}, "a (b) c"},
        {"only punctuation leaves an empty word", {"(", "kissa"}, " kissa"},
        {"two empty words", {"(", ")"}, " "},
        {"stripping before lower-casing", {"(ÄITI)"}, "äiti"},
        {"final sigma", {"ΟΔΟΣ"}, "οδος"},
        {"final sigma per word", {"ΟΔΟΣ", "ΟΔΟΣ"}, "οδος οδος"},
        {"final sigma before stripped punctuation", {"ΟΔΟΣ."}, "οδος"},
        {"sigma inside a word", {"ΣΑΣ"}, "σας"},
        {"lone sigma is not final", {"Σ"}, "σ"},
        {"dotted capital I grows", {"İ"}, "i\u0307"},
        {"no locale-specific Turkish rule", {"I"}, "i"},
        {"Å and Ö", {"ÅLAND", "ÖLJY"}, "åland öljy"},
    };
    for (const auto& c : cases) EXPECT_EQ(make_phrase(c.words), c.phrase) << c.name;
}

}  // namespace
}  // namespace lomperi::expand
