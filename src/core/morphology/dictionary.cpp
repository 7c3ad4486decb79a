#include "core/morphology/dictionary.hpp"

#include <atomic>

#include <fmt/format.h>

#include <algorithm>

#include "base/recent_answers.hpp"
#include "base/utf8.hpp"
#include "format/checksum_table.hpp"

namespace lomperi::morphology {
namespace {

// The key count comes from the file's footer; a damaged one must not make the
// reservation throw or allocate terabytes, so it is trusted only up to a bound.
constexpr std::uint64_t kMaxHeadwordReserve = std::uint64_t{1} << 22;

// Data sets without headwords.bin: the headwords are listed from the map.
Result<HeadwordList> list_headwords(const word_map::WordMap& glosses) {
    format::HeadwordTableWriter writer;
    // Headwords average under 16 bytes; the text grows past that if need be.
    const auto count = static_cast<std::size_t>(std::min(glosses.len(), kMaxHeadwordReserve));
    writer.reserve(count, 16 * count);
    std::uint64_t listed = 0;
    auto stream = glosses.stream();
    while (auto entry = stream.next()) {
        if (auto valid = check_utf8(entry->key); !valid) return forward(valid, "non-utf8 word in glosses.fst");
        // A damaged map may hold more paths than keys it declares.
        if (listed++ == glosses.len()) return fail("glosses.fst holds more keys than it declares");
        if (auto added = writer.add(as_text(entry->key)); !added) return forward(added, "listing the headwords");
    }
    return HeadwordList::owning(std::move(writer).finish());
}

// Comparing the whole table with the map would walk the map, which the table
// is there to spare; headwords sampled over the ids, each a key of the map and
// in ascending order, tell a table of another data set. Each sample costs
// page faults at start-up, so there are few.
bool agrees_with(const format::HeadwordTable& table, const word_map::WordMap& glosses) {
    constexpr std::size_t kSamples = 8;
    const std::size_t count = table.size();
    if (count != glosses.len()) return false;
    std::string_view previous;
    for (std::size_t k = 0; k < std::min(count, kSamples); ++k) {
        const std::size_t id = count <= kSamples ? k : k * (count - 1) / (kSamples - 1);
        const auto headword = table.at(id);
        if (!headword || (k > 0 && *headword <= previous) || !glosses.get(*headword)) return false;
        previous = *headword;
    }
    return true;
}

Result<HeadwordList> stored_headwords(Bytes headwords_bin, const word_map::WordMap& glosses, const ChunkChecks& checks) {
    auto table = format::HeadwordTable::parse(headwords_bin, checks);
    if (!table) return forward(table, "parsing headwords.bin");
    if (!agrees_with(*table, glosses)) return fail("headwords.bin does not match glosses.fst");
    return HeadwordList(*table);
}

Result<HeadwordList> headwords_of(Bytes headwords_bin, const word_map::WordMap& glosses, const ChunkChecks& checks) {
    if (headwords_bin.empty()) return list_headwords(glosses);
    return stored_headwords(headwords_bin, glosses, checks);
}

const ChunkChecks& checks_of(const DataChecks& checks, DataFile file) { return checks[static_cast<std::size_t>(file)]; }

struct Checksums {
    std::optional<format::ChecksumTable> table;
    DataChecks checks;
};

Result<Checksums> read_checksums(const DataFiles& files) {
    Checksums out;
    const Bytes table_bytes = files[DataFile::checksums_bin];
    if (table_bytes.empty()) return out;
    auto table = format::ChecksumTable::parse(table_bytes);
    if (!table) return forward(table, "parsing checksums.bin");
    for (const auto& row : table->files()) {
        if (row.file >= kDataFileCount) return fail("checksums.bin lists an unknown file");
        out.checks[row.file] = ChunkChecks(files[DataFile{row.file}], row.sums, table->chunk_shift());
    }
    out.table = std::move(*table);
    return out;
}

// A file of another data set, or cut short, is told by its size and its
// first and last chunks; damage elsewhere shows when it is read.
Result<void> verify_files(const DataFiles& files, const Checksums& checksums) {
    if (!checksums.table) return {};
    const auto& checks = checksums.checks;
    const std::uint64_t chunk = std::uint64_t{1} << checksums.table->chunk_shift();
    for (const auto& row : checksums.table->files()) {
        const DataFile file{row.file};
        const Bytes bytes = files[file];
        const ChunkChecks& check = checks_of(checks, file);
        const std::uint64_t last = bytes.empty() ? 0 : (bytes.size() - 1) / chunk * chunk;
        if (bytes.size() != row.size || !check.intact(0, std::min(chunk, bytes.size())) ||
            !check.intact(last, bytes.size() - last)) {
            return fail(fmt::format("{} does not match checksums.bin", file_name(file)));
        }
    }
    return {};
}

}  // namespace

Result<GlossHalf> load_glosses(Bytes glosses_fst, Bytes glosses_bin, const DataChecks& checks) {
    auto glosses = word_map::WordMap::open(glosses_fst, checks_of(checks, DataFile::glosses_fst));
    if (!glosses) return fail(fmt::format("invalid fst: {}", glosses.error().message()));
    const auto header = format::parse_gloss_header(glosses_bin);
    if (!header) return forward(header, "parsing glosses.bin header");
    const ChunkChecks& bin_checks = checks_of(checks, DataFile::glosses_bin);
    auto store = GlossStore::open(*header, bin_checks);
    if (!store) return forward(store);
    // The names and the frame index, read once here, are checked here.
    const auto head_size = static_cast<std::size_t>(header->compressed.data() - glosses_bin.data());
    if (!bin_checks.intact(glosses_bin.first(head_size)) || !store->index_intact())
        return fail("glosses.bin does not match checksums.bin");
    return GlossHalf{std::move(*store), std::move(*glosses)};
}

Result<InflectionHalf> load_inflections(Bytes inflections_fst, Bytes multi_bin, Bytes multi_offsets_bin, Bytes headwords_bin,
                                        const word_map::WordMap& glosses, const DataChecks& checks) {
    auto inflections = word_map::WordMap::open(inflections_fst, checks_of(checks, DataFile::inflections_fst));
    if (!inflections) return fail(fmt::format("invalid inflections.fst: {}", inflections.error().message()));
    auto multi = multi_offsets_bin.empty() ? format::MultiIndex::parse(multi_bin)
                                           : format::MultiIndex::parse(multi_bin, multi_offsets_bin);
    if (!multi) return forward(multi, "parsing inflections-multi.bin");
    multi->set_checks(checks_of(checks, DataFile::inflections_multi_bin),
                      checks_of(checks, DataFile::inflections_multi_offsets_bin));
    auto headwords = headwords_of(headwords_bin, glosses, checks_of(checks, DataFile::headwords_bin));
    if (!headwords) return forward(headwords);
    return InflectionHalf{std::move(*multi), std::move(*headwords), std::move(*inflections)};
}

Result<std::optional<EnglishIndex>> load_english(Bytes english_fst, Bytes english_bin, const DataChecks& checks) {
    if (english_fst.empty() && english_bin.empty()) return std::optional<EnglishIndex>{};
    auto words = word_map::WordMap::open(english_fst, checks_of(checks, DataFile::english_fst));
    if (!words) return fail(fmt::format("invalid english.fst: {}", words.error().message()));
    auto postings = format::EnglishPostings::parse(english_bin, checks_of(checks, DataFile::english_bin));
    if (!postings) return forward(postings, "parsing english.bin");
    return std::optional<EnglishIndex>{EnglishIndex{std::move(*words), std::move(*postings)}};
}

Result<Dictionary> load_dictionary(const DataFiles& files) {
    const auto checksums = read_checksums(files);
    if (!checksums) return forward(checksums);
    const DataChecks& checks = checksums->checks;
    auto gloss_half = load_glosses(files[DataFile::glosses_fst], files[DataFile::glosses_bin], checks);
    if (!gloss_half) return forward(gloss_half);
    auto inflection_half = load_inflections(files[DataFile::inflections_fst], files[DataFile::inflections_multi_bin],
                                            files[DataFile::inflections_multi_offsets_bin], files[DataFile::headwords_bin],
                                            gloss_half->glosses, checks);
    if (!inflection_half) return forward(inflection_half);
    auto english = load_english(files[DataFile::english_fst], files[DataFile::english_bin], checks);
    if (!english) return forward(english);
    auto analyser = analysis::Analyser{};
    if (const Bytes transducer = files[DataFile::mor_vfst]; !transducer.empty()) {
        auto opened = analysis::Analyser::open(transducer, checks_of(checks, DataFile::mor_vfst));
        if (!opened) return forward(opened, "parsing mor.vfst");
        analyser = std::move(*opened);
    }
    auto ranks = format::HeadwordRanks{};
    if (const Bytes ranks_bin = files[DataFile::headword_ranks_bin]; !ranks_bin.empty()) {
        auto parsed = format::HeadwordRanks::parse(ranks_bin, checks_of(checks, DataFile::headword_ranks_bin));
        if (!parsed) return forward(parsed, "parsing headword-ranks.bin");
        if (parsed->size() != gloss_half->glosses.len()) return fail("headword-ranks.bin does not match glosses.fst");
        ranks = std::move(*parsed);
    }
    if (auto verified = verify_files(files, *checksums); !verified) return forward(verified);
    return Dictionary{
        std::move(gloss_half->gloss_store),    std::move(gloss_half->glosses),         std::move(inflection_half->multi),
        std::move(inflection_half->headwords), std::move(inflection_half->inflections), std::move(*english),
        std::move(analyser),                   std::move(ranks),                       checks,
    };
}

std::uint64_t next_dictionary_serial() {
    static std::atomic<std::uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

std::optional<std::uint32_t> base_id(const Dictionary& dictionary, std::string_view headword) {
    thread_local RecentAnswers<std::optional<std::uint32_t>, 512> recent;
    if (const auto* kept = recent.find(dictionary.serial, headword)) return *kept;
    const DamageWatch watch;
    const auto& headwords = dictionary.headwords;
    const auto found = std::lower_bound(headwords.begin(), headwords.end(), headword);
    std::optional<std::uint32_t> id;
    if (found != headwords.end() && *found == headword) id = static_cast<std::uint32_t>(found - headwords.begin());
    if (!watch.met()) recent.keep(dictionary.serial, headword, id);
    return id;
}

bool has_english(const Dictionary& dictionary) { return dictionary.english.has_value(); }

bool is_english(const Dictionary& dictionary, std::string_view phrase) {
    return dictionary.english && dictionary.english->words.get(phrase).has_value();
}

std::optional<format::GlossRecord> Dictionary::gloss_record(std::string_view headword) const {
    const auto offset = glosses.get(headword);
    if (!offset) return std::nullopt;
    const auto rest = gloss_store.bytes_from(*offset);
    if (!rest) return std::nullopt;
    auto record = format::parse_gloss_record(*rest, gloss_store.pos_names());
    if (!record) {
        // The record of a key of an intact data set always decodes.
        note_damaged_read();
        return std::nullopt;
    }
    return std::move(*record);
}

}  // namespace lomperi::morphology
