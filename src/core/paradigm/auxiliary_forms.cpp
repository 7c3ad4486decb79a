#include "core/paradigm/auxiliary_forms.hpp"

#include <algorithm>
#include <deque>
#include <mutex>
#include <string_view>
#include <utility>

#include "core/analysis/generator.hpp"
#include "core/analysis/voikko_output.hpp"

namespace lomperi::paradigm {
namespace {

using analysis::Mood;
using analysis::Negative;
using analysis::Person;
using analysis::Tense;

struct Reading {
    std::string form;
    analysis::Form codes;
};

std::vector<Reading> plain_forms(const analysis::Analyser& analyser, std::string_view lemma, std::string_view class_tag) {
    analysis::GenerationRules rules;
    rules.class_tag = class_tag;
    std::vector<Reading> out;
    for (const auto& generated : analysis::generate_forms(analyser, lemma, rules).forms) {
        const auto read = analysis::read_voikko_outputs(generated.form, {generated.analysis});
        if (read.empty() || read.front().form.possessive != analysis::Possessive::None ||
            !read.front().form.clitics.empty()) {
            continue;
        }
        out.push_back({generated.form, read.front().form});
    }
    return out;
}

// The shortest form of each row that `fits`: ei rather than eikä's kin.
template <class Fits>
PersonForms per_person(const std::vector<Reading>& readings, Fits fits) {
    PersonForms out;
    for (std::size_t k = 0; k < kPersons.size(); ++k) {
        const PersonRow row = kPersons[k].person == Person::Passive
                                  ? PersonRow{Person::Third, analysis::Number::Singular}
                                  : kPersons[k];
        for (const Reading& r : readings) {
            if (r.codes.person != row.person || r.codes.number != row.number || !fits(r.codes)) continue;
            if (out[k].empty() || r.form.size() < out[k].size()) out[k] = r.form;
        }
    }
    return out;
}

AuxiliaryForms generate(const analysis::Analyser& analyser) {
    const auto ei = plain_forms(analyser, "ei", "[Lk]");
    const auto olla = plain_forms(analyser, "olla", "[Lt]");
    AuxiliaryForms out;
    out.negation = per_person(ei, [](const analysis::Form& f) { return f.mood == Mood::Indicative; });
    out.imperative_negation = per_person(ei, [](const analysis::Form& f) { return f.mood == Mood::Imperative; });
    out.perfect = per_person(olla, [](const analysis::Form& f) {
        return f.mood == Mood::Indicative && f.tense == Tense::Present && f.negative != Negative::Yes;
    });
    return out;
}

}  // namespace

std::shared_ptr<const AuxiliaryForms> auxiliary_forms(const analysis::Analyser& analyser) {
    // A program has one transducer, a test or a benchmark a few at a time:
    // the last few are kept.
    constexpr std::size_t kKept = 4;
    static std::mutex mutex;
    static std::deque<std::pair<std::uint64_t, std::shared_ptr<const AuxiliaryForms>>> kept;
    const std::uint64_t number = analyser.transducer_number();
    {
        const std::scoped_lock lock(mutex);
        const auto found = std::ranges::find(kept, number, &decltype(kept)::value_type::first);
        if (found != kept.end()) return found->second;
    }
    // Generated outside the lock; two threads may both do it the first time.
    auto forms = std::make_shared<const AuxiliaryForms>(generate(analyser));
    if (number == 0 || analyser.intact_transducer() == nullptr) return forms;
    const std::scoped_lock lock(mutex);
    const auto found = std::ranges::find(kept, number, &decltype(kept)::value_type::first);
    if (found != kept.end()) return found->second;
    if (kept.size() == kKept) kept.pop_front();
    kept.emplace_back(number, forms);
    return forms;
}

}  // namespace lomperi::paradigm
