#include "support/test_data.hpp"

#include <algorithm>
#include <stdexcept>

#include "core/morphology/english_writer.hpp"
#include "format/gloss_writer.hpp"

namespace lomperi::testing {

namespace {
morphology::EnglishFiles english_files(const std::vector<TestHeadword>& headwords, std::vector<TestEnglishKey> keys);
}  // namespace

morphology::DataSetBuilder test_builder(const std::vector<TestHeadword>& headwords, const std::vector<TestForm>& forms,
                                        std::vector<TestEnglishKey> english) {
    morphology::DataSetBuilder builder;
    builder.set_zstd_level(3);
    // Tests that damage a file on purpose mean its structure; the checks of
    // damaged chunks have tests of their own.
    builder.set_chunk_shift(0);
    for (const auto& entry : headwords) builder.add_headword(entry.headword, entry.groups);
    for (const auto& entry : forms) {
        for (const auto& base : entry.bases) builder.add_form(entry.form, base);
    }
    if (!english.empty()) builder.set_english(english_files(headwords, std::move(english)));
    return builder;
}

Result<morphology::DataSet> build_test_data(const std::vector<TestHeadword>& headwords,
                                            const std::vector<TestForm>& forms) {
    return test_builder(headwords, forms).build();
}

namespace {

morphology::Dictionary load_or_throw(const morphology::DataSet& data) {
    auto dict = morphology::load_dictionary(data.files());
    if (!dict) throw std::runtime_error("loading test data: " + dict.error().report());
    return std::move(*dict);
}

// english.fst and english.bin, a headword's base id being its position in byte order.
morphology::EnglishFiles english_files(const std::vector<TestHeadword>& headwords, std::vector<TestEnglishKey> keys) {
    std::vector<std::string_view> sorted;
    for (const auto& entry : headwords) sorted.push_back(entry.headword);
    std::ranges::sort(sorted);
    std::ranges::sort(keys, {}, &TestEnglishKey::key);
    morphology::EnglishWriter writer;
    for (const auto& key : keys) {
        std::vector<format::EnglishPosting> postings;
        for (const auto& [headword, meaning] : key.postings) {
            const auto id = std::ranges::lower_bound(sorted, headword) - sorted.begin();
            postings.push_back({static_cast<std::uint32_t>(id), meaning});
        }
        if (auto added = writer.add(key.key, postings); !added) throw std::runtime_error(added.error().report());
    }
    auto files = std::move(writer).finish();
    if (!files) throw std::runtime_error(files.error().report());
    return std::move(*files);
}

}  // namespace

TestDictionary make_test_dictionary(const std::vector<TestHeadword>& headwords, const std::vector<TestForm>& forms,
                                    std::vector<TestEnglishKey> english) {
    auto data = test_builder(headwords, forms, std::move(english)).build();
    if (!data) throw std::runtime_error("building test data: " + data.error().report());
    auto dict = load_or_throw(*data);
    return TestDictionary{std::move(*data), std::move(dict)};
}

TestDictionary make_analysed_dictionary(const std::vector<TestHeadword>& headwords, const std::vector<TestForm>& forms,
                                        const std::vector<std::uint8_t>& analyser) {
    auto builder = test_builder(headwords, forms);
    builder.set_analyser(analyser);
    auto data = builder.build();
    if (!data) throw std::runtime_error("building test data: " + data.error().report());
    auto dict = load_or_throw(*data);
    return TestDictionary{std::move(*data), std::move(dict)};
}

TestDictionary with_undecodable_records(TestDictionary t, const std::vector<std::string>& headwords) {
    const auto header = format::parse_gloss_header(t.data[morphology::DataFile::glosses_bin]);
    if (!header) throw std::runtime_error(header.error().report());
    auto plain = t.dict.gloss_store.plain_body().value();
    for (const auto& headword : headwords) plain.at(t.dict.glosses.get(headword).value() + 1) = 0xFF;
    const std::vector<std::string> pos_names(header->pos_names.begin(), header->pos_names.end());
    auto glosses_bin = format::write_glosses_bin(pos_names, plain, 3);
    if (!glosses_bin) throw std::runtime_error(glosses_bin.error().report());
    t.data[morphology::DataFile::glosses_bin] = std::move(*glosses_bin);
    t.dict = load_or_throw(t.data);
    return t;
}

std::vector<std::uint8_t> patched(std::vector<std::uint8_t> bytes, std::size_t at, std::uint8_t value) {
    bytes.at(at) = value;
    return bytes;
}

}  // namespace lomperi::testing
