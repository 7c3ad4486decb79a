#include "core/analysis/generator.hpp"

#include <algorithm>
#include <set>
#include <utility>

namespace lomperi::analysis {
namespace {

// Where a path's output stands: in the tags before the base form, in the
// base form's letters, in a derived word's derivations, or past them, where
// the form is free.
enum class Phase : std::uint8_t { Tags, BaseForm, Derivation, Free };

struct PathState {
    Phase phase = Phase::Tags;
    std::size_t base_read = 0;  // bytes of the lemma written
    std::size_t derivation_read = 0;  // bytes of the derivation written
    bool tag_past_base = false;
    bool letter_after_tag = false;
    std::uint8_t negation_tags = 0;
    bool after_clitic = false;  // the last thing written was a clitic's tag, whose [E.] follows
    // A derivation is followed only to a participle: one before its tag
    // (puhu-ma-ton), one after it (puhu-v-a).
    bool participle = false;
    bool derivation_before = false;
    bool derivation_after = false;
    bool nominative_only = false;  // a participle or a noun of action: its basic form is enough
};

class GenerationWalk {
public:
    GenerationWalk(const format::Vfst& vfst, std::string_view lemma, const GenerationRules& rules)
        : vfst_(vfst), lemma_(lemma), rules_(rules), features_(vfst.feature_count(), format::VfstFlag::kNeutral) {}

    Generation run() {
        walk(0, PathState{}, 0);
        std::set<std::pair<std::string_view, std::string_view>> seen;
        Generation out;
        out.cut_short = cut_short_;
        for (auto& found : found_) {
            if (seen.emplace(found.form, found.analysis).second) out.forms.push_back(found);
        }
        return out;
    }

private:
    bool stopped() const { return cut_short_; }

    void walk(std::uint32_t state, const PathState& path, std::size_t depth) {
        const std::uint32_t count = vfst_.transition_count(state);
        for (std::uint32_t k = 0; k < count && !stopped(); ++k) {
            const format::VfstTransition t = vfst_.transition(state, k);
            if (t.input == format::Vfst::kFinal) {
                if (path.phase == Phase::Free) emit();
                continue;
            }
            if (t.input >= vfst_.symbol_count() || t.output >= vfst_.symbol_count()) continue;
            PathState next = path;
            const std::string_view written = vfst_.is_silent(t.output) ? std::string_view{} : vfst_.symbol(t.output);
            if (!written.empty() && !follows(written, next)) continue;
            if (++steps_ > rules_.max_steps || depth + 1 > rules_.max_depth) {
                cut_short_ = true;
                return;
            }
            std::uint16_t old_value = 0;
            const bool flag = vfst_.is_flag(t.input);
            if (flag) {
                const format::VfstFlag& f = vfst_.flag(t.input);
                if (f.feature >= features_.size()) continue;
                old_value = features_[f.feature];
                if (!format::apply_flag(f, features_.data())) {
                    features_[f.feature] = old_value;
                    continue;
                }
            }
            const std::size_t input_size = input_.size();
            const std::size_t output_size = output_.size();
            if (!vfst_.is_silent(t.input)) input_ += vfst_.symbol(t.input);
            output_ += written;
            walk(t.target, next, depth + 1);
            input_.resize(input_size);
            output_.resize(output_size);
            if (flag) features_[vfst_.flag(t.input).feature] = old_value;
        }
    }

    // Whether a path may write `symbol` next, and what it then is.
    bool follows(std::string_view symbol, PathState& path) const {
        const bool tag = symbol.starts_with('[');
        switch (path.phase) {
            case Phase::Tags:
                if (!tag) return false;
                if (symbol == "[Xp]") {
                    path.phase = Phase::BaseForm;
                    return true;
                }
                return output_.empty() && !rules_.class_tag.empty() ? symbol == rules_.class_tag
                                                                    : !symbol.starts_with("[X") && !symbol.starts_with("[B");
            case Phase::BaseForm:
                if (path.base_read == lemma_.size()) {
                    if (symbol != "[X]") return false;
                    path.phase = rules_.derivation.empty() ? Phase::Free : Phase::Derivation;
                    return true;
                }
                if (tag || !lemma_.substr(path.base_read).starts_with(symbol)) return false;
                path.base_read += symbol.size();
                return true;
            case Phase::Derivation: return follows_derivation(symbol, path);
            case Phase::Free: return follows_free(symbol, tag, path);
        }
        return false;
    }

    bool follows_derivation(std::string_view symbol, PathState& path) const {
        if (!std::string_view(rules_.derivation).substr(path.derivation_read).starts_with(symbol)) return false;
        path.derivation_read += symbol.size();
        if (path.derivation_read == rules_.derivation.size()) path.phase = Phase::Free;
        return true;
    }

    bool follows_free(std::string_view symbol, bool tag, PathState& path) const {
        const bool after_clitic = std::exchange(path.after_clitic, false);
        if (!tag) {
            path.letter_after_tag = path.letter_after_tag || path.tag_past_base;
            return true;
        }
        path.tag_past_base = true;
        if (rules_.tag_allowed && !rules_.tag_allowed(symbol)) return false;
        if (after_clitic && symbol.starts_with("[E")) return true;
        if (symbol.starts_with("[B") || symbol.starts_with("[D") || symbol == "[Xp]") return false;
        if (symbol.starts_with("[O")) return rules_.possessives && suffix_allowed();
        if (symbol.starts_with("[F")) {
            path.after_clitic = true;
            return rules_.tagged_clitics && suffix_allowed();
        }
        // A connegative tag once, before the ending: after the ending's
        // letters it marks an untagged clitic (talo[Sn][Ny]han[Ef]).
        if (symbol.starts_with("[E")) return !path.letter_after_tag && path.negation_tags++ == 0;
        if (symbol == "[Xj]") {
            bool& taken = path.participle ? path.derivation_after : path.derivation_before;
            if (taken) return false;
            taken = true;
            return true;
        }
        if (symbol.starts_with("[R")) {
            path.participle = true;
            path.nominative_only = true;
            return true;
        }
        // Until its participle tag, a derivation writes nothing else.
        if (path.derivation_before && !path.participle && symbol != "[X]") return false;
        if (symbol == "[Tn4]") path.nominative_only = true;
        if (symbol.starts_with("[S") && path.nominative_only) return symbol == "[Sn]";
        return true;
    }

    bool suffix_allowed() const { return !rules_.suffix_after || rules_.suffix_after(output_); }

    void emit() {
        if (found_.size() >= rules_.max_forms) {
            cut_short_ = true;
            return;
        }
        found_.push_back({input_, output_});
    }

    const format::Vfst& vfst_;
    std::string_view lemma_;
    const GenerationRules& rules_;
    std::vector<std::uint16_t> features_;
    std::string input_;
    std::string output_;
    std::vector<GeneratedForm> found_;
    std::uint32_t steps_ = 0;
    bool cut_short_ = false;
};

}  // namespace

Generation generate_forms(const Analyser& analyser, std::string_view lemma, const GenerationRules& rules) {
    const format::Vfst* vfst = analyser.intact_transducer();
    if (vfst == nullptr || lemma.empty()) return {};
    return GenerationWalk(*vfst, lemma, rules).run();
}

}  // namespace lomperi::analysis
