#pragma once
// The codes of voikko-fi's tags, by the letters after the tag's kind: "ine"
// of [Sine] is the inessive. None (nothing for a clitic) for letters the
// kind does not have.
#include <optional>
#include <string_view>

#include "core/analysis/form.hpp"

namespace lomperi::analysis {

WordClass word_class_tag(std::string_view letters);  // [L..]
Case case_tag(std::string_view letters);             // [S..]
Number number_tag(std::string_view letters);         // [N..]
Person person_tag(std::string_view letters);         // [P..]
Tense tense_tag(std::string_view letters);           // [A..]
Participle participle_tag(std::string_view letters); // [R..]
Comparison comparison_tag(std::string_view letters); // [C..]
Possessive possessive_tag(std::string_view letters); // [O..]
std::optional<Clitic> clitic_tag(std::string_view letters);  // [F..]: kin, kaan, ko

// [T..] tells a mood or an infinitive, one attribute to voikko.
struct MoodTag {
    Mood mood = Mood::None;
    Infinitive infinitive = Infinitive::None;
    bool known() const { return mood != Mood::None || infinitive != Infinitive::None; }
};
MoodTag mood_tag(std::string_view letters);

// An untagged clitic as the word's last letters ("han", "hän", "pas" ...),
// longest first.
struct UntaggedClitic {
    std::string_view written;
    Clitic clitic;
};
inline constexpr UntaggedClitic kUntaggedClitics[] = {
    {"han", Clitic::Han}, {"hän", Clitic::Han}, {"pas", Clitic::Pas}, {"päs", Clitic::Pas},
    {"pa", Clitic::Pa},   {"pä", Clitic::Pa},   {"s", Clitic::S},
};

}  // namespace lomperi::analysis
