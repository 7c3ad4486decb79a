// Flips random bytes of the embedded data set, one file and one byte at a
// time, and compares what the program then answers with what it answers on
// the intact data set: the entry `lomperi WORD` shows for a sample of
// Finnish words (headwords, word forms, and the same without ä, ö and with
// a capital, which the forgiving look-ups read) and the Finnish words
// `--english` gives for a sample of English ones (and for the same less
// their last letter, which the prefix search answers).
// tools/dev/flip-audit builds and runs it.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "core/morphology/damage_report.hpp"
#include "core/morphology/dictionary.hpp"
#include "core/morphology/english_search.hpp"
#include "core/answer/entry_choice.hpp"
#include "core/morphology/headword_search.hpp"
#include "embedded/embedded_data.hpp"

namespace {

using namespace lomperi;
using morphology::DataFile;
using morphology::Dictionary;

// One answer: the headwords shown and their first meanings, in order.
struct Answer {
    std::vector<std::string> items;
    bool told = false;  // the look-up said it met damage
    bool operator==(const Answer& other) const { return items == other.items; }
};

struct Queries {
    std::vector<std::string> finnish;
    std::vector<std::string> english;
};

std::string without_marks(std::string word) {
    for (const auto& [from, to] : {std::pair<std::string_view, std::string_view>{"ä", "a"}, {"ö", "o"}}) {
        for (std::size_t at; (at = word.find(from)) != std::string::npos;) word.replace(at, from.size(), to);
    }
    return word;
}

std::string capitalised(const std::string& word) {
    if (word.empty() || word[0] < 'a' || word[0] > 'z') return word;
    return static_cast<char>(word[0] - 'a' + 'A') + word.substr(1);
}

// Every n-th key of a map, at most `count`.
std::vector<std::string> sample_keys(const word_map::WordMap& map, std::size_t count) {
    std::vector<std::string> out;
    const std::uint64_t step = std::max<std::uint64_t>(1, map.len() / count);
    std::uint64_t k = 0;
    auto stream = map.stream();
    while (auto entry = stream.next()) {
        if (k++ % step == 0 && out.size() < count) out.emplace_back(as_text(entry->key));
    }
    return out;
}

Queries make_queries(const Dictionary& dictionary, std::size_t count) {
    Queries queries;
    for (auto& word : sample_keys(dictionary.glosses, count)) queries.finnish.push_back(std::move(word));
    for (auto& word : sample_keys(dictionary.inflections, count)) queries.finnish.push_back(std::move(word));
    const std::size_t sampled = queries.finnish.size();
    for (std::size_t k = 0; k < sampled; k += 8) {
        const std::string& word = queries.finnish[k];
        if (std::string plain = without_marks(word); plain != word) queries.finnish.push_back(std::move(plain));
        if (std::string upper = capitalised(word); upper != word) queries.finnish.push_back(std::move(upper));
    }
    if (dictionary.english) {
        for (auto& word : sample_keys(dictionary.english->words, count / 2)) {
            if (word.size() > 3) queries.english.push_back(word.substr(0, word.size() - 1));
            queries.english.push_back(std::move(word));
        }
    }
    return queries;
}

Answer finnish_answer(const Dictionary& dictionary, const std::string& word) {
    Answer answer;
    const auto choice = lomperi::answer::choose_entry(dictionary, word);
    answer.told = choice.damaged;
    if (const auto& record = choice.record) {
        answer.items.push_back(*choice.headword);
        answer.items.push_back(format::first_meaning(*record).value_or(""));
    }
    return answer;
}

Answer english_answer(const Dictionary& dictionary, const std::string& word) {
    Answer answer;
    const DamageWatch watch;
    for (const auto& match : morphology::english_translations(dictionary, word, morphology::kListLimit)) {
        answer.items.push_back(match.headword);
        answer.items.push_back(match.meaning);
    }
    answer.told = watch.met();
    return answer;
}

enum Outcome { kRefused, kSame, kAbsentTold, kAbsentUntold, kOther, kOutcomes };

// A shorter list whose items all stand in the intact one, in its order, lacks some; any other is another answer.
bool lacks_some(const Answer& damaged, const Answer& intact) {
    std::size_t at = 0;
    for (const auto& item : damaged.items) {
        while (at < intact.items.size() && intact.items[at] != item) ++at;
        if (at == intact.items.size()) return false;
        ++at;
    }
    return true;
}

Outcome judge(const Answer& damaged, const Answer& intact) {
    if (damaged == intact) return kSame;
    if (!lacks_some(damaged, intact)) return kOther;
    return damaged.told ? kAbsentTold : kAbsentUntold;
}

struct Intact {
    std::vector<Answer> finnish;
    std::vector<Answer> english;
};

Intact answers_of(const Dictionary& dictionary, const Queries& queries) {
    Intact out;
    for (const auto& word : queries.finnish) out.finnish.push_back(finnish_answer(dictionary, word));
    for (const auto& word : queries.english) out.english.push_back(english_answer(dictionary, word));
    return out;
}

Outcome compare(const Dictionary& damaged, const Queries& queries, const Intact& intact, std::string& example,
                std::size_t& lost) {
    Outcome worst = kSame;
    const auto shown = [](const Answer& answer) {
        return answer.items.size() < 2 ? std::string("(nothing)") : answer.items[0] + " \"" + answer.items[1] + "\"";
    };
    const auto note = [&](const std::string& word, const Answer& got, const Answer& expected) {
        const Outcome outcome = judge(got, expected);
        if (outcome == kAbsentTold || outcome == kAbsentUntold) ++lost;
        if (outcome <= worst) return;
        worst = outcome;
        example = word + ": " + shown(expected) + " -> " + shown(got);
    };
    for (std::size_t k = 0; k < queries.finnish.size(); ++k) {
        note(queries.finnish[k], finnish_answer(damaged, queries.finnish[k]), intact.finnish[k]);
    }
    if (damaged.english) {
        for (std::size_t k = 0; k < queries.english.size(); ++k) {
            note("--english " + queries.english[k], english_answer(damaged, queries.english[k]), intact.english[k]);
        }
    }
    return worst;
}

}  // namespace

