// The cost of one frame of the main screen at 200 x 60 over the embedded data
// set: composing it into a buffer and diffing it into a string, once with the
// entry lines rebuilt (as after every action) and once with them cached (as
// on a redraw that changed nothing in the entry).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "core/expand/entry_view.hpp"
#include "core/morphology/dictionary.hpp"
#include "core/morphology/headword_search.hpp"
#include "core/morphology/inflection_lookup.hpp"
#include "core/view/draw.hpp"
#include "embedded/embedded_data.hpp"
#include "term/renderer.hpp"

namespace {

using namespace lomperi;

constexpr term::Rect kScreen{0, 0, 200, 60};

std::string query() {
    const char* text = std::getenv("LOMPERI_BENCH_QUERY");
    return text && *text ? text : "talo";
}

// The state after typing the query: both lists full, the first match shown.
std::unique_ptr<view::AppState> typed_state() {
    auto loaded = morphology::load_dictionary(embedded::data_files());
    if (!loaded) {
        std::fprintf(stderr, "loading the embedded data: %s\n", loaded.error().report().c_str());
        std::exit(1);
    }
    auto state = std::make_unique<view::AppState>(std::move(*loaded));
    state->query = query();
    view::DictionaryScreen& lists = *state->dictionary_screen();
    lists.matches = morphology::search_headwords(state->dictionary.glosses, state->query, morphology::kListLimit);
    lists.candidates = morphology::inflection_candidates(state->dictionary, state->query);
    if (lists.matches.empty()) {
        std::fprintf(stderr, "no headword begins with %s\n", state->query.c_str());
        std::exit(1);
    }
    const std::string& headword = lists.matches.front().headword;
    state->shown = expand::build_entry(state->dictionary, headword, state->dictionary.gloss_record(headword));
    return state;
}

view::AppState& shared_state() {
    static const std::unique_ptr<view::AppState> state = typed_state();
    return *state;
}

// Frames alternate between two selected rows so that every diff has
// something to write; `rebuild` forces the entry lines to be wrapped again.
void run_frames(benchmark::State& bench, bool rebuild, bool full_repaint) {
    view::AppState& state = shared_state();
    view::ViewCache cache;
    std::string out;
    term::Renderer renderer(term::string_sink(out), [] { return false; });
    std::size_t bytes = 0;
    std::size_t frames = 0;
    for (auto _ : bench) {
        out.clear();
        if (rebuild) ++state.revision;
        if (full_repaint) renderer.invalidate();
        state.dictionary_screen()->selected[0] = frames % 2;
        view::draw_frame(renderer.next_frame(kScreen), state, cache);
        if (!renderer.present()) bench.SkipWithError("renderer failed");
        bytes += out.size();
        ++frames;
        benchmark::DoNotOptimize(out.data());
    }
    bench.counters["entry_lines"] = static_cast<double>(cache.wrapped_lines.size());
    bench.counters["bytes_per_frame"] = frames ? static_cast<double>(bytes) / static_cast<double>(frames) : 0.0;
}

void BM_FrameEntryRewrapped(benchmark::State& bench) { run_frames(bench, true, false); }
void BM_FrameEntryCached(benchmark::State& bench) { run_frames(bench, false, false); }
void BM_FrameFullRepaint(benchmark::State& bench) { run_frames(bench, true, true); }

}  // namespace

BENCHMARK(BM_FrameEntryRewrapped)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameEntryCached)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameFullRepaint)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
