#include "format/zstd_frames.hpp"

#include <gtest/gtest.h>

#include <string>

#include "bytes_helpers.hpp"
#include "format/gloss_writer.hpp"

namespace lomperi::format {
namespace {

using test::Buffer;
using test::bytes_of;
using test::concat;

const std::string kTexts[] = {"ensimmäinen kehys", "toinen", "kolmas kehys on pisin kaikista"};

struct Body {
    Buffer frames;  // the frames alone, as an older writer left them
    std::vector<ZstdFrameSize> sizes;
};

Body compressed_frames() {
    Body body;
    for (const auto& text : kTexts) {
        const auto frame = zstd_compress(as_bytes(text), 3);
        body.frames.insert(body.frames.end(), frame->begin(), frame->end());
        body.sizes.push_back({static_cast<std::uint32_t>(frame->size()), static_cast<std::uint32_t>(text.size())});
    }
    return body;
}

std::string decompressed(const ZstdFrame& frame) {
    std::string out(frame.plain_size, '\0');
    ZstdDecompressor decompressor;
    if (!decompressor.decompress(frame, reinterpret_cast<std::uint8_t*>(out.data()))) return "(damaged)";
    return out;
}

TEST(ZstdFrames, IndexedAndWalkedBodiesGiveTheSameFrames) {
    const Body body = compressed_frames();
    const Buffer indexed = concat({zstd_frame_index(body.sizes), body.frames});
    for (const Buffer* file : {&body.frames, &indexed}) {
        const auto frames = split_zstd_frames(*file, 0);
        ASSERT_TRUE(frames) << frames.error().report();
        ASSERT_EQ(frames->size(), std::size(kTexts));
        std::uint64_t start = 0;
        for (std::size_t k = 0; k < frames->size(); ++k) {
            EXPECT_EQ((*frames)[k].plain_start, start);
            EXPECT_EQ(decompressed((*frames)[k]), kTexts[k]);
            start += kTexts[k].size();
        }
    }
}

// A damaged index is caught when it points outside the body, and otherwise
// when a frame it names fails to decompress; it never reads outside.
TEST(ZstdFrames, DamagedIndexFailsOrGivesFramesThatDoNotDecompress) {
    const Body body = compressed_frames();
    const auto with_sizes = [&](std::vector<ZstdFrameSize> sizes) {
        return concat({zstd_frame_index(sizes), body.frames});
    };
    auto longer = body.sizes;
    longer.back().compressed += 1;
    auto shorter = body.sizes;
    shorter.back().compressed -= 1;
    auto shifted = body.sizes;
    shifted[0].compressed -= 2;
    shifted[1].compressed += 2;
    auto larger = body.sizes;
    larger[1].plain += 5;

    const struct {
        Buffer file;
        std::string error;  // empty: splits, but a frame does not decompress
    } cases[] = {
        {with_sizes(longer), "zstd: frame 2 ends beyond the body"},
        {with_sizes(shorter), "zstd: frame index does not cover the body"},
        {with_sizes(shifted), ""},
        {with_sizes(larger), ""},
    };
    for (const auto& c : cases) {
        const auto frames = split_zstd_frames(c.file, 0);
        if (!c.error.empty()) {
            ASSERT_FALSE(frames);
            EXPECT_EQ(frames.error().report(), c.error);
            continue;
        }
        ASSERT_TRUE(frames) << frames.error().report();
        bool damaged = false;
        for (const auto& frame : *frames) damaged |= decompressed(frame) == "(damaged)";
        EXPECT_TRUE(damaged);
    }
}

// A skippable frame of another kind, or an index whose count disagrees with
// its length, is not taken for an index: the body is walked.
TEST(ZstdFrames, WhatIsNotAnIndexIsWalkedOver) {
    const Body body = compressed_frames();
    Buffer miscounted = zstd_frame_index(body.sizes);
    miscounted[12] += 1;
    Buffer other_tag = zstd_frame_index(body.sizes);
    other_tag[8] = 'X';
    for (const Buffer& lead : {miscounted, other_tag}) {
        const auto frames = split_zstd_frames(concat({lead, body.frames}), 0);
        ASSERT_TRUE(frames) << frames.error().report();
        EXPECT_EQ(frames->size(), std::size(kTexts));
    }
}

}  // namespace
}  // namespace lomperi::format
