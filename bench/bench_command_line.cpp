// The command line: glossing a 40,000-word text after loading (budget:
// 200,000 words/s), and the whole run of `lomperi talo` from exec to exit
// beside the interactive start-up from exec to the first frame in a
// pseudo-terminal (budget: the first within 1.5 x the second).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench_support.hpp"
#include "core/cli/commands.hpp"

namespace {

using namespace lomperi;

// 40,000 words drawn from the 1,000 most frequent forms, with the
// capitals and punctuation of running text.
std::string frequent_text() {
    std::vector<std::string> words;
    std::ifstream in(LOMPERI_TOP_FORMS);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && !line.starts_with('#')) words.push_back(line);
    }
    std::mt19937 random(42);
    std::string text;
    bool sentence_start = true;
    for (int k = 0; k < 40'000; ++k) {
        std::string word = words[std::uniform_int_distribution<std::size_t>(0, words.size() - 1)(random)];
        if (sentence_start && word[0] >= 'a' && word[0] <= 'z') word[0] = static_cast<char>(word[0] - 'a' + 'A');
        sentence_start = random() % 12 == 0;
        text += word;
        text += sentence_start ? ". " : (random() % 9 == 0 ? ", " : " ");
    }
    return text;
}

void BM_GlossText(benchmark::State& state) {
    const auto& dictionary = bench::embedded_dictionary();
    const std::string text = frequent_text();
    std::size_t words = 0;
    for (auto _ : state) {
        std::string out;
        bool all_found = true;
        if (!cli::gloss_text(dictionary, text, out, all_found)) state.SkipWithError("gloss failed");
        words += 40'000;
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["words_per_s"] = benchmark::Counter(static_cast<double>(words), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_GlossText)->Unit(benchmark::kMillisecond)->UseRealTime();

double elapsed_ms(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

void BM_LookUpFromExecToExit(benchmark::State& state) {
    std::vector<double> samples;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            execl(LOMPERI_PROGRAM, LOMPERI_PROGRAM, "talo", static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        samples.push_back(elapsed_ms(start) * 1000.0);
    }
    bench::report_percentiles(state, samples);
}
BENCHMARK(BM_LookUpFromExecToExit)->Iterations(40)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_InteractiveFromExecToFirstFrame(benchmark::State& state) {
    std::vector<double> samples;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        int master = -1;
        winsize size{};
        size.ws_col = 120;
        size.ws_row = 40;
        const pid_t pid = forkpty(&master, nullptr, nullptr, &size);
        if (pid == 0) {
            execl(LOMPERI_PROGRAM, LOMPERI_PROGRAM, static_cast<char*>(nullptr));
            _exit(127);
        }
        std::string out;
        // The first frame ends with the cursor hidden.
        while (out.find("\x1b[?25l") == std::string::npos) {
            pollfd fd{master, POLLIN, 0};
            if (poll(&fd, 1, 5000) <= 0) break;
            char chunk[65536];
            const ssize_t n = read(master, chunk, sizeof chunk);
            if (n <= 0) break;
            out.append(chunk, static_cast<std::size_t>(n));
        }
        samples.push_back(elapsed_ms(start) * 1000.0);
        kill(pid, SIGTERM);
        int status = 0;
        waitpid(pid, &status, 0);
        close(master);
    }
    bench::report_percentiles(state, samples);
}
BENCHMARK(BM_InteractiveFromExecToFirstFrame)->Iterations(40)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
