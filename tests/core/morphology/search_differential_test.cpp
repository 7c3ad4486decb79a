#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/morphology/headword_search.hpp"
#include "core/morphology/inflection_lookup.hpp"
#include "core/morphology/phrase_lookup.hpp"
#include "support/test_data.hpp"

namespace lomperi::morphology {
namespace {

// Random words over a few symbols, among them two-byte letters and a space,
// so that prefixes often cut a character in half and lists overflow 100.
class WordSource {
public:
    explicit WordSource(std::uint32_t seed) : random_(seed) {}

    std::string word() {
        static const std::vector<std::string> symbols = {"a", "b", "k", "A", "ä", "ö", " ", "-"};
        std::string out;
        const int length = std::uniform_int_distribution<int>(1, 6)(random_);
        for (int k = 0; k < length; ++k) out += symbols[pick(symbols.size())];
        return out;
    }

    std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }

private:
    std::mt19937 random_;
};

struct RandomData {
    std::set<std::string> headwords;
    std::map<std::string, std::set<std::string>> forms;  // form -> bases, both in byte order
};

RandomData random_data(std::uint32_t seed) {
    WordSource source(seed);
    RandomData data;
    while (data.headwords.size() < 3000) data.headwords.insert(source.word());
    const std::vector<std::string> bases(data.headwords.begin(), data.headwords.end());
    for (int k = 0; k < 5000; ++k) {
        std::string form = source.word();
        std::set<std::string>& of = data.forms[form];
        const std::size_t count = 1 + source.pick(3);
        for (std::size_t b = 0; b < count; ++b) of.insert(bases[source.pick(bases.size())]);
        if (data.headwords.contains(form) && source.pick(2) == 0) of.insert(form);
    }
    return data;
}

testing::TestDictionary load(const RandomData& data) {
    std::vector<testing::TestHeadword> headwords;
    for (const std::string& h : data.headwords) headwords.push_back({h, {{"noun", {"m"}}}});
    std::vector<testing::TestForm> forms;
    for (const auto& [form, bases] : data.forms) forms.push_back({form, {bases.begin(), bases.end()}});
    return testing::make_test_dictionary(headwords, forms);
}

std::vector<std::string> expected_matches(const std::set<std::string>& keys, const std::string& prefix) {
    std::vector<std::string> out;
    for (auto it = keys.lower_bound(prefix); it != keys.end() && it->starts_with(prefix) && out.size() < 100; ++it) {
        out.push_back(*it);
    }
    return out;
}

std::vector<std::pair<std::string, std::string>> expected_candidates(const RandomData& data, const std::string& prefix) {
    std::vector<std::pair<std::string, std::string>> out;
    std::size_t forms = 0;
    for (auto it = data.forms.lower_bound(prefix); it != data.forms.end() && it->first.starts_with(prefix); ++it) {
        if (++forms > 100) break;
        for (const std::string& base : it->second) {
            if (base != it->first) out.emplace_back(it->first, base);
        }
    }
    if (out.size() > 100) out.resize(100);
    return out;
}

std::set<std::string> queries(const RandomData& data, std::uint32_t seed) {
    std::set<std::string> out;
    for (const std::string& h : data.headwords) {
        for (std::size_t n = 1; n <= 3 && n <= h.size(); ++n) out.insert(h.substr(0, n));
    }
    for (const auto& [form, bases] : data.forms) out.insert(form.substr(0, std::min<std::size_t>(4, form.size())));
    WordSource source(seed);
    for (int k = 0; k < 200; ++k) out.insert(source.word());
    return out;
}

TEST(SearchDifferential, AgreesWithBruteForceOverARandomMap) {
    const RandomData data = random_data(20240611);
    const testing::TestDictionary t = load(data);
    std::size_t full_lists = 0;
    for (const std::string& query : queries(data, 7)) {
        std::vector<std::string> matches;
        for (const auto& m : search_headwords(t.dict.glosses, query, kListLimit)) matches.push_back(m.headword);
        ASSERT_EQ(matches, expected_matches(data.headwords, query)) << "query [" << query << "]";
        full_lists += matches.size() == 100;

        std::vector<std::pair<std::string, std::string>> candidates;
        for (const auto& c : inflection_candidates(t.dict, query)) candidates.emplace_back(c.form, c.base);
        ASSERT_EQ(candidates, expected_candidates(data, query)) << "query [" << query << "]";
    }
    EXPECT_GT(full_lists, 10u) << "the data should exercise the limit";
}

}  // namespace
}  // namespace lomperi::morphology
