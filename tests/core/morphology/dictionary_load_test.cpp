#include <gtest/gtest.h>

#include <zstd.h>

#include <functional>

#include "core/morphology/dictionary.hpp"
#include "core/word_map/builder.hpp"
#include "format/gloss_writer.hpp"
#include "support/test_data.hpp"

namespace lomperi::morphology {
namespace {

using Buffer = std::vector<std::uint8_t>;
using testing::build_test_data;

const std::vector<std::string> kNames = {"noun", "verb"};

DataSet sample_data() {
    auto data = build_test_data({{"kissa", {{"noun", {"cat"}}}}, {"olla", {{"verb", {"to be", "to have"}}}}},
                                {{"kissan", {"kissa"}}, {"on", {"olla"}}});
    return std::move(*data);
}

Buffer glosses_bin_with(std::uint32_t plain_size, const Buffer& plain) {
    const auto compressed = format::zstd_compress(plain, 3);
    return *format::assemble_glosses_bin(kNames, plain_size, *compressed);
}

// The declared size differs from what the frame holds, in either direction.
Buffer glosses_bin_declaring(std::int64_t extra) {
    const Buffer plain = *format::encode_gloss_record(format::GlossRecord{{{"noun", {"cat"}}}}, kNames);
    return glosses_bin_with(static_cast<std::uint32_t>(static_cast<std::int64_t>(plain.size()) + extra), plain);
}

Buffer glosses_bin_with_body(const Buffer& compressed) {
    return *format::assemble_glosses_bin(kNames, 10, compressed);
}

// One frame as a streaming compressor writes it: no content size declared.
Buffer glosses_bin_streamed() {
    const Buffer plain = *format::encode_gloss_record(format::GlossRecord{{{"noun", {"cat"}}}}, kNames);
    ZSTD_CCtx* context = ZSTD_createCCtx();
    ZSTD_CCtx_setParameter(context, ZSTD_c_contentSizeFlag, 0);
    Buffer compressed(ZSTD_compressBound(plain.size()));
    ZSTD_outBuffer out{compressed.data(), compressed.size(), 0};
    ZSTD_inBuffer in{plain.data(), plain.size(), 0};
    ZSTD_compressStream2(context, &out, &in, ZSTD_e_end);
    ZSTD_freeCCtx(context);
    compressed.resize(out.pos);
    return *format::assemble_glosses_bin(kNames, static_cast<std::uint32_t>(plain.size()), compressed);
}

std::string load_report(const DataSet& data) {
    const auto dict = load_dictionary(data.files());
    if (dict) return "loaded";
    return dict.error().report();
}

TEST(LoadDictionary, ReportsEachFailureWithItsMessage) {
    const DataSet valid = sample_data();
    const struct {
        const char* name;
        std::function<void(DataSet&)> damage;
        std::string report;
    } cases[] = {
        {"glosses.fst too short", [](DataSet& d) { d[DataFile::glosses_fst].resize(35); }, "invalid fst: FST error"},
        {"glosses.fst version 4", [](DataSet& d) { d[DataFile::glosses_fst][0] = 4; }, "invalid fst: FST error"},
        {"glosses.fst empty", [](DataSet& d) { d[DataFile::glosses_fst].clear(); }, "invalid fst: FST error"},
        {"glosses.bin bad magic", [](DataSet& d) { d[DataFile::glosses_bin][0] = 'X'; },
         "parsing glosses.bin header\n\nCaused by:\n    bad magic"},
        {"glosses.bin version", [](DataSet& d) { d[DataFile::glosses_bin][4] = 7; },
         "parsing glosses.bin header\n\nCaused by:\n    unsupported version 7"},
        {"glosses.bin body cut", [](DataSet& d) { d[DataFile::glosses_bin].pop_back(); },
         "parsing glosses.bin header\n\nCaused by:\n    truncated header"},
        {"glosses.bin body not zstd", [](DataSet& d) { d[DataFile::glosses_bin] = glosses_bin_with_body(Buffer(16, 0x41)); },
         "decompressing glosses.bin\n\nCaused by:\n    zstd: Unknown frame descriptor"},
        {"glosses.bin body too short for a frame", [](DataSet& d) { d[DataFile::glosses_bin] = glosses_bin_with_body({1, 2, 3}); },
         "decompressing glosses.bin\n\nCaused by:\n    zstd: Unknown frame descriptor"},
        {"glosses.bin body of no frames", [](DataSet& d) { d[DataFile::glosses_bin] = glosses_bin_with_body({}); },
         "plain size mismatch: expected 10, got 0"},
        {"frame larger than declared", [](DataSet& d) { d[DataFile::glosses_bin] = glosses_bin_declaring(-1); },
         "decompressing glosses.bin\n\nCaused by:\n    zstd: Destination buffer is too small"},
        {"frame smaller than declared", [](DataSet& d) { d[DataFile::glosses_bin] = glosses_bin_declaring(+1); },
         "plain size mismatch: expected 9, got 8"},
        {"frame far smaller than declared", [](DataSet& d) { d[DataFile::glosses_bin] = glosses_bin_declaring(0xFFFFFFF0); },
         "plain size mismatch: expected 4294967288, got 8"},
        {"inflections.fst too short", [](DataSet& d) { d[DataFile::inflections_fst].resize(20); },
         "invalid inflections.fst: FST error"},
        {"inflections.fst version 0", [](DataSet& d) { d[DataFile::inflections_fst][0] = 0; },
         "invalid inflections.fst: FST error"},
        {"multi bad magic", [](DataSet& d) { d[DataFile::inflections_multi_bin][0] = 'X'; },
         "parsing inflections-multi.bin\n\nCaused by:\n    bad multi magic"},
        {"multi cut", [](DataSet& d) { d[DataFile::inflections_multi_bin].resize(8); },
         "parsing inflections-multi.bin\n\nCaused by:\n    truncated multi header"},
        {"multi count beyond entries",
         [](DataSet& d) {
             d[DataFile::inflections_multi_bin][5] = 1;
             d[DataFile::inflections_multi_offsets_bin].clear();
         },
         "parsing inflections-multi.bin\n\nCaused by:\n    truncated multi entry header"},
        {"multi count beyond its offsets", [](DataSet& d) { d[DataFile::inflections_multi_bin][5] = 1; },
         "parsing inflections-multi.bin\n\nCaused by:\n    multi offsets do not match the entries"},
    };
    for (const auto& c : cases) {
        DataSet data = valid;
        c.damage(data);
        EXPECT_EQ(load_report(data), c.report) << c.name;
    }
    EXPECT_EQ(load_report(valid), "loaded");
    DataSet streamed = valid;
    streamed[DataFile::glosses_bin] = glosses_bin_streamed();
    EXPECT_EQ(load_report(streamed), "loaded") << "a lone frame may leave its size to the header";
}

// Listed from glosses.fst the key is checked at load; in the stored table
// every headword is checked as it is read, here by the sampled comparison.
TEST(LoadDictionary, NonUtf8HeadwordEndsTheLoad) {
    const struct {
        std::string headword;
        std::string key_cause;
    } cases[] = {
        {"a\xFF", "invalid utf-8 sequence of 1 bytes from index 1"},
        {"\xC3", "incomplete utf-8 byte sequence from index 0"},
        {"\xED\xA0\x80", "invalid utf-8 sequence of 1 bytes from index 0"},
    };
    for (const auto& c : cases) {
        auto data = build_test_data({{"kissa", {{"noun", {"cat"}}}}, {c.headword, {{"noun", {"x"}}}}}, {});
        ASSERT_TRUE(data.has_value());
        EXPECT_EQ(load_report(*data), "headwords.bin does not match glosses.fst");
        (*data)[DataFile::headwords_bin].clear();
        EXPECT_EQ(load_report(*data), "non-utf8 word in glosses.fst\n\nCaused by:\n    " + c.key_cause);
    }
}

// With two files damaged, the check that runs first is the one reported; in
// particular a failure of the gloss half stops before inflections.fst is read.
TEST(LoadDictionary, TheFirstCheckInLoadOrderWins) {
    const DataSet valid = sample_data();
    const auto bad_glosses_fst = [](DataSet& d) { d[DataFile::glosses_fst].resize(10); };
    const auto bad_header = [](DataSet& d) { d[DataFile::glosses_bin][1] = 'X'; };
    const auto bad_size = [](DataSet& d) { d[DataFile::glosses_bin] = glosses_bin_declaring(+1); };
    const auto bad_inflections_fst = [](DataSet& d) { d[DataFile::inflections_fst].resize(10); };
    const auto bad_multi = [](DataSet& d) { d[DataFile::inflections_multi_bin][4] = 9; };
    const struct {
        const char* name;
        std::vector<std::function<void(DataSet&)>> damages;
        std::string first_line;
    } cases[] = {
        {"glosses.fst before glosses.bin", {bad_header, bad_glosses_fst}, "invalid fst: FST error"},
        {"glosses.fst before inflections.fst", {bad_inflections_fst, bad_glosses_fst}, "invalid fst: FST error"},
        {"header before inflections.fst", {bad_header, bad_inflections_fst, bad_multi}, "parsing glosses.bin header"},
        {"size before inflections.fst", {bad_size, bad_inflections_fst}, "plain size mismatch: expected 9, got 8"},
        {"inflections.fst before multi", {bad_multi, bad_inflections_fst}, "invalid inflections.fst: FST error"},
    };
    for (const auto& c : cases) {
        DataSet data = valid;
        for (const auto& damage : c.damages) damage(data);
        const std::string report = load_report(data);
        EXPECT_EQ(report.substr(0, report.find('\n')), c.first_line) << c.name;
    }

    const auto multi_and_headword = build_test_data({{"\xFF", {{"noun", {"x"}}}}}, {});
    DataSet data = *multi_and_headword;
    bad_multi(data);
    EXPECT_EQ(load_report(data), "parsing inflections-multi.bin\n\nCaused by:\n    unsupported multi version 9");
}

TEST(LoadGlosses, StopsBeforeTheInflectionHalfIsLookedAt) {
    const Buffer nothing;
    const auto gloss_half = load_glosses(Buffer(10, 0), nothing);
    ASSERT_FALSE(gloss_half.has_value());
    EXPECT_EQ(gloss_half.error().report(), "invalid fst: FST error");
}

TEST(LoadDictionary, BuildsBothHalves) {
    const DataSet data = sample_data();
    const auto dict = load_dictionary(data.files());
    ASSERT_TRUE(dict.has_value()) << dict.error().report();
    EXPECT_EQ(dict->gloss_store.pos_names(), (std::vector<std::string>{"noun", "verb"}));
    const auto header = format::parse_gloss_header(data[DataFile::glosses_bin]);
    EXPECT_EQ(dict->gloss_store.plain_size(), header->plain_size);
    EXPECT_EQ(std::vector<std::string>(dict->headwords.begin(), dict->headwords.end()),
              (std::vector<std::string>{"kissa", "olla"}));
    EXPECT_EQ(dict->glosses.len(), 2u);
    EXPECT_EQ(dict->inflections.len(), 2u);
    EXPECT_EQ(dict->multi.size(), 0u);
}

TEST(LoadDictionary, AcceptsAnEmptyDataSet) {
    const auto data = build_test_data({}, {});
    ASSERT_TRUE(data.has_value());
    const auto dict = load_dictionary(data->files());
    ASSERT_TRUE(dict.has_value()) << dict.error().report();
    EXPECT_TRUE(dict->headwords.empty());
    EXPECT_EQ(dict->gloss_store.plain_size(), 0u);
    EXPECT_EQ(dict->gloss_record(""), std::nullopt);
}

}  // namespace
}  // namespace lomperi::morphology
