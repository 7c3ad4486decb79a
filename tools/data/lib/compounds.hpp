#pragma once
// Compound words that the dictionary lacks, told by their parts: the
// analyser splits "tekijänoikeusehdot" into morphemes, and the entry of the
// compound "tekijänoikeusehto" names the fewest parts that are headwords
// ("compound of tekijänoikeus + ehto"), which the entry expansion then shows.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form_analysis.hpp"

namespace lomperi::data_build {

struct CompoundSplit {
    std::string prefix;              // the compound's text before its last part ("tekijänoikeus")
    std::string last;                // the base form of the last part ("ehto")
    std::vector<std::string> parts;  // the headwords named, in order ("tekijänoikeus", "ehto")
};

// The headword a compound part's text stands for: itself when it is a
// headword, else the headword it is a form of ("tekijän" -> "tekijä").
using PartHeadword = std::function<std::optional<std::string>(std::string_view text)>;
// Whether the text is a headword with an entry.
using IsHeadword = std::function<bool(std::string_view text)>;

// The texts of the parts of a compound from its WORDBASES ("+teki(tehdä)
// +jän(+jä)+oikeus(oikeus)+ehto(ehto)" -> "tekijän", "oikeus", "ehto"): a
// derivational suffix belongs to the part before it, and a lexicalised
// compound ("maasta=nosto") is split at its "=". Fewer than two: none.
std::vector<std::string> compound_part_texts(std::string_view wordbases);

// The split of the compound with this base form into the fewest parts that
// lead to headwords, the earlier parts as written (a genitive first part
// leads to its base), the last from the part's base form; the longest first
// parts on a tie. Nothing when no split leads to headwords only.
std::optional<CompoundSplit> split_compound(std::string_view baseform, std::string_view wordbases,
                                            const IsHeadword& is_headword, const PartHeadword& part_headword);

// "compound of tekijänoikeus + ehto"
std::string compound_meaning(const CompoundSplit& split);

}  // namespace lomperi::data_build