int main(int argc, char** argv) {
    const int flips = argc > 1 ? std::atoi(argv[1]) : 100;
    const std::size_t sample = argc > 2 ? static_cast<std::size_t>(std::atoi(argv[2])) : 1500;
    const std::string_view only = argc > 3 ? argv[3] : "";
    const auto files = embedded::data_files();
    const auto intact = morphology::load_dictionary(files);
    if (!intact) return 1;
    const Queries queries = make_queries(*intact, sample);
    const Intact answers = answers_of(*intact, queries);
    std::fprintf(stderr, "%zu Finnish and %zu English look-ups per flip\n", queries.finnish.size(), queries.english.size());
    std::mt19937_64 random(2026);
    std::printf("| file | flips | refused at start-up | all as before | some absent, told | some absent, untold | another word's | "
                "answers lost per flip | --version names the file |\n|---|---|---|---|---|---|---|---|---|\n");
    for (const auto& info : morphology::kDataFileTable) {
        const DataFile file = info.file;
        const Bytes original = files[file];
        if (original.empty() || (!only.empty() && info.name != only)) continue;
        std::vector<std::uint8_t> copy(original.begin(), original.end());
        int counts[kOutcomes] = {};
        int named = 0;
        std::size_t lost = 0;
        std::vector<std::string> examples;
        for (int flip = 0; flip < flips; ++flip) {
            const std::size_t at = std::uniform_int_distribution<std::size_t>(0, copy.size() - 1)(random);
            const auto mask = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(1, 255)(random));
            copy[at] ^= mask;
            auto damaged_files = files;
            damaged_files[file] = copy;
            const auto damaged = morphology::load_dictionary(damaged_files);
            std::string example;
            const Outcome outcome = damaged ? compare(*damaged, queries, answers, example, lost) : kRefused;
            if (damaged && std::ranges::any_of(morphology::check_every_chunk(*damaged),
                                               [&](const morphology::DamagedFile& found) { return found.file == file; })) {
                ++named;
            }
            ++counts[outcome];
            if (outcome == kOther && examples.size() < 3) examples.push_back(example);
            copy[at] ^= mask;
        }
        std::printf("| %s | %d | %d | %d | %d | %d | %d | %.1f | %d |\n", std::string(info.name).c_str(), flips, counts[kRefused],
                    counts[kSame], counts[kAbsentTold], counts[kAbsentUntold], counts[kOther],
                    static_cast<double>(lost) / flips, named);
        for (const auto& example : examples) std::fprintf(stderr, "  %s: %s\n", std::string(info.name).c_str(), example.c_str());
        std::fflush(stdout);
    }
    return 0;
}
