// Saving a word to a words.tsv of 100 MB (half a million cards): a new word,
// and the same word of the same sentence again, which is found already there.
// The file is written under $TMPDIR and removed afterwards.
// Budget: a save under 1 ms of CPU time at p50 and under 10 ms at most (the
// first ones fault their buffer in), whatever the size of the file.
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/file_descriptor.hpp"
#include "bench_support.hpp"
#include "core/reading/review_entry.hpp"
#include "core/reading/word_list.hpp"

namespace {

using namespace lomperi;
namespace fs = std::filesystem;

constexpr std::size_t kFileBytes = std::size_t{100} << 20;

class LargeWordList {
public:
    LargeWordList() : dir_(fs::temp_directory_path() / ("lomperi-bench-words-" + std::to_string(::getpid()))) {
        fs::create_directories(dir_);
        std::ofstream out(path(), std::ios::binary);
        std::string chunk;
        for (std::size_t written = 0, k = 0; written < kFileBytes; ++k) {
            chunk = reading::review_line({"taloissa", "talo", "inessive plural", "house, home",
                                          "Vanhoissa taloissa asui paljon ihmisiä, lause " + std::to_string(k) + "."});
            out << chunk;
            written += chunk.size();
        }
        out.close();
        // On disk, as a file of earlier days is: not being written back while a save is timed.
        const FileDescriptor fd(::open(path().c_str(), O_RDONLY | O_CLOEXEC));
        ::fsync(fd.get());
    }
    ~LargeWordList() { fs::remove_all(dir_); }
    fs::path path() const { return dir_ / "words.tsv"; }

private:
    fs::path dir_;
};

std::string new_line(std::size_t k) {
    return reading::review_line(
        {"kissa", "kissa", "basic form", "cat", "\"Kissa\" nukkui ikkunalla, kerta " + std::to_string(k) + "."});
}

void BM_SaveNewWord(benchmark::State& state) {
    const LargeWordList list;
    bench::Samples samples;
    std::size_t added = 0;
    std::size_t k = 0;
    for (auto _ : state) {
        for (int n = 0; n < 20; ++n) {
            const std::string line = new_line(k++);
            samples.time([&] { added += reading::save_review_line(list.path(), line) == reading::Saved::Added; });
        }
    }
    samples.report(state);
    state.counters["added"] = static_cast<double>(added);
}

void BM_SaveWordAgain(benchmark::State& state) {
    const LargeWordList list;
    bench::Samples samples;
    std::size_t already = 0;
    std::size_t k = 0;
    for (auto _ : state) {
        for (int n = 0; n < 20; ++n) {
            const std::string line = new_line(k++);
            (void)reading::save_review_line(list.path(), line);
            samples.time([&] {
                already += reading::save_review_line(list.path(), line) == reading::Saved::AlreadyThere;
            });
        }
    }
    samples.report(state);
    state.counters["already_there"] = static_cast<double>(already);
}

}  // namespace

BENCHMARK(BM_SaveNewWord)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveWordAgain)->Iterations(5)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
