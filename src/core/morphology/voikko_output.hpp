#pragma once
// What one raw analysis of voikko-fi's transducer says, read as voikko's own
// library reads it, so that the program agrees with it: whether the analysis
// is valid (the hyphen rules of compounds), its attributes (read right to
// left, the rightmost tag of each kind winning), its base form, and the
// parts of a compound with their base forms.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lomperi::morphology {

// The attributes of an analysis, with voikko's own codes: the letters of
// the tags ("n" for [Ln], "ine" for [Sine], "1m" for [O1m] ...).
struct VoikkoAttributes {
    std::string word_class;  // n l nl h ee es ep em t a s u ur r c d k p
    std::string grammatical_case;  // n g p es tr ine ela ill ade abl all ab ko in sti ak
    std::string number;      // y m
    std::string person;      // 1 2 3 4
    std::string mood;        // t e k m, n1..n5 (the infinitives)
    std::string tense;       // p i
    std::string participle;  // v a u t m e
    std::string comparison;  // c s, or "positive"
    std::string possessive;  // 1y 2y 1m 2m 3
    std::string focus;       // kin kaan
    bool question = false;   // -kO
    std::string negative;    // t f b
    friend bool operator==(const VoikkoAttributes&, const VoikkoAttributes&) = default;
};

// One part of a word as voikko's WORDBASES tells it: the letters of the
// part, and its base form (the base of a derivational suffix starts with "+").
struct VoikkoPart {
    std::string text;
    std::string base;
    friend bool operator==(const VoikkoPart&, const VoikkoPart&) = default;
};

struct VoikkoAnalysis {
    VoikkoAttributes attributes;
    std::string base_form;
    std::vector<VoikkoPart> parts;
    std::size_t output = 0;  // the raw analysis it was read from
};

// The analyses of a word from its raw analyses: invalid ones left out, and
// an organisation's name also read as a name, as voikko does.
std::vector<VoikkoAnalysis> read_voikko_outputs(std::string_view word, const std::vector<std::string>& outputs);

}  // namespace lomperi::morphology
