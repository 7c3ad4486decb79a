#include "format/gloss_writer.hpp"

#include <fmt/format.h>
#include <zstd.h>

#include <algorithm>
#include <limits>

#include "base/bytes.hpp"
#include "format/zstd_frames.hpp"

namespace lomperi::format {
namespace {

Result<std::uint8_t> pos_index(std::string_view pos, std::span<const std::string> pos_names) {
    const auto found = std::find(pos_names.begin(), pos_names.end(), pos);
    if (found == pos_names.end()) return fail(fmt::format("unknown part of speech {:?}", pos));
    const auto index = found - pos_names.begin();
    if (index > 255) return fail(fmt::format("part of speech {:?} beyond index 255", pos));
    return static_cast<std::uint8_t>(index);
}

Result<void> append_group(std::vector<std::uint8_t>& out, const PosGroup& group, std::span<const std::string> pos_names) {
    const auto index = pos_index(group.pos, pos_names);
    if (!index) return forward(index);
    if (group.meanings.size() > 255) return fail(fmt::format("{} meanings in one group", group.meanings.size()));
    out.push_back(*index);
    out.push_back(static_cast<std::uint8_t>(group.meanings.size()));
    for (const auto& meaning : group.meanings) {
        if (meaning.size() > std::numeric_limits<std::uint16_t>::max())
            return fail(fmt::format("meaning of {} bytes", meaning.size()));
        append_u16(out, static_cast<std::uint16_t>(meaning.size()));
        append_bytes(out, as_bytes(meaning));
    }
    return {};
}

}  // namespace

Result<void> append_gloss_record(std::vector<std::uint8_t>& out, const GlossRecord& record,
                                 std::span<const std::string> pos_names) {
    if (record.groups.size() > 255) return fail(fmt::format("{} groups in one record", record.groups.size()));
    const std::size_t start = out.size();
    out.push_back(static_cast<std::uint8_t>(record.groups.size()));
    for (const auto& group : record.groups) {
        if (auto appended = append_group(out, group, pos_names); !appended) {
            out.resize(start);
            return appended;
        }
    }
    return {};
}

Result<std::vector<std::uint8_t>> encode_gloss_record(const GlossRecord& record, std::span<const std::string> pos_names) {
    std::vector<std::uint8_t> out;
    if (auto appended = append_gloss_record(out, record, pos_names); !appended) return forward(appended);
    return out;
}

Result<std::vector<std::uint8_t>> assemble_glosses_bin(std::span<const std::string> pos_names, std::uint32_t plain_size,
                                                       Bytes compressed) {
    if (pos_names.size() > 255) return fail(fmt::format("{} part-of-speech names", pos_names.size()));
    if (compressed.size() > std::numeric_limits<std::uint32_t>::max()) return fail("compressed body too large");
    std::vector<std::uint8_t> out;
    append_bytes(out, as_bytes(kGlossMagic));
    out.push_back(kGlossVersion);
    out.push_back(static_cast<std::uint8_t>(pos_names.size()));
    for (const auto& name : pos_names) {
        if (name.size() > 255) return fail(fmt::format("part-of-speech name of {} bytes", name.size()));
        out.push_back(static_cast<std::uint8_t>(name.size()));
        append_bytes(out, as_bytes(name));
    }
    append_u32(out, plain_size);
    append_u32(out, static_cast<std::uint32_t>(compressed.size()));
    append_bytes(out, compressed);
    return out;
}

Result<std::vector<std::uint8_t>> zstd_compress(Bytes plain, int level) {
    std::vector<std::uint8_t> out(ZSTD_compressBound(plain.size()));
    const std::size_t written = ZSTD_compress(out.data(), out.size(), plain.data(), plain.size(), level);
    if (ZSTD_isError(written)) return fail(fmt::format("zstd: {}", ZSTD_getErrorName(written)));
    out.resize(written);
    return out;
}

Result<std::vector<std::uint8_t>> write_glosses_bin(std::span<const std::string> pos_names, Bytes plain_body,
                                                    int zstd_level) {
    if (plain_body.size() > std::numeric_limits<std::uint32_t>::max()) return fail("gloss body too large");
    const auto compressed = zstd_compress(plain_body, zstd_level);
    if (!compressed) return forward(compressed);
    return assemble_glosses_bin(pos_names, static_cast<std::uint32_t>(plain_body.size()), *compressed);
}

Result<std::vector<std::uint8_t>> write_framed_glosses_bin(std::span<const std::string> pos_names, Bytes plain_body,
                                                           std::span<const std::uint64_t> record_starts,
                                                           std::size_t frame_size, int zstd_level) {
    if (plain_body.size() > std::numeric_limits<std::uint32_t>::max()) return fail("gloss body too large");
    std::vector<std::uint8_t> frames;
    std::vector<ZstdFrameSize> sizes;
    std::uint64_t frame_start = 0;
    const auto add_frame = [&](std::uint64_t end) -> Result<void> {
        auto frame = zstd_compress(plain_body.subspan(frame_start, end - frame_start), zstd_level);
        if (!frame) return forward(frame);
        append_bytes(frames, *frame);
        sizes.push_back({static_cast<std::uint32_t>(frame->size()), static_cast<std::uint32_t>(end - frame_start)});
        frame_start = end;
        return {};
    };
    for (const std::uint64_t start : record_starts) {
        if (start > plain_body.size() || start < frame_start) return fail("record offsets out of order");
        if (start - frame_start < frame_size) continue;
        if (auto added = add_frame(start); !added) return forward(added);
    }
    if (frame_start < plain_body.size() || plain_body.empty()) {
        if (auto added = add_frame(plain_body.size()); !added) return forward(added);
    }
    auto compressed = zstd_frame_index(sizes);
    append_bytes(compressed, frames);
    return assemble_glosses_bin(pos_names, static_cast<std::uint32_t>(plain_body.size()), compressed);
}

}  // namespace lomperi::format
