#include "core/analysis/analyser.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "base/text.hpp"
#include "base/utf8.hpp"

namespace lomperi::analysis {
namespace {

// The input symbols of a word; nothing when one of its characters is unknown.
std::optional<std::vector<std::uint16_t>> input_symbols(const format::Vfst& vfst, std::string_view word) {
    std::vector<std::uint16_t> symbols;
    while (!word.empty()) {
        const Utf8Step step = decode_utf8(word);
        if (step.status != Utf8Step::Ok) return std::nullopt;
        const auto symbol = vfst.input_symbol(step.code_point);
        if (!symbol) return std::nullopt;
        symbols.push_back(*symbol);
        word.remove_prefix(step.length);
    }
    return symbols;
}

// Where the first character the transducer has no symbol for is, in letters.
std::size_t first_unknown_letter(const format::Vfst& vfst, std::string_view word) {
    std::size_t letters = 0;
    for (const CodePoint& ch : code_points(word)) {
        if (!ch.valid() || !vfst.input_symbol(ch.value)) return letters;
        ++letters;
    }
    return letters;
}

// Whether the cells of a state are intact: its first cell and the next
// (which holds a count past 254) before its count is read, then all of them.
// A walk that reads them counts damage; a look ahead does not.
enum class Counted : bool { No, Yes };
bool cells_intact(const format::Vfst& vfst, const ChunkChecks& checks, std::uint32_t state, Counted counted) {
    constexpr std::uint64_t kCell = 8;
    const Bytes cells = vfst.cells();
    const std::uint64_t first = std::uint64_t{state} * kCell;
    if (first >= cells.size()) return true;
    const auto intact = [&](std::uint64_t length) {
        const Bytes range = cells.subspan(first, std::min(length, cells.size() - first));
        return counted == Counted::Yes ? checks.intact(range) : checks.intact_uncounted(range);
    };
    if (!intact(2 * kCell)) return false;
    const bool overflow = cells[first + kCell - 1] == 255;
    return intact((vfst.transition_count(state) + (overflow ? 1 : 0)) * kCell);
}

// A transducer as one walk reads it: with `checks`, the cells of each state
// are checked before they are read. `number` tells it from the others.
struct Transducer {
    const format::Vfst& vfst;
    const ChunkChecks* checks;
    std::uint64_t number;
};

// What a state can read before reading anything else (through transitions
// that read nothing, flags not counted), and whether it can end there. The
// letters of Finnish text have a bit each; any other letter is taken to be
// readable, which only ever spares less work.
struct ReachMask {
    static constexpr std::uint32_t kFinal = std::uint32_t{1} << 30;
    static constexpr std::uint32_t kLetters = kFinal - 1;
    std::uint32_t bits = 0;

    bool final() const { return (bits & kFinal) != 0; }
    static ReachMask all() { return {kFinal | kLetters}; }
};

// Bits of the letters a reach mask tells apart; kNoBit for the others.
class LetterBits {
public:
    static constexpr std::uint8_t kNoBit = 0xFF;

    explicit LetterBits(const format::Vfst& vfst) : bits_(vfst.symbol_count(), kNoBit) {
        static constexpr std::u32string_view kLetters = U"aeitnsloukämrvjhypdögbfc-wzxqåšžé0123456789.:'/";
        std::uint8_t next = 0;
        for (const char32_t ch : kLetters) {
            const auto symbol = vfst.input_symbol(ch);
            if (symbol && *symbol < bits_.size() && bits_[*symbol] == kNoBit && next < 30) bits_[*symbol] = next++;
        }
    }
    std::uint32_t mask_of(std::uint16_t symbol) const {
        const std::uint8_t bit = symbol < bits_.size() ? bits_[symbol] : kNoBit;
        return bit == kNoBit ? ReachMask::kLetters : std::uint32_t{1} << bit;
    }

private:
    std::vector<std::uint8_t> bits_;
};

// The masks are found as they are needed and kept for the thread's later
// words, one per cell of the transducer (a state is its first cell), so that
// states near each other in the file share the cache's lines; for one
// transducer at a time: its number, not its address, which a later one may
// take. A state on a cycle of silent transitions, or too deep, can read
// anything.
class ReachCache {
public:
    // With `checks`, a state whose cells are damaged can read anything: the
    // walk itself then meets the damage.
    bool leads_to(const Transducer& transducer, std::uint32_t state, std::uint16_t letter) {
        return (of(transducer, state).bits & letters_->mask_of(letter)) != 0;
    }
    bool can_end(const Transducer& transducer, std::uint32_t state) { return of(transducer, state).final(); }

private:
    static constexpr std::size_t kMaxDepth = 256;
    static constexpr std::uint32_t kKnown = std::uint32_t{1} << 31;

