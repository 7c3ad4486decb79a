#include "core/morphology/analyser.hpp"

#include <optional>

#include "base/text.hpp"
#include "base/utf8.hpp"

namespace lomperi::morphology {
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

// One depth-first walk over the paths that read the word, as voikko's reader
// walks them: at each state its transitions in order, taking those that read
// the next letter and those that read nothing (epsilon, or a flag diacritic
// the path's feature values allow), backtracking undoes what a flag set.
class Walk {
public:
    Walk(const format::Vfst& vfst, std::vector<std::uint16_t> input)
        : vfst_(vfst), input_(std::move(input)), features_(vfst.feature_count(), format::VfstFlag::kNeutral) {
        frames_.push_back({0, 0, vfst.transition_count(0), 0});
    }

    // The next path's output; nothing when there is none, or a bound was reached.
    std::optional<std::string> next() {
        // Steps down and up are counted; the transitions looked at in a state are not.
        for (std::uint32_t steps = 0; steps < kMaxStepsPerAnalysis;) {
            if (frames_.empty()) return std::nullopt;
            Frame& frame = frames_.back();
            if (frame.next == frame.count) {
                back_up();
                ++steps;
                continue;
            }
            const format::VfstTransition t = vfst_.transition(frame.state, frame.next++);
            if (t.input == format::Vfst::kFinal) {
                if (read_ == input_.size()) return output();
                continue;
            }
            if (!takes(t)) continue;
            if (frames_.size() + 1 >= kMaxPathDepth) return std::nullopt;
            descend(t);
            ++steps;
        }
        return std::nullopt;
    }

private:
    struct Frame {
        std::uint32_t state;
        std::uint32_t next;
        std::uint32_t count;
        std::uint16_t output;  // what the transition into this state wrote
    };
    struct Undo {
        std::size_t depth;
        std::uint16_t feature;
        std::uint16_t value;
    };

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
        if (!vfst_.is_silent(t.input)) ++read_;
        const std::uint16_t output = vfst_.is_silent(t.output) ? 0 : t.output;
        frames_.push_back({t.target, 0, vfst_.transition_count(t.target), output});
    }

    void back_up() {
        const std::size_t depth = frames_.size() - 1;
        if (depth == 0) {
            frames_.clear();
            return;
        }
        frames_.pop_back();
        Frame& parent = frames_.back();
        const format::VfstTransition taken = vfst_.transition(parent.state, parent.next - 1);
        if (!vfst_.is_silent(taken.input)) --read_;
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

    const format::Vfst& vfst_;
    std::vector<std::uint16_t> input_;
    std::vector<std::uint16_t> features_;
    std::vector<Frame> frames_;
    std::vector<Undo> undo_;
    std::size_t read_ = 0;
};

}  // namespace

Result<Analyser> Analyser::open(Bytes file, ChunkChecks checks) {
    auto vfst = format::Vfst::parse(file);
    if (!vfst) return forward(vfst);
    Analyser analyser;
    analyser.vfst_ = std::move(*vfst);
    analyser.checks_ = std::move(checks);
    return analyser;
}

bool Analyser::intact() const { return checks_.intact(vfst_.cells()); }

std::vector<std::string> Analyser::raw_analyses(std::string_view word) const {
    std::vector<std::string> out;
    if (!available() || word.empty() || code_point_count(word) > kMaxAnalysedChars || !intact()) return out;
    auto input = input_symbols(vfst_, lower_case(word));
    if (!input) return out;
    Walk walk(vfst_, std::move(*input));
    while (out.size() < kMaxRawAnalyses) {
        auto next = walk.next();
        if (!next) break;
        out.push_back(std::move(*next));
    }
    return out;
}

}  // namespace lomperi::morphology
