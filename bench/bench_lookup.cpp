// Lookup costs over the embedded data set, as percentiles of individually
// timed calls (the averages Google Benchmark reports hide the slow tail).
// Budgets: both searches of one keystroke together under 200 us at p99;
// expanding and wrapping one entry under 2 ms at p99.
#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "bench_support.hpp"
#include "core/expand/entry_lines.hpp"
#include "core/expand/entry_view.hpp"
#include "core/morphology/dictionary.hpp"
#include "core/morphology/headword_search.hpp"
#include "core/morphology/inflection_lookup.hpp"

namespace {

using namespace lomperi;

constexpr std::uint16_t kPaneWidth = 60;
constexpr std::size_t kEntryCount = 1000;

const morphology::Dictionary& dictionary() { return bench::embedded_dictionary(); }

// The first n characters of text, or nothing when it is shorter.
std::optional<std::string> char_prefix(std::string_view text, std::size_t n) {
    std::size_t at = 0;
    for (std::size_t k = 0; k < n; ++k) {
        if (at >= text.size()) return std::nullopt;
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
    }
    return std::string(text.substr(0, at));
}

// Every query of one to three characters that begins some headword.
const std::vector<std::string>& short_queries() {
    static const std::vector<std::string> queries = [] {
        std::set<std::string> unique;
        for (const std::string_view headword : dictionary().headwords) {
            for (std::size_t n = 1; n <= 3; ++n) {
                if (auto prefix = char_prefix(headword, n)) unique.insert(*prefix);
            }
        }
        return std::vector<std::string>(unique.begin(), unique.end());
    }();
    return queries;
}

std::size_t meaning_bytes(const format::GlossRecord& record) {
    std::size_t total = 0;
    for (const auto& group : record.groups) {
        for (const auto& meaning : group.meanings) total += meaning.size();
    }
    return total;
}

struct Entry {
    std::string headword;
    format::GlossRecord record;
};

// The entries with the most meaning text.
const std::vector<Entry>& largest_entries() {
    static const std::vector<Entry> entries = [] {
        std::vector<std::pair<std::size_t, std::string>> sizes;
        for (const std::string_view headword : dictionary().headwords) {
            if (auto record = dictionary().gloss_record(headword)) sizes.emplace_back(meaning_bytes(*record), headword);
        }
        const std::size_t n = std::min(kEntryCount, sizes.size());
        std::partial_sort(sizes.begin(), sizes.begin() + static_cast<std::ptrdiff_t>(n), sizes.end(),
                          [](const auto& a, const auto& b) { return a.first > b.first; });
        std::vector<Entry> out;
        for (std::size_t k = 0; k < n; ++k) out.push_back({sizes[k].second, *dictionary().gloss_record(sizes[k].second)});
        return out;
    }();
    return entries;
}

template <class F>
void each_query(benchmark::State& state, F&& search) {
    const auto& queries = short_queries();
    bench::Samples samples;
    for (auto _ : state) {
        for (const std::string& query : queries) samples.time([&] { search(query); });
    }
    samples.report(state);
}

void BM_BothSearches(benchmark::State& state) {
    each_query(state, [](const std::string& query) {
        benchmark::DoNotOptimize(morphology::search_headwords(dictionary().glosses, query, morphology::kListLimit));
        benchmark::DoNotOptimize(morphology::inflection_candidates(dictionary(), query));
    });
}

void BM_SearchHeadwords(benchmark::State& state) {
    each_query(state, [](const std::string& query) {
        benchmark::DoNotOptimize(morphology::search_headwords(dictionary().glosses, query, morphology::kListLimit));
    });
}

void BM_InflectionCandidates(benchmark::State& state) {
    each_query(state, [](const std::string& query) {
        benchmark::DoNotOptimize(morphology::inflection_candidates(dictionary(), query));
    });
}

void BM_ExpandAndWrapEntry(benchmark::State& state) {
    const auto& entries = largest_entries();
    bench::Samples samples;
    for (auto _ : state) {
        for (const Entry& entry : entries) {
            samples.time([&] {
                const expand::EntryView view = expand::build_entry_view(dictionary(), entry.headword, entry.record);
                benchmark::DoNotOptimize(
                    expand::entry_lines(entry.headword, entry.record, view.lines, view.links, expand::EntryLook::Shown, kPaneWidth));
            });
        }
    }
    samples.report(state);
}

void BM_WrapEntryOnly(benchmark::State& state) {
    const auto& entries = largest_entries();
    std::vector<expand::EntryView> views;
    for (const Entry& entry : entries) views.push_back(expand::build_entry_view(dictionary(), entry.headword, entry.record));
    bench::Samples samples;
    for (auto _ : state) {
        for (std::size_t k = 0; k < entries.size(); ++k) {
            samples.time([&] {
                benchmark::DoNotOptimize(expand::entry_lines(entries[k].headword, entries[k].record, views[k].lines,
                                                             views[k].links, expand::EntryLook::Shown, kPaneWidth));
            });
        }
    }
    samples.report(state);
}

}  // namespace

BENCHMARK(BM_BothSearches)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchHeadwords)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InflectionCandidates)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpandAndWrapEntry)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WrapEntryOnly)->Iterations(3)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