    struct Free {
        void operator()(std::uint32_t* masks) const { std::free(masks); }
    };

    ReachMask of(const Transducer& transducer, std::uint32_t state) {
        if (number_ != transducer.number) {
            number_ = transducer.number;
            letters_.emplace(transducer.vfst);
            cells_ = transducer.vfst.cell_count();
            // Zeroed pages are mapped as they are first touched: only the
            // states a thread's words reach cost memory.
            masks_.reset(static_cast<std::uint32_t*>(std::calloc(std::max<std::size_t>(cells_, 1), sizeof(std::uint32_t))));
        }
        // Without room for the masks nothing is left out; a state past the
        // cells has no transitions.
        if (!masks_) return ReachMask::all();
        if (state >= cells_) return {};
        if (const std::uint32_t known = masks_[state]; known != 0) return {known & ~kKnown};
        return compute(transducer.vfst, transducer.checks, state, 0);
    }

    ReachMask compute(const format::Vfst& vfst, const ChunkChecks* checks, std::uint32_t state, std::size_t depth) {
        if (state >= cells_) return {};
        if (const std::uint32_t known = masks_[state]; known != 0) return {known & ~kKnown};
        // Marked readable-by-all first, so that a cycle ends here.
        masks_[state] = kKnown | ReachMask::all().bits;
        if (depth > kMaxDepth) return ReachMask::all();
        if (checks != nullptr && !cells_intact(vfst, *checks, state, Counted::No)) return ReachMask::all();
        ReachMask mask;
        const std::uint32_t count = vfst.transition_count(state);
        for (std::uint32_t k = 0; k < count; ++k) {
            const format::VfstTransition t = vfst.transition(state, k);
            if (t.input == format::Vfst::kFinal) {
                mask.bits |= ReachMask::kFinal;
            } else if (!vfst.is_silent(t.input)) {
                mask.bits |= letters_->mask_of(t.input);
            } else {
                mask.bits |= compute(vfst, checks, t.target, depth + 1).bits;
            }
        }
        masks_[state] = kKnown | mask.bits;
        return mask;
    }

    std::uint64_t number_ = 0;
    std::optional<LetterBits> letters_;
    std::unique_ptr<std::uint32_t[], Free> masks_;
    std::size_t cells_ = 0;
};

ReachCache& reach_cache() {
    thread_local ReachCache cache;
    return cache;
}

// One depth-first walk over the paths that read the word, as voikko's reader
// walks them: at each state its transitions in order, taking those that read
// the next letter and those that read nothing (epsilon, or a flag diacritic
// the path's feature values allow), backtracking undoes what a flag set.
class Walk {
public:
    // The walk ends at the first damaged cells it meets.
    Walk(const Transducer& transducer, std::vector<std::uint16_t> input)
        : transducer_(transducer),
          vfst_(transducer.vfst),
          checks_(transducer.checks),
          input_(std::move(input)),
          features_(transducer.vfst.feature_count(), format::VfstFlag::kNeutral) {
        frames_.reserve(64);
        undo_.reserve(64);
        push(0, 0, false);
    }

    bool met_damage() const { return met_damage_; }
    // The most letters a path has read, and whether a bound cut the walk short.
    std::size_t most_read() const { return most_read_; }
    bool cut_short() const { return cut_short_; }

    // The next path's output; nothing when there is none, or a bound was reached.
    std::optional<std::string> next() {
        // Steps down and up are counted; the transitions looked at in a state are not.
        for (std::uint32_t steps = 0; steps < kMaxStepsPerAnalysis;) {
            if (frames_.empty()) return std::nullopt;
            Frame& frame = frames_.back();
            if (frame.next == frame.silent_end) frame.next = frame.letters_begin;
            if (frame.next == frame.letters_end) frame.next = frame.finals_begin;
            if (frame.next >= frame.count) {
                back_up();
                ++steps;
                continue;
            }
            const format::VfstTransition t = vfst_.transition(frame.state, frame.next++);
            if (t.input == format::Vfst::kFinal) {
                if (read_ == input_.size()) return output();
                continue;
            }
            if (!leads_on(t) || !takes(t)) continue;
            if (frames_.size() + 1 >= kMaxPathDepth) {
                cut_short_ = true;
                return std::nullopt;
            }
            descend(t);
            ++steps;
        }
        cut_short_ = true;
        return std::nullopt;
    }

private:
    // A state's transitions are sorted by input: those that read nothing,
    // then the letters, then the final marker. Only the letters equal to the
    // next one are looked at; the order of what is taken stays that of a
    // walk over all of them.
    struct Frame {
        std::uint32_t state;
        std::uint32_t count;
        std::uint32_t next;
        std::uint32_t silent_end;     // [0, silent_end): epsilon and flags
        std::uint32_t letters_begin;  // [letters_begin, letters_end): the next letter's
        std::uint32_t letters_end;
        std::uint32_t finals_begin;   // [finals_begin, count): the final marker
        std::uint16_t output;         // what the transition into this state wrote
        bool read;                    // whether that transition read a letter
    };
    struct Undo {
        std::size_t depth;
        std::uint16_t feature;
        std::uint16_t value;
    };
    // A state with more transitions than this is searched, not walked through.
    static constexpr std::uint32_t kLinearScan = 8;

