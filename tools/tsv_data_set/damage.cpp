#include "damage.hpp"

#include <fmt/format.h>

#include <functional>
#include <utility>

#include "format/checksum_table.hpp"
#include "format/gloss.hpp"
#include "format/gloss_writer.hpp"

namespace lomperi::tsv_data_set {
namespace {

using Bytes8 = std::vector<std::uint8_t>;

// The plain-size field sits right after the name table.
Result<void> declare_one_more_plain_byte(morphology::DataSet& data) {
    const auto header = format::parse_gloss_header(data[morphology::DataFile::glosses_bin]);
    if (!header) return forward(header);
    const std::vector<std::string> names(header->pos_names.begin(), header->pos_names.end());
    const Bytes8 compressed(header->compressed.begin(), header->compressed.end());
    auto bytes = format::assemble_glosses_bin(names, header->plain_size + 1, compressed);
    if (!bytes) return forward(bytes);
    data[morphology::DataFile::glosses_bin] = std::move(*bytes);
    return {};
}

// Every optional file left out: glosses.fst, glosses.bin, inflections.fst
// and inflections-multi.bin only.
Result<void> keep_only_required_files(morphology::DataSet& data) {
    for (const auto& info : morphology::kDataFileTable) {
        if (!info.required) data[info.file].clear();
    }
    return {};
}

constexpr unsigned kRunTimeChunkShift = 6;

// The byte in the middle of a file flipped, after its checksums were taken.
Result<void> flip_middle_byte(morphology::DataSet& data, morphology::DataFile file) {
    auto& bytes = data[file];
    if (bytes.size() < 3 << kRunTimeChunkShift) return fail(fmt::format("{} is too small to damage in its middle", morphology::file_name(file)));
    bytes[bytes.size() / 2] ^= 0xFF;
    return {};
}

const std::vector<std::pair<std::string_view, std::function<Result<void>(morphology::DataSet&)>>>& kinds() {
    static const std::vector<std::pair<std::string_view, std::function<Result<void>(morphology::DataSet&)>>> table = {
        {"bad-gloss-magic", [](morphology::DataSet& d) { d[morphology::DataFile::glosses_bin].at(3) = 'X'; return Result<void>{}; }},
        {"bad-gloss-version", [](morphology::DataSet& d) { d[morphology::DataFile::glosses_bin].at(4) = 2; return Result<void>{}; }},
        {"truncated-glosses-bin", [](morphology::DataSet& d) { d[morphology::DataFile::glosses_bin].pop_back(); return Result<void>{}; }},
        {"plain-size-mismatch", declare_one_more_plain_byte},
        {"bad-glosses-fst", [](morphology::DataSet& d) { d[morphology::DataFile::glosses_fst].resize(20); return Result<void>{}; }},
        {"bad-inflections-fst", [](morphology::DataSet& d) { d[morphology::DataFile::inflections_fst].resize(20); return Result<void>{}; }},
        {"bad-multi-magic", [](morphology::DataSet& d) { d[morphology::DataFile::inflections_multi_bin].at(0) = 'X'; return Result<void>{}; }},
        // An analyser whose header is not a transducer's.
        {"bad-analyser", [](morphology::DataSet& d) { d[morphology::DataFile::mor_vfst] = Bytes8(64, 'X'); return Result<void>{}; }},
        // Found only when read, after start-up.
        {"damaged-glosses-fst", [](morphology::DataSet& d) { return flip_middle_byte(d, morphology::DataFile::glosses_fst); }},
        {"damaged-glosses-bin", [](morphology::DataSet& d) { return flip_middle_byte(d, morphology::DataFile::glosses_bin); }},
        {"only-required-files", keep_only_required_files},
    };
    return table;
}

bool found_at_run_time(std::string_view kind) { return kind.starts_with("damaged-"); }

}  // namespace

std::vector<std::string_view> damage_kinds() {
    std::vector<std::string_view> names;
    for (const auto& [name, apply] : kinds()) names.push_back(name);
    return names;
}

unsigned chunk_shift_for(std::string_view kind) {
    return found_at_run_time(kind) ? kRunTimeChunkShift : format::kDefaultChunkShift;
}

Result<void> apply_damage(morphology::DataSet& data, std::string_view kind) {
    for (const auto& [name, apply] : kinds()) {
        if (name == kind) return apply(data);
    }
    return fail(fmt::format("unknown damage {:?}", kind));
}

}  // namespace lomperi::tsv_data_set
