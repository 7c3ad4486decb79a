#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/morphology/headword_search.hpp"
#include "core/morphology/inflection_lookup.hpp"
#include "support/random_data.hpp"
#include "support/test_data.hpp"

namespace lomperi::morphology {
namespace {

using testing::load;
using testing::queries;
using testing::random_data;
using testing::RandomData;

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
