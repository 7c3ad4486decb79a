#pragma once
// What a word form is, in codes: the attributes of a reading, or those that
// one morph adds. Each attribute is one small code, None where it does not
// apply; what each code is called, and where, is in labels.hpp.
#include <algorithm>
#include <array>
#include <cstdint>

namespace lomperi::analysis {

enum class WordClass : std::uint8_t {
    None,
    Noun,
    Adjective,
    NounAdjective,
    Interjection,
    GivenName,
    Surname,
    PlaceName,
    Name,
    Verb,
    Abbreviation,
    Adverb,
    Numeral,
    RomanNumeral,
    Pronoun,
    Conjunction,
    Adposition,
    NegationVerb,
    Prefix,
    English,  // an English word in Finnish text, guessed, never the analyser's
    // Told by their shape, never the analyser's:
    Letter,  // a letter standing alone (the Y axis)
    Key,     // a key or keys pressed together (F1, Ctrl+Z)
    Size,    // 3x3, 1920×1080
};

// Whether the word class is a proper name's.
constexpr bool is_name(WordClass word_class) {
    return word_class == WordClass::GivenName || word_class == WordClass::Surname || word_class == WordClass::PlaceName ||
           word_class == WordClass::Name;
}

// Whether a word of the class without an entry is told by its class
// ("Apple (name)", "ticket (English word)", "Ctrl+Z (key)").
constexpr bool told_by_class(WordClass word_class) {
    return is_name(word_class) || word_class == WordClass::English || word_class == WordClass::Letter ||
           word_class == WordClass::Key || word_class == WordClass::Size;
}

enum class Case : std::uint8_t {
    None,
    Nominative,
    Genitive,
    Partitive,
    Essive,
    Translative,
    Inessive,
    Elative,
    Illative,
    Adessive,
    Ablative,
    Allative,
    Abessive,
    Comitative,
    Instructive,
    StiAdverb,  // the -sti adverb ("nopeasti"), which voikko counts a case
    Accusative,
};

enum class Number : std::uint8_t { None, Singular, Plural };

enum class Person : std::uint8_t { None, First, Second, Third, Passive };

enum class Mood : std::uint8_t { None, Indicative, Conditional, Imperative, Potential };

enum class Tense : std::uint8_t { None, Present, Past };

enum class Infinitive : std::uint8_t { None, A, E, Ma, Minen, Mainen };

enum class Participle : std::uint8_t { None, PresentActive, PresentPassive, PastActive, PastPassive, Agent, Negative };

enum class Comparison : std::uint8_t { None, Comparative, Superlative };

enum class Possessive : std::uint8_t { None, FirstSingular, SecondSingular, FirstPlural, SecondPlural, Third };

enum class Clitic : std::uint8_t { Kin, Kaan, Ko, Han, Pa, Pas, S };

// Whether a verb form is the connegative, the form used after "ei".
enum class Negative : std::uint8_t { None, Yes, No };

// The clitics of a form in the order they were found; a word has at most
// a focus clitic, the question clitic and one untagged clitic.
class Clitics {
public:
    static constexpr std::size_t kCapacity = 4;

    void push_back(Clitic clitic) {
        if (size_ < kCapacity) items_[size_++] = clitic;
    }
    bool empty() const { return size_ == 0; }
    std::size_t size() const { return size_; }
    const Clitic* begin() const { return items_.data(); }
    const Clitic* end() const { return items_.data() + size_; }
    bool contains(Clitic clitic) const {
        for (const Clitic c : *this) {
            if (c == clitic) return true;
        }
        return false;
    }
    void remove(Clitic clitic) {
        const auto kept = std::remove(items_.begin(), items_.begin() + size_, clitic);
        std::fill(kept, items_.end(), Clitic{});  // equal forms compare equal, item by item
        size_ = static_cast<std::uint8_t>(kept - items_.begin());
    }
    friend bool operator==(const Clitics&, const Clitics&) = default;

private:
    std::array<Clitic, kCapacity> items_{};
    std::uint8_t size_ = 0;
};

struct Form {
    WordClass word_class = WordClass::None;
    Case grammatical_case = Case::None;
    Number number = Number::None;
    Person person = Person::None;
    Mood mood = Mood::None;
    Tense tense = Tense::None;
    Infinitive infinitive = Infinitive::None;
    Participle participle = Participle::None;
    Comparison comparison = Comparison::None;
    Possessive possessive = Possessive::None;
    Clitics clitics{};
    Negative negative = Negative::None;
    friend bool operator==(const Form&, const Form&) = default;
};

}  // namespace lomperi::analysis