    // The first transition of the state in [from, to) whose input is at least `symbol`.
    std::uint32_t first_at_least(std::uint32_t state, std::uint32_t from, std::uint32_t to, std::uint32_t symbol) const {
        while (from < to) {
            const std::uint32_t middle = from + (to - from) / 2;
            if (vfst_.transition(state, middle).input < symbol) {
                from = middle + 1;
            } else {
                to = middle;
            }
        }
        return from;
    }

    void push(std::uint32_t state, std::uint16_t output, bool read) {
        if (checks_ != nullptr && !cells_intact(vfst_, *checks_, state, Counted::Yes)) {
            met_damage_ = true;
            frames_.clear();
            return;
        }
        const std::uint32_t count = vfst_.transition_count(state);
        if (count <= kLinearScan) {
            frames_.push_back({state, count, 0, count, count, count, count, output, read});
            return;
        }
        const std::uint32_t silent_end = first_at_least(state, 0, count, vfst_.first_letter());
        const std::uint32_t finals_begin = first_at_least(state, silent_end, count, format::Vfst::kFinal);
        std::uint32_t letters_begin = finals_begin;
        std::uint32_t letters_end = finals_begin;
        if (read_ < input_.size() && silent_end < finals_begin) {
            const std::uint16_t letter = input_[read_];
            letters_begin = first_at_least(state, silent_end, finals_begin, letter);
            letters_end = first_at_least(state, letters_begin, finals_begin, letter + 1u);
        }
        frames_.push_back({state, count, 0, silent_end, letters_begin, letters_end, finals_begin, output, read});
    }


    // Whether the transition's target can read what comes after it: the next
    // letter, or, at the word's end, the final marker (flags not counted, so
    // no path that reads the word is left out).
    bool leads_on(const format::VfstTransition& t) const {
        const std::size_t after = read_ + (vfst_.is_silent(t.input) ? 0 : 1);
        if (!vfst_.is_silent(t.input) && (read_ >= input_.size() || input_[read_] != t.input)) return false;
        ReachCache& reach = reach_cache();
        return after < input_.size() ? reach.leads_to(transducer_, t.target, input_[after])
                                     : reach.can_end(transducer_, t.target);
    }

    bool takes(const format::VfstTransition& t) {
        if (!vfst_.is_silent(t.input)) return read_ < input_.size() && input_[read_] == t.input;
        if (t.input == 0) return true;
        const format::VfstFlag& flag = vfst_.flag(t.input);
        if (flag.feature >= features_.size()) return false;
        const std::uint16_t old = features_[flag.feature];
        if (!format::apply_flag(flag, features_.data())) return false;
        undo_.push_back({frames_.size(), flag.feature, old});
        return true;
    }

    void descend(const format::VfstTransition& t) {
        const bool reads = !vfst_.is_silent(t.input);
        if (reads) most_read_ = std::max(most_read_, ++read_);
        push(t.target, vfst_.is_silent(t.output) ? 0 : t.output, reads);
    }

    void back_up() {
        const std::size_t depth = frames_.size() - 1;
        if (depth == 0) {
            frames_.clear();
            return;
        }
        if (frames_.back().read) --read_;
        frames_.pop_back();
        while (!undo_.empty() && undo_.back().depth == depth) {
            features_[undo_.back().feature] = undo_.back().value;
            undo_.pop_back();
        }
    }

    std::string output() const {
        std::string out;
        for (std::size_t k = 1; k < frames_.size(); ++k) {
            if (frames_[k].output != 0) out += vfst_.symbol(frames_[k].output);
        }
        return out;
    }

