#include "core/view/run.hpp"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <chrono>
#include <cstdio>
#include <new>
#include <span>
#include <string>
#include <vector>

#include "core/layout/layout_file.hpp"
#include "core/reading/text_source.hpp"
#include "core/view/apply_action.hpp"
#include "core/view/draw.hpp"
#include "core/view/entry_refresh.hpp"
#include "core/view/handle_event.hpp"
#include "term/crash_guard.hpp"
#include "term/output.hpp"
#include "term/raw_mode.hpp"
#include "term/renderer.hpp"
#include "term/terminal.hpp"

namespace lomperi::view {
namespace {

constexpr int kOutput = STDOUT_FILENO;

// Draws are followed by a hidden cursor; if teardown stops before the cursor
// is shown again, it is shown on the way out, once.
class CursorGuard {
public:
    explicit CursorGuard(term::Sink sink) : sink_(std::move(sink)) {}
    ~CursorGuard() {
        if (!hidden_) return;
        if (auto shown = term::show_cursor(sink_); !shown) {
            std::fputs(("Failed to show the cursor: " + shown.error().message() + "\n").c_str(), stderr);
        }
    }
    void hidden() { hidden_ = true; }
    void shown() { hidden_ = false; }

private:
    term::Sink sink_;
    bool hidden_ = false;
};

struct LoopEnd {
    std::optional<Error> error;
    int status = 0;
};

Result<void> draw_once(term::Terminal& terminal, term::Renderer& renderer, AppState& state, ViewCache& cache) {
    auto size = terminal.size();
    if (!size) return forward(size);
    draw_frame(renderer.next_frame(size->area()), state, cache);
    return renderer.present();
}

// What the loop owns of the terminal, to give it back while stopped.
struct Screen {
    term::Terminal& terminal;
    term::RawMode& raw;
    const term::Sink& sink;
    term::Renderer& renderer;
};

// Takes the terminal again after the program was continued, and has the
// next frame drawn whole.
Result<void> take_terminal(Screen& screen) {
    if (auto raw = screen.raw.resume(); !raw) return raw;
    if (auto entered = term::enter_interactive_screen(screen.sink); !entered) return entered;
    screen.renderer.invalidate();
    return {};
}

// Puts the terminal back as a shell expects it, stops as SIGTSTP's default
// action would, and takes the terminal again once continued.
Result<void> suspend(Screen& screen) {
    if (auto left = term::leave_interactive_screen(screen.sink); !left) return left;
    if (auto paused = screen.raw.pause(); !paused) return paused;
    struct sigaction stop {};
    struct sigaction previous {};
    stop.sa_handler = SIG_DFL;
    sigemptyset(&stop.sa_mask);
    ::sigaction(SIGTSTP, &stop, &previous);
    ::raise(SIGTSTP);
    ::sigaction(SIGTSTP, &previous, nullptr);
    return take_terminal(screen);
}

// The events waiting now, up to a bound, so that input that arrived together
// (a paste) is handled before the next frame.
Result<std::vector<term::Event>> waiting_events(term::Terminal& terminal, term::Event first) {
    constexpr std::size_t kMaxBatch = 1 << 16;
    std::vector<term::Event> events{std::move(first)};
    while (events.size() < kMaxBatch) {
        auto more = terminal.wait_event(std::chrono::milliseconds{0});
        if (!more) return forward(more);
        if (!*more) break;
        events.push_back(std::move(**more));
    }
    return events;
}

LoopEnd main_loop(Screen& screen, CursorGuard& cursor, AppState& state, ViewCache& cache) {
    bool redraw = true;
    // While no input waits, the gloss body is decompressed a frame at a time,
    // so that later look-ups find their records ready; a frame takes about a
    // tenth of a millisecond, which is all a key pressed meanwhile waits.
    bool warming = true;
    while (true) {
        // A long text opened or wrapped may have kept the signal's event waiting.
        if (term::pending_termination() != 0) return {};
        if (redraw) {
            cursor.hidden();
            if (auto drawn = draw_once(screen.terminal, screen.renderer, state, cache); !drawn) return {drawn.error()};
        }
        const bool idle_work = warming || state.suggestions_pending;
        auto event = idle_work ? screen.terminal.wait_event(std::chrono::milliseconds{0}) : screen.terminal.wait_event();
        if (!event) return {event.error()};
        redraw = false;
        if (!*event) {
            // Did you mean, once the frame of the query is drawn and no key waits.
            if (state.suggestions_pending) {
                redraw = find_suggestions(state);
                continue;
            }
            if (warming) warming = state.dictionary.gloss_store.decompress_next();
            continue;
        }
        auto events = waiting_events(screen.terminal, std::move(**event));
        if (!events) return {events.error()};
        for (std::size_t at = 0; at < events->size();) {
            const Handled handled = handle_events(state, cache, std::span(*events).subspan(at));
            at += handled.count;
            if (handled.answer == Answer::Quit) return {};
            redraw = redraw || handled.answer != Answer::NoRedraw;
            if (handled.answer == Answer::Suspend) {
                if (auto resumed = suspend(screen); !resumed) return {resumed.error()};
                continue;
            }
            if (at == events->size()) break;
            const term::Event& own = (*events)[at++];
            if (const auto* terminate = std::get_if<term::Terminate>(&own)) return {std::nullopt, 128 + terminate->signo};
            const auto resumed = std::holds_alternative<term::Suspend>(own) ? suspend(screen) : take_terminal(screen);
            if (!resumed) return {resumed.error()};
            redraw = true;
        }
    }
}

// Switches off what start-up switched on, in reverse order. The first failure
// ends the teardown and is its result. After a request to end, the terminal
// may have stopped reading: everything is then put back without waiting.
Result<void> teardown(term::RawMode& raw, const term::Sink& sink, CursorGuard& cursor) {
    if (term::pending_termination() != 0) {
        (void)raw.restore(term::RawMode::When::Now);
        term::write_without_waiting(kOutput, term::kLeaveSequence);
        cursor.shown();
        return {};
    }
    if (auto restored = raw.restore(); !restored) return restored;
    if (auto left = term::leave_interactive_screen(sink); !left) return left;
    cursor.shown();
    return {};
}

// A loop cut short by a signal that asked the program to end ends as that
// signal says, whatever write or wait it interrupted.
LoopEnd ended_by_signal(LoopEnd end) {
    if (const int signo = term::pending_termination(); signo != 0) return {std::nullopt, 128 + signo};
    return end;
}

LoopEnd run_screen(term::Terminal& terminal, term::RawMode& raw, const term::Sink& sink, CursorGuard& cursor,
                   morphology::Dictionary dictionary, layout::LayoutConfig layout,
                   std::optional<action::OpenReading> text) {
    if (auto entered = term::enter_interactive_screen(sink); !entered) return {entered.error()};
    AppState state(std::move(dictionary), layout);
    // The text as read is let go once the pane holds its own safe copy.
    if (text) {
        apply_action(state, Action(std::move(*text)));
        text.reset();
    }
    ViewCache cache;
    term::Renderer renderer(sink);
    Screen screen{terminal, raw, sink, renderer};
    // An allocation that fails inside the loop ends it as an error, so that
    // the terminal is restored on the way out.
    try {
        return main_loop(screen, cursor, state, cache);
    } catch (const std::bad_alloc&) {
        return {Error("out of memory")};
    }
}

// The signal handlers come first and the layout file is read before raw mode,
// so that nothing from here on can end the program with the terminal raw.
Result<void> check_terminals(int input) {
    constexpr std::string_view kHint = "\n(lomperi WORD looks a word up without one)";
    if (!::isatty(input)) return fail(std::string("standard input is not a terminal") + std::string(kHint));
    if (!::isatty(kOutput)) return fail(std::string("standard output is not a terminal") + std::string(kHint));
    return {};
}

Result<int> run_interactive(morphology::Dictionary dictionary, int input,
                            std::optional<action::OpenReading> text = std::nullopt) {
    if (auto terminals = check_terminals(input); !terminals) return forward(terminals);
    auto terminal = term::Terminal::open(input, kOutput);
    if (!terminal) return forward(terminal);
    const layout::LayoutConfig layout = layout::load_layout();
    if (const int signo = term::pending_termination(); signo != 0) return 128 + signo;
    auto raw = term::RawMode::enable(input);
    if (!raw) return forward(raw);
    const term::CrashGuard crash_guard(input, raw->saved(), kOutput);
    const term::Sink sink = term::fd_sink(kOutput);
    CursorGuard cursor(sink);
    const LoopEnd end = ended_by_signal(run_screen(*terminal, *raw, sink, cursor, std::move(dictionary), layout, std::move(text)));
    if (auto torn_down = teardown(*raw, sink, cursor); !torn_down) return forward(torn_down);
    if (end.error) return std::unexpected(*end.error);
    return end.status;
}

}  // namespace

Result<int> run(const morphology::DataFiles& files) {
    auto dictionary = morphology::load_dictionary(files);
    if (!dictionary) return forward(dictionary);
    // A closed terminal must come back as a write error, not kill the process.
    signal(SIGPIPE, SIG_IGN);
    return run_interactive(std::move(*dictionary), STDIN_FILENO);
}

Result<int> run_reading(const morphology::DataFiles& files, const std::string& file) {
    auto text = reading::read_text(file);
    if (!text) return forward(text);
    // With the text on standard input, the keys come from the terminal, as a pager's do.
    int input = STDIN_FILENO;
    if (file == "-") {
        input = ::open("/dev/tty", O_RDWR | O_CLOEXEC);
        if (input < 0) return fail(std::string("no terminal to read the keys from: /dev/tty: ") + std::strerror(errno));
    }
    auto dictionary = morphology::load_dictionary(files);
    if (!dictionary) return forward(dictionary);
    signal(SIGPIPE, SIG_IGN);
    return run_interactive(std::move(*dictionary), input,
                           action::OpenReading{reading::text_title(file), std::move(*text), false});
}

}  // namespace lomperi::view
