// Bytes of a data set with checksums flipped anywhere: a load either fails
// or answers every look-up as the intact set does, or not at all.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/morphology/data_set_builder.hpp"
#include "core/morphology/inflection_lookup.hpp"

namespace {

using namespace lomperi;
using morphology::DataFile;

constexpr int kWords = 60;

std::string word(int k) { return "sana" + std::to_string(100 + k); }
std::string form(int k) { return word(k) + "ssa"; }

struct Answers {
    std::vector<std::optional<format::GlossRecord>> records;
    std::vector<std::vector<std::string>> bases;
};

Answers answers(const morphology::Dictionary& dictionary) {
    Answers out;
    for (int k = 0; k < kWords; ++k) {
        out.records.push_back(dictionary.gloss_record(word(k)));
        std::vector<std::string> bases;
        for (const auto base : morphology::bases_of(dictionary, form(k))) bases.emplace_back(base);
        out.bases.push_back(std::move(bases));
    }
    return out;
}

struct Reference {
    morphology::DataSet data;
    Answers answers;
};

const Reference& reference() {
    static const Reference built = [] {
        morphology::DataSetBuilder builder;
        builder.set_zstd_level(1);
        builder.set_frame_size(256);
        builder.set_chunk_shift(6);
        for (int k = 0; k < kWords; ++k) {
            builder.add_headword(word(k), {{"noun", {"thing " + std::to_string(k), "another sense"}}});
            builder.add_form(form(k), word(k));
            if (k % 3 == 0 && k + 1 < kWords) builder.add_form(form(k), word(k + 1));
        }
        auto data = builder.build();
        if (!data) std::abort();
        auto dictionary = morphology::load_dictionary(data->files());
        if (!dictionary) std::abort();
        Answers intact = answers(*dictionary);
        return Reference{std::move(*data), std::move(intact)};
    }();
    return built;
}

}  // namespace

// Input: a file number, then flips of 5 bytes each (position, xor value).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    morphology::DataSet damaged = reference().data;
    auto& bytes = damaged[DataFile{static_cast<std::uint8_t>(data[0] % morphology::kDataFileCount)}];
    if (bytes.empty()) return 0;
    for (std::size_t at = 1; at + 5 <= size; at += 5) {
        const std::uint32_t position = data[at] | (data[at + 1] << 8) | (data[at + 2] << 16) | (std::uint32_t{data[at + 3]} << 24);
        bytes[position % bytes.size()] ^= data[at + 4];
    }
    const auto dictionary = morphology::load_dictionary(damaged.files());
    if (!dictionary) return 0;
    const Answers got = answers(*dictionary);
    const Answers& intact = reference().answers;
    for (int k = 0; k < kWords; ++k) {
        if (got.records[k] && got.records[k] != intact.records[k]) std::abort();
        if (!got.bases[k].empty() && got.bases[k] != intact.bases[k]) std::abort();
    }
    return 0;
}