    const Transducer& transducer_;
    const format::Vfst& vfst_;
    const ChunkChecks* checks_;
    bool met_damage_ = false;
    std::vector<std::uint16_t> input_;
    std::vector<std::uint16_t> features_;
    std::vector<Frame> frames_;
    std::vector<Undo> undo_;
    std::size_t read_ = 0;
    std::size_t most_read_ = 0;
    bool cut_short_ = false;
};

// A walk over the whole word, kept: what it found and how far it read.
struct KeptWalk {
    std::uint64_t transducer = 0;
    std::string word;  // lower-cased, as walked
    std::vector<std::string> analyses;
    std::size_t most_read = 0;
    bool cut_short = false;
};

// The walks of the words analysed last on this thread: a word is often
// analysed again at once (as written and in lower case, which walk the same
// letters), and the letters that decide a word has no analysis are those its
// walk read. Only walks of an intact transducer are kept, so that every look-up
// over damaged cells meets the damage itself.
class RecentWalks {
public:
    const KeptWalk* find(std::uint64_t transducer, std::string_view word) const {
        for (const KeptWalk& walk : walks_) {
            if (walk.transducer == transducer && walk.word == word) return &walk;
        }
        return nullptr;
    }
    const KeptWalk& keep(KeptWalk walk) {
        KeptWalk& kept = walks_[next_];
        kept = std::move(walk);
        next_ = (next_ + 1) % walks_.size();
        return kept;
    }

private:
    std::array<KeptWalk, 8> walks_;
    std::size_t next_ = 0;
};

RecentWalks& recent_walks() {
    thread_local RecentWalks walks;
    return walks;
}

// The walk over the whole word: its outputs (at most kMaxRawAnalyses; none
// when it met damage) and how far it read.
KeptWalk walk_word(const Transducer& transducer, std::string lower, std::vector<std::uint16_t> input) {
    Walk walk(transducer, std::move(input));
    KeptWalk walked{transducer.number, std::move(lower), {}, 0, false};
    while (walked.analyses.size() < kMaxRawAnalyses) {
        auto next = walk.next();
        if (!next) break;
        walked.analyses.push_back(std::move(*next));
    }
    if (walk.met_damage()) walked.analyses.clear();
    walked.most_read = walk.most_read();
    walked.cut_short = walk.cut_short();
    return walked;
}

}  // namespace

Result<Analyser> Analyser::open(Bytes file, ChunkChecks checks) {
    auto vfst = format::Vfst::parse(file);
    if (!vfst) return forward(vfst);
    static std::atomic<std::uint64_t> opened{0};
    Analyser analyser;
    analyser.number_ = ++opened;
    analyser.symbols_ = file.first(static_cast<std::size_t>(vfst->cells().data() - file.data()));
    analyser.vfst_ = std::move(*vfst);
    analyser.checks_ = std::move(checks);
    return analyser;
}

std::uint8_t Analyser::state() const {
    const std::uint8_t known = state_->load(std::memory_order_relaxed);
    if (known != kUnchecked) return known;
    // Two threads may check at once; both reach the same answer.
    const std::uint8_t found = !checks_.intact(symbols_)     ? kSymbolsDamaged
                               : checks_.count_damaged() > 0 ? kCellsDamaged
                                                             : kIntact;
    state_->store(found, std::memory_order_relaxed);
    return found;
}

std::vector<std::string> Analyser::raw_analyses(std::string_view word) const {
    std::vector<std::string> out;
    if (!available() || word.empty() || code_point_count(word) > kMaxAnalysedChars) return out;
    const std::uint8_t known = state();
    // Every analysis was read through the symbols, which were read at start-up.
    if (known == kSymbolsDamaged) {
        note_damaged_read();
        return out;
    }
    std::string lower = lower_case(word);
    if (known == kIntact) {
        if (const KeptWalk* kept = recent_walks().find(number_, lower)) return kept->analyses;
    }
    auto input = input_symbols(vfst_, lower);
    if (!input) return out;
    const Transducer transducer{vfst_, known == kCellsDamaged ? &checks_ : nullptr, number_};
    KeptWalk walked = walk_word(transducer, std::move(lower), std::move(*input));
    if (known != kIntact) return std::move(walked.analyses);
    return recent_walks().keep(std::move(walked)).analyses;
}

const format::Vfst* Analyser::intact_transducer() const {
    return available() && state() == kIntact ? &vfst_ : nullptr;
}

std::size_t Analyser::deciding_letters(std::string_view word) const {
    const std::string lower = lower_case(word);
    const std::size_t letters = code_point_count(lower);
    if (!available() || word.empty() || letters > kMaxAnalysedChars || state() != kIntact) return letters;
    const KeptWalk* kept = recent_walks().find(number_, lower);
    if (!kept) {
        auto input = input_symbols(vfst_, lower);
        if (!input) return first_unknown_letter(vfst_, lower) + 1;
        kept = &recent_walks().keep(walk_word({vfst_, nullptr, number_}, lower, std::move(*input)));
    }
    if (!kept->analyses.empty() || kept->cut_short) return letters;
    // No path read letter most_read, or none that read it could go on to
    // the letter after it: that letter and the one after decide.
    return std::min(letters, kept->most_read + 2);
}

}  // namespace lomperi::analysis
