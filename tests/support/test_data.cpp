#include "support/test_data.hpp"

#include <stdexcept>

namespace lomperi::testing {

morphology::DataSetBuilder test_builder(const std::vector<TestHeadword>& headwords, const std::vector<TestForm>& forms) {
    morphology::DataSetBuilder builder;
    builder.set_zstd_level(3);
    for (const auto& entry : headwords) builder.add_headword(entry.headword, entry.groups);
    for (const auto& entry : forms) {
        for (const auto& base : entry.bases) builder.add_form(entry.form, base);
    }
    return builder;
}

Result<morphology::DataSet> build_test_data(const std::vector<TestHeadword>& headwords,
                                            const std::vector<TestForm>& forms) {
    return test_builder(headwords, forms).build();
}

TestDictionary make_test_dictionary(const std::vector<TestHeadword>& headwords, const std::vector<TestForm>& forms) {
    auto data = build_test_data(headwords, forms);
    if (!data) throw std::runtime_error("building test data: " + data.error().report());
    auto dict = morphology::load_dictionary(data->files());
    if (!dict) throw std::runtime_error("loading test data: " + dict.error().report());
    return TestDictionary{std::move(*data), std::move(*dict)};
}

std::vector<std::uint8_t> patched(std::vector<std::uint8_t> bytes, std::size_t at, std::uint8_t value) {
    bytes.at(at) = value;
    return bytes;
}

}  // namespace lomperi::testing
