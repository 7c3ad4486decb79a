#include "core/analysis/form_text.hpp"

#include <fmt/format.h>

#include <array>
#include <cstddef>

#include "core/analysis/labels.hpp"

namespace lomperi::analysis {
namespace {

// A label a morph's cue tells, and whether the plural qualifies it ("in (plural)").
struct Told {
    const Label* label = nullptr;
    bool plural = false;
};

class ToldList {
public:
    void add(const Label& label) {
        if (!label.cue.empty() && size_ < items_.size()) items_[size_++] = {&label, false};
    }
    bool empty() const { return size_ == 0; }
    Told& back() { return items_[size_ - 1]; }
    const Told* begin() const { return items_.data(); }
    const Told* end() const { return items_.data() + size_; }

private:
    std::array<Told, 12> items_{};
    std::size_t size_ = 0;
};

// What a morph's cue tells, in order: how the verb is used, who, the case
// and the plural of what was told before it; then degree, participle,
// possessive and clitics.
ToldList told_of(const Form& form) {
    ToldList told;
    told.add(label(form.infinitive));
    told.add(label(form.mood));
    told.add(label(form.tense));
    if (form.person != Person::None) told.add(label(form.person, form.number));
    told.add(label(form.negative));
    told.add(label(form.grammatical_case));
    if (form.number == Number::Plural && form.person == Person::None) {
        if (told.empty()) {
            told.add(label(Number::Plural));
        } else {
            told.back().plural = true;
        }
    }
    told.add(label(form.comparison));
    told.add(label(form.participle));
    told.add(label(form.possessive));
    for (const Clitic clitic : form.clitics) told.add(label(clitic));
    return told;
}

// Short glosses joined by dots. A gloss of several words is told only
// first: after another it would only say the same at length ("I.wonder").
class Glosses {
public:
    void add(std::string_view gloss) {
        if (gloss.empty() || out_.ends_with(gloss)) return;
        if (gloss.find('.') != std::string_view::npos && !out_.empty()) return;
        if (!out_.empty()) out_ += '.';
        out_ += gloss;
    }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
};

// A form_labels item: a name, and for a case its number ("inessive plural").
struct Item {
    std::string_view name;
    std::string_view number;
};

class Items {
public:
    void add(std::string_view name, std::string_view number = {}) {
        if (!name.empty() && size_ < items_.size()) items_[size_++] = {name, number};
    }
    std::size_t size() const { return size_; }
    const Item* begin() const { return items_.data(); }
    const Item* end() const { return items_.data() + size_; }

private:
    std::array<Item, 12> items_{};
    std::size_t size_ = 0;
};

Items items_of(const Form& form) {
    Items items;
    items.add(label(form.infinitive).name);
    items.add(label(form.participle).name);
    if (form.mood != Mood::Indicative) items.add(label(form.mood).name);
    items.add(label(form.negative).name);
    if (form.person != Person::None) {
        items.add(label(form.tense).name);
        items.add(label(form.person, form.number).name);
    } else {
        items.add(label(form.grammatical_case).name, label(form.number).name);
    }
    items.add(label(form.comparison).name);
    items.add(label(form.possessive).name);
    for (const Clitic clitic : form.clitics) items.add(label(clitic).name);
    return items;
}

// Nothing told, or only the nominative singular.
bool is_told_as_basic(const Form& form, const Items& items) {
    return items.size() == 0 || (items.size() == 1 && form.person == Person::None &&
                                 form.grammatical_case == Case::Nominative && form.number == Number::Singular);
}

// A name as one gloss: its words joined by dots, a suffix's hyphen left out ("-kin": "kin").
void add_name_gloss(std::string& out, std::string_view name) {
    for (std::size_t at = 0; at <= name.size();) {
        std::size_t end = name.find(' ', at);
        if (end == std::string_view::npos) end = name.size();
        std::string_view word = name.substr(at, end - at);
        if (word.starts_with('-')) word.remove_prefix(1);
        if (!out.empty() && !word.empty()) out += '.';
        out += word;
        at = end + 1;
    }
}

std::string of_the(std::string_view what, std::string_view of) { return fmt::format("{} of the {}", what, of); }

// "inessive singular"; empty for a case that has no wording.
std::string case_and_number(const Form& form) {
    const std::string_view grammatical_case = label(form.grammatical_case).wording;
    if (grammatical_case.empty()) return {};
    const std::string_view number = label(form.number).wording;
    if (number.empty()) return std::string(grammatical_case);
    return fmt::format("{} {}", grammatical_case, number);
}

bool is_plain_nominative(const Form& form) {
    return (form.grammatical_case == Case::None || form.grammatical_case == Case::Nominative) &&
           form.number != Number::Plural;
}

std::optional<FormWording> participle_wording(const Form& form) {
    const std::string_view name = label(form.participle).wording;
    if (is_plain_nominative(form)) return FormWording{std::string(name)};
    return FormWording{of_the(case_and_number(form), name)};
}

// "third-person singular past indicative", "passive present indicative",
// "second-person singular imperative"; the negation verb without tense and
// the indicative ("first-person singular").
std::optional<FormWording> finite_wording(const Form& form) {
    const std::string_view mood = label(form.mood).wording;
    if (mood.empty()) return std::nullopt;
    if (form.person == Person::None || (form.person != Person::Passive && form.number == Number::None)) {
        return std::nullopt;
    }
    const std::string_view who = label(form.person, form.number).wording;
    if (form.word_class == WordClass::NegationVerb) {
        if (form.mood == Mood::Indicative) return FormWording{std::string(who)};
        return FormWording{fmt::format("{} {}", who, mood)};
    }
    if (form.mood == Mood::Indicative) {
        const std::string_view tense = label(form.tense == Tense::Past ? Tense::Past : Tense::Present).wording;
        return FormWording{fmt::format("{} {} {}", who, tense, mood)};
    }
    return FormWording{fmt::format("{} {}", who, mood)};
}

std::optional<FormWording> infinitive_wording(const Form& form) {
    const std::string_view name = label(form.infinitive).wording;
    if (name.empty()) return std::nullopt;
    const std::string_view grammatical_case = label(form.grammatical_case).wording;
    if (grammatical_case.empty()) return FormWording{std::string(name), form.infinitive == Infinitive::A};
    return FormWording{of_the(grammatical_case, name)};
}

std::optional<FormWording> nominal_wording(const Form& form) {
    const std::string_view degree = label(form.comparison).wording;
    if (!degree.empty() && is_plain_nominative(form)) return FormWording{std::string(degree)};
    std::string case_number = case_and_number(form);
    if (case_number.empty()) return std::nullopt;
    if (!degree.empty()) return FormWording{of_the(case_number, degree)};
    const bool basic = form.grammatical_case == Case::Nominative && form.number != Number::Plural;
    return FormWording{std::move(case_number), basic};
}

// A clitic as written after a word: front vowels after a word without back ones ("-kö", "-kään").
std::string clitic_as_written(Clitic clitic, std::string_view written) {
    const std::string_view letters = label(clitic).json;
    if (written.find_first_of("aouAOU") != std::string_view::npos) return std::string(letters);
    std::string out;
    for (const char c : letters) {
        if (c == 'a') {
            out += "ä";
        } else if (c == 'o') {
            out += "ö";
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::string morph_cue(const Form& form) {
    std::string out;
    for (const Told& told : told_of(form)) {
        if (!out.empty()) out += ", ";
        out += told.label->cue;
        if (told.plural) out += " (plural)";
    }
    return out;
}

bool has_cue(const Form& form) { return !told_of(form).empty(); }

Form told_codes(Form form) {
    if (label(form.grammatical_case).cue.empty()) form.grammatical_case = Case::None;
    if (label(form.number).cue.empty()) form.number = Number::None;
    if (label(form.mood).cue.empty()) form.mood = Mood::None;
    if (label(form.tense).cue.empty()) form.tense = Tense::None;
    return form;
}

std::string morph_gloss(const Form& form) {
    Glosses glosses;
    for (const Told& told : told_of(form)) {
        const auto& gloss = told.label->gloss;
        std::size_t count = 0;
        while (count < gloss.size() && !gloss[count].empty()) ++count;
        for (std::size_t k = 0; k < count; ++k) {
            if (told.plural && k + 1 == count) {
                glosses.add(fmt::format("{}.plural", gloss[k]));
            } else {
                glosses.add(gloss[k]);
            }
        }
    }
    return glosses.take();
}

std::string form_labels(const Form& form) {
    const Items items = items_of(form);
    if (is_told_as_basic(form, items)) return "basic form";
    std::string out;
    for (const Item& item : items) {
        if (!out.empty()) out += ", ";
        out += item.name;
        if (!item.number.empty()) out += fmt::format(" {}", item.number);
    }
    return out;
}

std::string form_gloss(const Form& form) {
    const Items items = items_of(form);
    if (is_told_as_basic(form, items)) return {};
    Glosses glosses;
    for (const Item& item : items) {
        std::string gloss;
        add_name_gloss(gloss, item.name);
        add_name_gloss(gloss, item.number);
        glosses.add(gloss);
    }
    return glosses.take();
}

std::optional<FormWording> form_wording(const Form& form) {
    if (form.participle != Participle::None) return participle_wording(form);
    if (form.word_class == WordClass::Verb || form.word_class == WordClass::NegationVerb) {
        if (auto finite = finite_wording(form)) return finite;
        return infinitive_wording(form);
    }
    return nominal_wording(form);
}

std::string suffix_wording(const Form& form, std::string_view written) {
    std::string out;
    if (const std::string_view possessive = label(form.possessive).wording; !possessive.empty()) {
        out += fmt::format(" with the {} possessive suffix", possessive);
    }
    if (form.clitics.contains(Clitic::Ko)) {
        out += fmt::format(" with the {} -{}", label(Clitic::Ko).wording, clitic_as_written(Clitic::Ko, written));
    }
    for (const Clitic clitic : form.clitics) {
        if (clitic == Clitic::Ko || label(clitic).wording.empty()) continue;
        out += fmt::format(" with the {} -{}", label(clitic).wording, clitic_as_written(clitic, written));
    }
    return out;
}

}  // namespace lomperi::analysis
