// The reading pane on a text of 100,000 words: opening it to the first frame,
// and a key that moves the current word to the frame written. The text is the
// file named by LOMPERI_BENCH_TEXT, else frequent Finnish words drawn by
// their rank (Zipf) in sentences, lines and paragraphs.
// Budgets: a move under 1 ms at p99; opening under 100 ms; the pane's memory
// under twice the text's size.
// Word lists of 300,000 and 1,000,000 lines (a word a line, no spaces):
// opening to the first frame and a narrower pane's rewrap grow with the list,
// not with its square; budget 1 ms per 10,000 lines for either.
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "bench_support.hpp"
#include "core/view/apply_action.hpp"
#include "core/view/draw.hpp"
#include "core/view/handle_event.hpp"
#include "term/decoder.hpp"
#include "term/renderer.hpp"

namespace {

using namespace lomperi;

constexpr term::Rect kScreen{0, 0, 200, 60};
constexpr std::size_t kWords = 100'000;

const std::string& bench_text() {
    static const std::string text = [] {
        if (const char* path = std::getenv("LOMPERI_BENCH_TEXT")) {
            std::ifstream in(path);
            std::stringstream all;
            all << in.rdbuf();
            return all.str();
        }
        const auto words = bench::top_forms();
        std::vector<double> weights;
        for (std::size_t rank = 1; rank <= words.size(); ++rank) weights.push_back(1.0 / static_cast<double>(rank));
        std::mt19937 random(2628);
        std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
        std::string out;
        for (std::size_t k = 1; k <= kWords; ++k) {
            out += words[pick(random)];
            out += k % 100 == 0 ? ".\n\n" : k % 14 == 0 ? "\n" : k % 12 == 0 ? ". " : " ";
        }
        return out;
    }();
    return text;
}

struct Screen {
    std::string output;
    term::Renderer renderer{term::string_sink(output), [] { return false; }};
    void frame(view::AppState& state, view::ViewCache& cache, term::Rect area = kScreen) {
        view::draw_frame(renderer.next_frame(area), state, cache);
        output.clear();
        (void)renderer.present();
    }
};

void BM_OpenTextToFirstFrame(benchmark::State& bench_state) {
    view::AppState state(bench::load_embedded_dictionary());
    view::ViewCache cache;
    Screen screen;
    bench::Samples samples;
    for (auto _ : bench_state) {
        samples.time([&] {
            view::apply_action(state, view::action::OpenReading{"text", bench_text(), false});
            screen.frame(state, cache);
        });
    }
    samples.report(bench_state);
    const auto& reading = *state.reading();
    const double bytes = static_cast<double>(reading.text.text().capacity() +
                                             reading.text.index_bytes() +
                                             reading.layout.lines().capacity() * sizeof(reading::DisplayLine) +
                                             reading.reach.bytes());
    bench_state.counters["words"] = static_cast<double>(reading.text.word_count());
    bench_state.counters["memory_per_text_byte"] = bytes / static_cast<double>(bench_text().size());
}

// Right through the text, with a line down now and then.
void BM_MoveWordByWord(benchmark::State& bench_state) {
    view::AppState state(bench::load_embedded_dictionary());
    while (state.dictionary.gloss_store.decompress_next()) {
    }
    view::ViewCache cache;
    Screen screen;
    term::Decoder decoder;
    view::apply_action(state, view::action::OpenReading{"text", bench_text(), false});
    screen.frame(state, cache);
    bench::Samples samples;
    std::size_t moves = 0;
    for (auto _ : bench_state) {
        for (int k = 0; k < 1000; ++k) {
            const std::string_view key = ++moves % 20 == 0 ? "\x1b[B" : "\x1b[C";
            samples.time([&] {
                for (const auto& event : decoder.feed(key)) view::handle_event(state, cache, event);
                screen.frame(state, cache);
            });
        }
    }
    samples.report(bench_state);
}

std::string word_list(std::int64_t lines) {
    std::string list;
    for (std::int64_t k = 1; k <= lines; ++k) list += "sana" + std::to_string(k) + "\n";
    return list;
}

void BM_OpenWordList(benchmark::State& bench_state) {
    const std::string list = word_list(bench_state.range(0));
    view::AppState state(bench::load_embedded_dictionary());
    view::ViewCache cache;
    Screen screen;
    bench::Samples samples;
    for (auto _ : bench_state) {
        samples.time([&] {
            view::apply_action(state, view::action::OpenReading{"list", list, false});
            screen.frame(state, cache);
        });
    }
    samples.report(bench_state);
    bench_state.counters["lines"] = static_cast<double>(state.reading()->layout.line_count());
}

// A frame after the screen turned narrower and back: the list wrapped again.
void BM_RewrapWordList(benchmark::State& bench_state) {
    const std::string list = word_list(bench_state.range(0));
    view::AppState state(bench::load_embedded_dictionary());
    view::ViewCache cache;
    Screen screen;
    view::apply_action(state, view::action::OpenReading{"list", list, false});
    screen.frame(state, cache);
    bench::Samples samples;
    bool narrow = false;
    for (auto _ : bench_state) {
        narrow = !narrow;
        samples.time([&] { screen.frame(state, cache, narrow ? term::Rect{0, 0, 90, 60} : kScreen); });
    }
    samples.report(bench_state);
}

}  // namespace

BENCHMARK(BM_OpenWordList)->Arg(300'000)->Arg(1'000'000)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RewrapWordList)->Arg(300'000)->Arg(1'000'000)->Iterations(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenTextToFirstFrame)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveWordByWord)->Iterations(5)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
