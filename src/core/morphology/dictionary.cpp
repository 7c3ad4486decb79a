#include "core/morphology/dictionary.hpp"

#include <fmt/format.h>
#include <zstd.h>

#include <algorithm>
#include <future>

#include "base/utf8.hpp"

namespace lomperi::morphology {
namespace {

// One-shot decompression straight into the final buffer, so a frame that is
// larger than declared fails inside zstd instead of growing the buffer.
Result<ByteBuffer> decompress_body(Bytes compressed, std::uint32_t plain_size) {
    ByteBuffer body(plain_size);
    const std::size_t produced = ZSTD_decompress(body.data(), body.size(), compressed.data(), compressed.size());
    if (ZSTD_isError(produced))
        return std::unexpected(Error(fmt::format("zstd: {}", ZSTD_getErrorName(produced))).wrap("decompressing glosses.bin"));
    if (produced != plain_size) return fail(fmt::format("plain size mismatch: expected {}, got {}", plain_size, produced));
    return body;
}

// The key count comes from the file's footer; a damaged one must not make the
// reservation throw or allocate terabytes, so it is trusted only up to a bound.
constexpr std::uint64_t kMaxHeadwordReserve = std::uint64_t{1} << 22;
constexpr std::uint64_t kMaxHeadwordText = std::uint64_t{1} << 32;

Result<HeadwordList> collect_headwords(const word_map::WordMap& glosses) {
    HeadwordList headwords;
    // Headwords average under 16 bytes; the text grows past that if need be.
    const auto count = static_cast<std::size_t>(std::min(glosses.len(), kMaxHeadwordReserve));
    headwords.reserve(count, 16 * count);
    auto stream = glosses.stream();
    while (auto entry = stream.next()) {
        if (auto valid = check_utf8(entry->key); !valid)
            return forward(valid, "non-utf8 word in glosses.fst");
        // A damaged map may hold more paths than keys it declares; the arena
        // addresses at most 4 GiB.
        if (headwords.size() == glosses.len() || headwords.text_size() + entry->key.size() >= kMaxHeadwordText) {
            return fail("glosses.fst holds more keys than it declares");
        }
        headwords.push_back(as_text(entry->key));
    }
    return headwords;
}

}  // namespace

Result<GlossHalf> load_glosses(Bytes glosses_fst, Bytes glosses_bin) {
    auto glosses = word_map::WordMap::open(glosses_fst);
    if (!glosses) return fail(fmt::format("invalid fst: {}", glosses.error().message()));
    const auto header = format::parse_gloss_header(glosses_bin);
    if (!header) return forward(header, "parsing glosses.bin header");
    auto body = decompress_body(header->compressed, header->plain_size);
    if (!body) return forward(body);
    GlossStore store{std::vector<std::string>(header->pos_names.begin(), header->pos_names.end()), std::move(*body)};
    return GlossHalf{std::move(store), std::move(*glosses)};
}

namespace {

// The inflection half without its headword list.
Result<InflectionHalf> open_inflections(Bytes inflections_fst, Bytes multi_bin) {
    auto inflections = word_map::WordMap::open(inflections_fst);
    if (!inflections) return fail(fmt::format("invalid inflections.fst: {}", inflections.error().message()));
    auto multi = format::MultiIndex::parse(multi_bin);
    if (!multi) return forward(multi, "parsing inflections-multi.bin");
    return InflectionHalf{std::move(*multi), {}, std::move(*inflections)};
}

}  // namespace

Result<InflectionHalf> load_inflections(Bytes inflections_fst, Bytes multi_bin, const word_map::WordMap& glosses) {
    auto half = open_inflections(inflections_fst, multi_bin);
    if (!half) return forward(half);
    auto headwords = collect_headwords(glosses);
    if (!headwords) return forward(headwords);
    half->headwords = std::move(*headwords);
    return half;
}

Result<std::optional<EnglishIndex>> load_english(Bytes english_fst, Bytes english_bin) {
    if (english_fst.empty() && english_bin.empty()) return std::optional<EnglishIndex>{};
    auto words = word_map::WordMap::open(english_fst);
    if (!words) return fail(fmt::format("invalid english.fst: {}", words.error().message()));
    auto postings = format::EnglishPostings::parse(english_bin);
    if (!postings) return forward(postings, "parsing english.bin");
    return std::optional<EnglishIndex>{EnglishIndex{std::move(*words), std::move(*postings)}};
}

Result<Dictionary> load_dictionary(const DataFiles& files) {
    // Listing the headwords walks the whole map and does not need the gloss
    // body: on a second core it runs beside the decompression. Errors are
    // still reported in the order of the steps.
    const auto keys = word_map::WordMap::open(files.glosses_fst);
    std::future<Result<HeadwordList>> headwords;
    if (keys) headwords = std::async(std::launch::async | std::launch::deferred, collect_headwords, std::cref(*keys));
    auto gloss_half = load_glosses(files.glosses_fst, files.glosses_bin);
    if (!gloss_half) return forward(gloss_half);
    auto inflection_half = open_inflections(files.inflections_fst, files.inflections_multi_bin);
    if (!inflection_half) return forward(inflection_half);
    auto list = headwords.get();
    if (!list) return forward(list);
    inflection_half->headwords = std::move(*list);
    auto english = load_english(files.english_fst, files.english_bin);
    if (!english) return forward(english);
    return Dictionary{
        std::move(gloss_half->gloss_store),    std::move(gloss_half->glosses),         std::move(inflection_half->multi),
        std::move(inflection_half->headwords), std::move(inflection_half->inflections), std::move(*english),
    };
}

std::optional<format::GlossRecord> Dictionary::gloss_record(std::string_view headword) const {
    const auto offset = glosses.get(headword);
    if (!offset || *offset > gloss_store.body.size()) return std::nullopt;
    const Bytes rest = gloss_store.body.bytes().subspan(*offset);
    auto record = format::parse_gloss_record(rest, gloss_store.pos_names);
    if (!record) return std::nullopt;
    return std::move(*record);
}

}  // namespace lomperi::morphology
