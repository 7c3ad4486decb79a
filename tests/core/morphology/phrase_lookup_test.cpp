#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/morphology/headword_search.hpp"
#include "core/morphology/inflection_lookup.hpp"
#include "support/kehu_data.hpp"
#include "support/test_data.hpp"

namespace lomperi::morphology {
namespace {

using testing::TestDictionary;
using Bases = std::vector<std::string_view>;

std::vector<format::PosGroup> noun(std::string meaning) { return {{"noun", {std::move(meaning)}}}; }

DataSet build_or_die(const std::vector<testing::TestHeadword>& headwords, const std::vector<testing::TestForm>& forms) {
    auto data = testing::build_test_data(headwords, forms);
    if (!data) throw std::runtime_error(data.error().report());
    return std::move(*data);
}

// The inflection files of a data set with ten headwords a0..a9 loaded over
// the glosses of one with only a0..a2, so that ids 3 to 9 are out of range.
struct MismatchedData {
    DataSet small;
    DataSet large;
    Dictionary dict;
};

MismatchedData make_mismatched() {
    std::vector<testing::TestHeadword> ten;
    for (int k = 0; k < 10; ++k) ten.push_back({"a" + std::to_string(k), noun("x")});
    const std::vector<testing::TestHeadword> three(ten.begin(), ten.begin() + 3);
    const std::vector<testing::TestForm> forms = {
        {"x1", {"a1"}}, {"x2", {"a9"}}, {"x3", {"a0", "a9"}}, {"x4", {"a0", "a1"}}, {"x5", {"a0"}}, {"x\xff", {"a0"}},
    };
    MismatchedData m{build_or_die(three, {}), build_or_die(ten, forms), {}};
    // The gloss half of the small set, the inflection half of the large one.
    DataFiles files = m.large.files();
    files[DataFile::glosses_fst] = m.small[DataFile::glosses_fst];
    files[DataFile::glosses_bin] = m.small[DataFile::glosses_bin];
    files[DataFile::headwords_bin] = {};
    auto dict = load_dictionary(files);
    if (!dict) throw std::runtime_error(dict.error().report());
    m.dict = std::move(*dict);
    return m;
}

TEST(ResolveBases, ReportsOutOfRangeIdsAndMultiErrors) {
    const MismatchedData m = make_mismatched();
    const Dictionary& d = m.dict;
    const auto value = [&](std::string_view form) { return d.inflections.get(form).value(); };

    EXPECT_EQ(resolve_bases(d, value("x1")).value(), (Bases{"a1"}));
    EXPECT_EQ(resolve_bases(d, value("x4")).value(), (Bases{"a0", "a1"}));
    EXPECT_EQ(resolve_bases(d, value("x2")).error().message(), "base id 9 out of range");
    EXPECT_EQ(resolve_bases(d, value("x3")).error().message(), "multi base id 9 out of range");
    EXPECT_EQ(resolve_bases(d, 0x8000'0000u | 77u).error(), d.multi.base_ids(77).error());
    EXPECT_EQ(resolve_bases(d, (std::uint64_t{5} << 32) | 1u).value(), (Bases{"a1"})) << "high bits are ignored";
}

TEST(SearchInflections, SkipsUnresolvableAndNonUtf8FormsWithoutCountingThem) {
    const MismatchedData m = make_mismatched();
    std::vector<std::string> forms;
    for (const auto& hit : search_inflections(m.dict, "x", kListLimit)) forms.push_back(hit.form);
    EXPECT_EQ(forms, (std::vector<std::string>{"x1", "x4", "x5"}));
    const auto two = search_inflections(m.dict, "x", 2);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[1], (InflectionHit{"x4", {"a0", "a1"}}));
    EXPECT_TRUE(search_inflections(m.dict, "", kListLimit).empty());
}

TEST(BasesOf, IsEmptyUnlessTheExactFormResolves) {
    const MismatchedData m = make_mismatched();
    const std::vector<std::pair<std::string, Bases>> cases = {
        {"x4", {"a0", "a1"}}, {"x5", {"a0"}}, {"x2", {}}, {"x3", {}}, {"x", {}}, {"x44", {}}, {"", {}},
    };
    for (const auto& [form, bases] : cases) EXPECT_EQ(bases_of(m.dict, form), bases) << form;
}

// Headwords whose records do not decode: aamu and yö. ilta decodes.
TestDictionary make_damaged_records() {
    TestDictionary t = testing::with_undecodable_records(
        testing::make_test_dictionary(
            {{"aamu", noun("morning")}, {"ilta", noun("evening")}, {"tyhjä", {}}, {"yö", noun("night")}},
            {{"aamuja", {"aamu", "ilta"}}, {"aamut", {"aamu"}}, {"öisin", {"aamu", "yö"}}, {"tyhjää", {"tyhjä"}},
             {"iltaa", {"ilta"}}}),
        {"aamu", "yö"});
    for (std::string_view word : {"aamu", "yö"}) {
        if (t.dict.gloss_record(word)) throw std::runtime_error("record still decodes");
    }
    return t;
}

struct FallbackCase {
    const char* name;
    std::string query;
    std::optional<std::string> headword;
};

TEST(FallbackHeadword, PrefersTheFirstBaseWithARecord) {
    const TestDictionary t = make_damaged_records();
    const std::vector<FallbackCase> cases = {
        {"first base has no record, second has", "aamuja", "ilta"},
        {"only a base without a record", "aamut", "aamu"},
        {"no base has a record: the first", "öisin", "aamu"},
        {"not a form", "ilt", std::nullopt},
        {"a headword that is no form", "ilta", std::nullopt},
        {"one base", "iltaa", "ilta"},
    };
    for (const auto& c : cases) EXPECT_EQ(fallback_headword(t.dict, c.query), c.headword) << c.name;
}

struct PhraseCase {
    const char* name;
    std::string phrase;
    std::vector<std::optional<std::string>> bases;  // one per candidate
};

TEST(LookupPhrase, ListsTheHeadwordThenItsOtherBasesWithRecords) {
    const TestDictionary kehu = testing::make_kehu_dictionary();
    const TestDictionary damaged = make_damaged_records();
    const std::vector<std::pair<const TestDictionary*, PhraseCase>> cases = {
        {&kehu, {"headword and form of another: itself first", "kehua", {std::nullopt, "kehu"}}},
        {&kehu, {"a base equal to the phrase is skipped", "kehu", {std::nullopt, "kehua"}}},
        {&kehu, {"form only", "kehuaan", {"kehu"}}},
        {&kehu, {"headword only", "to", {std::nullopt}}},
        {&kehu, {"neither", "kehuu", {}}},
        {&kehu, {"no case folding", "Kehua", {}}},
        {&damaged, {"bases without a record are left out", "aamuja", {"ilta"}}},
        {&damaged, {"a headword without a record is left out", "aamu", {}}},
        {&damaged, {"a record without groups stays", "tyhjää", {"tyhjä"}}},
    };
    for (const auto& [t, c] : cases) {
        std::vector<std::optional<std::string>> bases;
        for (const auto& candidate : lookup_phrase(t->dict, c.phrase)) bases.push_back(candidate.base);
        EXPECT_EQ(bases, c.bases) << c.name;
    }
    const auto kehua = lookup_phrase(kehu.dict, "kehua");
    ASSERT_EQ(kehua.size(), 2u);
    EXPECT_EQ(kehua[0].record, kehu.dict.gloss_record("kehua"));
    EXPECT_EQ(kehua[1].record, kehu.dict.gloss_record("kehu"));
    EXPECT_TRUE(lookup_phrase(damaged.dict, "tyhjää").at(0).record.groups.empty());
}

}  // namespace
}  // namespace lomperi::morphology
