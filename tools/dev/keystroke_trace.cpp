// One typed letter, from the terminal read to the frame written, in a build
// with coverage counters: the counters are reset after start-up and the
// first frame, and dumped after the letter's frame, so that they count the
// keystroke alone. tools/dev/keystroke-files builds and runs it so; the test
// suite builds and runs it without counters, so that it keeps working.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "core/view/app_state.hpp"
#include "core/view/apply_action.hpp"
#include "core/view/draw.hpp"
#include "core/view/handle_event.hpp"
#include "core/view/view_cache.hpp"
#include "embedded/embedded_data.hpp"
#include "term/renderer.hpp"
#include "term/terminal.hpp"

// Only a build with coverage counters has them (tools/dev/keystroke-files
// defines LOMPERI_COVERAGE).
#ifdef LOMPERI_COVERAGE
extern "C" void __gcov_reset();
extern "C" void __gcov_dump();
void reset_counters() { __gcov_reset(); }
void dump_counters() { __gcov_dump(); }
#else
void reset_counters() {}
void dump_counters() {}
#endif

int main() {
    using namespace lomperi;
    auto dictionary = morphology::load_dictionary(embedded::data_files());
    if (!dictionary) return 1;
    int keys[2];
    if (::pipe(keys) != 0) return 1;
    auto terminal = term::Terminal::open(keys[0], STDOUT_FILENO);
    if (!terminal) return 1;
    view::AppState state(std::move(*dictionary));
    view::ViewCache cache;
    std::string output;
    term::Renderer renderer(term::string_sink(output), [] { return false; });
    constexpr term::Rect kScreen{0, 0, 100, 30};
    view::apply_action(state, view::action::SetQuery{"tal"});
    view::draw_frame(renderer.next_frame(kScreen), state, cache);
    (void)renderer.present();

    reset_counters();
    (void)::write(keys[1], "o", 1);
    auto event = terminal->wait_event(std::chrono::milliseconds{100});
    if (!event || !*event) return 1;
    view::handle_event(state, cache, **event);
    view::draw_frame(renderer.next_frame(kScreen), state, cache);
    (void)renderer.present();
    dump_counters();
    std::printf("%zu bytes written for the frame\n", output.size());
    return 0;
}
