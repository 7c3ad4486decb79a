#pragma once
// Small dictionaries for tests, built in memory through DataSetBuilder.
//
//   auto t = lomperi::testing::make_test_dictionary(
//       {{"kissa", {{"noun", {"cat"}}}}, {"kissat", {{"noun", {"plural of kissa"}}}}},
//       {{"kissan", {"kissa"}}, {"kuusi", {"kuusi", "kuusia"}}});
//   t.dict.gloss_record("kissa");   // t.dict reads t.data's bytes: keep t alive
#include <string>
#include <vector>

#include "core/morphology/data_set_builder.hpp"
#include "core/morphology/dictionary.hpp"
#include "base/error.hpp"
#include "format/gloss.hpp"

namespace lomperi::testing {

struct TestHeadword {
    std::string headword;
    std::vector<format::PosGroup> groups;
};

struct TestForm {
    std::string form;
    std::vector<std::string> bases;  // one base: a plain base id; several: a multi entry
};

// The bytes and the dictionary loaded from them. The word maps and the
// multi-index view `data`; moving the whole struct keeps them valid.
struct TestDictionary {
    morphology::DataSet data;
    morphology::Dictionary dict;
};

Result<morphology::DataSet> build_test_data(const std::vector<TestHeadword>& headwords,
                                            const std::vector<TestForm>& forms);

// An English key with its Finnish headwords, best first, each with the
// number of its meaning that holds the key; a key without any is a word of
// the English word list.
struct TestEnglishKey {
    std::string key;
    std::vector<std::pair<std::string, std::uint8_t>> postings;
};

// A builder holding the headwords, forms and English keys, writing no
// checksums.
morphology::DataSetBuilder test_builder(const std::vector<TestHeadword>& headwords, const std::vector<TestForm>& forms,
                                        std::vector<TestEnglishKey> english = {});

// Builds and loads; throws std::runtime_error (which fails the test) when
// either fails. Without English keys the data set has no English side.
TestDictionary make_test_dictionary(const std::vector<TestHeadword>& headwords, const std::vector<TestForm>& forms = {},
                                    std::vector<TestEnglishKey> english = {});

// The same with voikko's analyser as the transducer `analyser` (see
// test_transducer.hpp's lexicon).
TestDictionary make_analysed_dictionary(const std::vector<TestHeadword>& headwords, const std::vector<TestForm>& forms,
                                        const std::vector<std::uint8_t>& analyser);

// `t` with the records of `headwords` damaged so that they do not decode (the
// byte after each record's start, its first part of speech, set to 0xFF).
TestDictionary with_undecodable_records(TestDictionary t, const std::vector<std::string>& headwords);

// A copy of `bytes` with `bytes[at]` set to `value`, for damaging a file.
std::vector<std::uint8_t> patched(std::vector<std::uint8_t> bytes, std::size_t at, std::uint8_t value);

}  // namespace lomperi::testing
