#pragma once
// Shared by the benchmark programs: the embedded dictionary, loaded once, and
// percentiles of individually timed calls (averages hide the slow tail that a
// user feels on a keystroke).
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "core/morphology/dictionary.hpp"
#include "embedded/embedded_data.hpp"

namespace lomperi::bench {

inline morphology::Dictionary load_embedded_dictionary() {
    auto loaded = morphology::load_dictionary(embedded::data_files());
    if (!loaded) {
        std::fprintf(stderr, "loading the embedded data: %s\n", loaded.error().report().c_str());
        std::exit(1);
    }
    return std::move(*loaded);
}

inline const morphology::Dictionary& embedded_dictionary() {
    static const morphology::Dictionary dict = load_embedded_dictionary();
    return dict;
}

#ifdef LOMPERI_TOP_FORMS
// The 1,000 most frequent Finnish forms, most frequent first; without the
// ones the list marks "foreign" (English names of subtitles) when asked.
inline std::vector<std::string> top_forms(bool foreign = true) {
    std::vector<std::string> out;
    std::ifstream in(LOMPERI_TOP_FORMS);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line.starts_with('#')) continue;
        if (!foreign && line.ends_with("\tforeign")) continue;
        out.push_back(line.substr(0, line.find('\t')));
    }
    return out;
}
#endif

inline double percentile_us(std::vector<double>& samples, double p) {
    if (samples.empty()) return 0;
    const auto at = static_cast<std::size_t>(p * static_cast<double>(samples.size() - 1) + 0.5);
    std::nth_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(at), samples.end());
    return samples[at];
}

inline void report_percentiles(benchmark::State& state, std::vector<double>& samples) {
    if (samples.empty()) return;
    state.counters["calls"] = static_cast<double>(samples.size());
    state.counters["p50_us"] = percentile_us(samples, 0.50);
    state.counters["p99_us"] = percentile_us(samples, 0.99);
    state.counters["max_us"] = *std::max_element(samples.begin(), samples.end());
}

template <class F>
double timed_us(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
}

// Thread CPU time: on a busy machine wall time mostly measures the scheduler.
inline double thread_cpu_us() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

struct Samples {
    std::vector<double> wall;
    std::vector<double> cpu;

    template <class F>
    void time(F&& f) {
        const double cpu_start = thread_cpu_us();
        wall.push_back(timed_us(f));
        cpu.push_back(thread_cpu_us() - cpu_start);
    }

    void report(benchmark::State& state) {
        report_percentiles(state, wall);
        if (cpu.empty()) return;
        state.counters["cpu_p50_us"] = percentile_us(cpu, 0.50);
        state.counters["cpu_p99_us"] = percentile_us(cpu, 0.99);
        state.counters["cpu_max_us"] = *std::max_element(cpu.begin(), cpu.end());
    }
};

}  // namespace lomperi::bench
