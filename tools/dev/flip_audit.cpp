// Flips random bytes of the embedded data set, one file and one byte at a
// time, and counts what a load and every read of the damaged table then
// give: refused at start-up, all as before, some absent, or some other word.
// tools/dev/flip-audit builds and runs it.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "core/morphology/dictionary.hpp"
#include "core/morphology/inflection_lookup.hpp"
#include "embedded/embedded_data.hpp"

namespace {

using namespace lomperi;
using morphology::DataFile;
using morphology::Dictionary;

enum class Outcome { Refused, Same, Absent, Other };

// Every read the table serves, compared with the intact dictionary's.
Outcome compare(DataFile file, const Dictionary& damaged, const Dictionary& intact) {
    bool absent = false;
    const auto judge = [&](bool same, bool empty) {
        if (same) return true;
        if (empty) {
            absent = true;
            return true;
        }
        return false;
    };
    switch (file) {
        case DataFile::headwords_bin:
            for (std::size_t id = 0; id < intact.headwords.size(); ++id) {
                const auto got = damaged.headwords.at(id);
                if (!judge(got == intact.headwords.at(id), !got)) return Outcome::Other;
            }
            break;
        case DataFile::inflections_multi_bin:
        case DataFile::inflections_multi_offsets_bin:
            for (std::uint32_t k = 0; k < intact.multi.size(); ++k) {
                const auto got = damaged.multi.base_ids(k);
                if (!judge(got && *got == *intact.multi.base_ids(k), !got)) return Outcome::Other;
            }
            break;
        case DataFile::english_bin: {
            auto stream = intact.english->words.stream();
            while (auto entry = stream.next()) {
                const auto got = damaged.english->postings.at(entry->value);
                if (!judge(got == intact.english->postings.at(entry->value), !got)) return Outcome::Other;
            }
            break;
        }
        case DataFile::glosses_bin: {
            auto stream = intact.glosses.stream();
            while (auto entry = stream.next()) {
                const std::string headword(as_text(entry->key));
                const auto got = damaged.gloss_record(headword);
                if (!judge(got == intact.gloss_record(headword), !got)) return Outcome::Other;
            }
            break;
        }
        default: break;
    }
    return absent ? Outcome::Absent : Outcome::Same;
}

}  // namespace

int main(int argc, char** argv) {
    const int flips = argc > 1 ? std::atoi(argv[1]) : 1000;
    const auto files = embedded::data_files();
    const auto intact = morphology::load_dictionary(files);
    if (!intact) return 1;
    std::mt19937_64 random(2026);
    std::printf("| file | flips | refused at start-up | all as before | some absent | another word |\n|---|---|---|---|---|---|\n");
    for (const DataFile file : {DataFile::headwords_bin, DataFile::inflections_multi_offsets_bin, DataFile::inflections_multi_bin,
                                DataFile::english_bin, DataFile::glosses_bin}) {
        const Bytes original = files[file];
        if (original.empty()) continue;
        std::vector<std::uint8_t> copy(original.begin(), original.end());
        int counts[4] = {};
        for (int flip = 0; flip < flips; ++flip) {
            const std::size_t at = std::uniform_int_distribution<std::size_t>(0, copy.size() - 1)(random);
            const auto mask = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(1, 255)(random));
            copy[at] ^= mask;
            auto damaged_files = files;
            damaged_files[file] = copy;
            const auto damaged = morphology::load_dictionary(damaged_files);
            const Outcome outcome = damaged ? compare(file, *damaged, *intact) : Outcome::Refused;
            ++counts[static_cast<int>(outcome)];
            copy[at] ^= mask;
        }
        std::printf("| %s | %d | %d | %d | %d | %d |\n", std::string(morphology::file_name(file)).c_str(), flips, counts[0],
                    counts[1], counts[2], counts[3]);
        std::fflush(stdout);
    }
    return 0;
}
