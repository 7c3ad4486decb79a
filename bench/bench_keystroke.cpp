// Keystroke to frame written: decoding the key's bytes, applying the action
// (both searches and the entry expansion), drawing the screen and diffing it
// into terminal output, for words typed letter by letter on the embedded data.
// Budget: under 3 ms at p99.
#include <string>

#include "bench_support.hpp"
#include "core/view/draw.hpp"
#include "core/view/handle_event.hpp"
#include "core/view/apply_action.hpp"
#include "core/view/entry_refresh.hpp"
#include "term/decoder.hpp"
#include "term/renderer.hpp"

namespace {

using namespace lomperi;

// Plain words, then words that need the forgiving look-ups: a capital, a and o
// for ä and ö, compounds no list holds.
const std::vector<std::string> kWords = {"talossa", "kissat", "olemme", "hyvää", "suomen", "kirjoi", "puhuta", "lapset",
                                         "Luettele", "kavimme", "hyvaa", "tekijanoikeusehdot", "pakettiluettelon",
                                         "levytilaa", "Tyypillisesti"};

struct Screen {
    std::string output;
    term::Renderer renderer{term::string_sink(output), [] { return false; }};
};

constexpr term::Rect kScreen{0, 0, 200, 60};

void keystroke(view::AppState& state, view::ViewCache& cache, Screen& screen, term::Decoder& decoder,
               std::string_view bytes) {
    for (const auto& event : decoder.feed(bytes)) view::handle_event(state, cache, event);
    view::draw_frame(screen.renderer.next_frame(kScreen), state, cache);
    screen.output.clear();
    (void)screen.renderer.present();
}

// English words typed with the search direction switched (Ctrl+E).
const std::vector<std::string> kEnglishWords = {"house", "cat", "to be", "copyright", "computer", "praise", "window"};

// With `warmed`, the whole gloss body is decompressed first, as the
// interactive program does while it waits for the first keys; without, each
// frame is decompressed when a look-up first reads it.
void type_words(benchmark::State& bench_state, const std::vector<std::string>& words, bool english) {
    view::AppState state(bench::load_embedded_dictionary());
    if (bench_state.range(0) != 0) {
        while (state.dictionary.gloss_store.decompress_next()) {
        }
    }
    if (english) view::apply_action(state, view::action::ToggleDirection{});
    view::ViewCache cache;
    Screen screen;
    term::Decoder decoder;
    bench::Samples samples;
    for (auto _ : bench_state) {
        for (const std::string& word : words) {
            state.query.clear();
            view::on_query_changed(state);
            for (std::size_t i = 0; i < word.size();) {
                std::size_t length = 1;
                while (i + length < word.size() && (static_cast<unsigned char>(word[i + length]) & 0xC0) == 0x80) ++length;
                const std::string_view letter(word.data() + i, length);
                samples.time([&] { keystroke(state, cache, screen, decoder, letter); });
                i += length;
            }
        }
    }
    samples.report(bench_state);
}

// A paste of `range(0)` bytes of running text into the query, as the
// terminal delivers it: read in chunks, decoded, handled together and drawn
// once. Budget: 64 KiB well under a second.
void BM_PasteIntoTheQuery(benchmark::State& bench_state) {
    const std::string sentence = "Talossa on kolme huonetta ja suuri keittiö, jossa perhe syö yhdessä. ";
    std::string text;
    while (text.size() < static_cast<std::size_t>(bench_state.range(0))) text += sentence;
    text.resize(static_cast<std::size_t>(bench_state.range(0)));
    view::AppState state(bench::load_embedded_dictionary());
    view::ViewCache cache;
    Screen screen;
    for (auto _ : bench_state) {
        state.query.clear();
        view::on_query_changed(state);
        term::Decoder decoder;
        std::vector<term::Event> events;
        for (std::size_t at = 0; at < text.size(); at += 4096) {
            for (auto& event : decoder.feed(std::string_view(text).substr(at, 4096))) events.push_back(std::move(event));
        }
        view::handle_events(state, cache, events);
        view::draw_frame(screen.renderer.next_frame(kScreen), state, cache);
        screen.output.clear();
        (void)screen.renderer.present();
    }
}

void BM_TypeWordLetterByLetter(benchmark::State& bench_state) { type_words(bench_state, kWords, false); }
void BM_TypeEnglishWordLetterByLetter(benchmark::State& bench_state) { type_words(bench_state, kEnglishWords, true); }

}  // namespace

BENCHMARK(BM_TypeWordLetterByLetter)->ArgName("warmed")->Arg(0)->Arg(1)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteIntoTheQuery)->Arg(1 << 10)->Arg(1 << 12)->Arg(1 << 14)->Arg(1 << 16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeEnglishWordLetterByLetter)->ArgName("warmed")->Arg(0)->Arg(1)->Iterations(20)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
