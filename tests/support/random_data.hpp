#pragma once
// A random dictionary over a few symbols, among them two-byte letters and a
// space, so that prefixes often cut a character in half and lists overflow
// 100; and the queries that exercise it. Shared by the differential tests.
#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "support/test_data.hpp"

namespace lomperi::testing {

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

inline RandomData random_data(std::uint32_t seed) {
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

inline TestDictionary load(const RandomData& data) {
    std::vector<TestHeadword> headwords;
    for (const std::string& h : data.headwords) headwords.push_back({h, {{"noun", {"m"}}}});
    std::vector<TestForm> forms;
    for (const auto& [form, bases] : data.forms) forms.push_back({form, {bases.begin(), bases.end()}});
    return make_test_dictionary(headwords, forms);
}

inline std::set<std::string> queries(const RandomData& data, std::uint32_t seed) {
    std::set<std::string> out;
    for (const std::string& h : data.headwords) {
        for (std::size_t n = 1; n <= 3 && n <= h.size(); ++n) out.insert(h.substr(0, n));
    }
    for (const auto& [form, bases] : data.forms) out.insert(form.substr(0, std::min<std::size_t>(4, form.size())));
    WordSource source(seed);
    for (int k = 0; k < 200; ++k) out.insert(source.word());
    return out;
}

}  // namespace lomperi::testing
