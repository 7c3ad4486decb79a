// The reference word-map workload (get, prefix100, stream over one map file)
// run against this project's reader, with the arguments and the standard
// output lines of the reference benchmark, so that both can be compared as a
// ratio in one session:
//
//   bench_fstbench MAP.fst [get|prefix100|stream|all]... [-n N] [--seed S] [--reps R]
//   bench_fstbench --write-synthetic OUT.fst COUNT    a map of COUNT made-up words
#include <fmt/format.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file.hpp"
#include "core/word_map/builder.hpp"
#include "core/word_map/word_map.hpp"

namespace {

using lomperi::Bytes;
using lomperi::word_map::WordMap;

constexpr std::uint64_t kH0 = 0xcbf29ce484222325ull;
constexpr std::size_t kPrefixLimit = 100;

std::uint64_t mix(std::uint64_t h, std::uint64_t x) { return (h ^ x) * 0x100000001b3ull; }

struct SplitMix64 {
    std::uint64_t state;
    std::uint64_t next() {
        state += 0x9e3779b97f4a7c15ull;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
};

// Byte strings end to end in one buffer.
struct Packed {
    std::vector<std::uint8_t> data;
    std::vector<std::size_t> ends;

    void push(Bytes s) {
        data.insert(data.end(), s.begin(), s.end());
        ends.push_back(data.size());
    }
    std::size_t size() const { return ends.size(); }
    Bytes at(std::size_t i) const {
        const std::size_t start = i == 0 ? 0 : ends[i - 1];
        return Bytes(data.data() + start, ends[i] - start);
    }
    std::uint64_t fingerprint() const {
        std::uint64_t h = kH0;
        for (std::size_t i = 0; i < size(); ++i) {
            h = mix(h, at(i).size());
            for (const std::uint8_t b : at(i)) h = mix(h, b);
        }
        return h;
    }
};

Packed all_keys(const WordMap& map) {
    Packed keys;
    auto stream = map.stream();
    while (const auto entry = stream.next()) keys.push(entry->key);
    return keys;
}

std::optional<Packed> get_queries(const WordMap& map, const Packed& keys, std::size_t n, std::uint64_t seed) {
    if (keys.size() == 0) return std::nullopt;
    const std::uint64_t count = keys.size();
    SplitMix64 rng{seed};
    Packed out;
    std::vector<std::uint8_t> query;
    for (std::size_t i = 0; i < n; ++i) {
        if (i % 2 == 0) {
            out.push(keys.at(rng.next() % count));
            continue;
        }
        bool absent = false;
        for (int tries = 0; tries < 1000 && !absent; ++tries) {
            const Bytes key = keys.at(rng.next() % count);
            if (key.empty()) continue;
            const std::uint64_t r = rng.next();
            query.assign(key.begin(), key.end());
            query[r % key.size()] ^= static_cast<std::uint8_t>(1 + ((r >> 32) % 255));
            absent = !map.get(Bytes(query)).has_value();
        }
        if (!absent) return std::nullopt;
        out.push(query);
    }
    return out;
}

Packed prefix_list(const Packed& keys, std::size_t (&by_length)[3]) {
    std::vector<Bytes> all;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const Bytes key = keys.at(i);
        for (std::size_t j = 1; j <= 3 && j <= key.size(); ++j) all.push_back(key.first(j));
    }
    const auto less = [](Bytes a, Bytes b) { return std::ranges::lexicographical_compare(a, b); };
    const auto same = [](Bytes a, Bytes b) { return std::ranges::equal(a, b); };
    std::ranges::sort(all, less);
    all.erase(std::unique(all.begin(), all.end(), same), all.end());
    Packed out;
    for (const Bytes p : all) {
        ++by_length[p.size() - 1];
        out.push(p);
    }
    return out;
}

struct Timing {
    double median_ns = 0;
    std::uint64_t checksum = 0;
    std::uint64_t aux = 0;
    std::string all_ms;
};

template <class F>
std::optional<Timing> timed(std::size_t reps, F&& run) {
    std::vector<double> times;
    std::optional<std::pair<std::uint64_t, std::uint64_t>> first;
    Timing timing;
    for (std::size_t k = 0; k < reps; ++k) {
        const auto start = std::chrono::steady_clock::now();
        const auto result = run();
        const double ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
        times.push_back(ns);
        timing.all_ms += fmt::format("{}{:.1f}", k ? " " : "", ns / 1e6);
        if (first && *first != result) return std::nullopt;
        first = result;
    }
    std::vector<double> sorted = times;
    std::ranges::sort(sorted);
    timing.median_ns = sorted[reps / 2];
    timing.checksum = first->first;
    timing.aux = first->second;
    return timing;
}

void report(std::string_view name, const Timing& t, std::size_t ops) {
    std::printf("fstbench %.*s ns_per_op=%.3f ops=%zu checksum=%llu\n", static_cast<int>(name.size()), name.data(),
                ops == 0 ? 0.0 : t.median_ns / static_cast<double>(ops), ops, static_cast<unsigned long long>(t.checksum));
    std::fflush(stdout);
}

int fail(const std::string& message) {
    std::fprintf(stderr, "bench_fstbench: %s\n", message.c_str());
    return 2;
}

std::optional<std::uint64_t> number(const char* text) {
    if (text == nullptr) return std::nullopt;
    std::string digits(text);
    std::erase(digits, '_');
    char* end = nullptr;
    const std::uint64_t value = std::strtoull(digits.c_str(), &end, 0);
    if (digits.empty() || *end != '\0') return std::nullopt;
    return value;
}

// Words of 3 to 14 letters over a Finnish-like alphabet, from a fixed seed,
// each with a value that grows with its position.
int write_synthetic(const std::string& path, std::uint64_t count) {
    static constexpr std::string_view kLetters[] = {"a", "e", "i", "o", "u", "y", "k", "l", "m", "n", "p", "r",
                                                    "s", "t", "v", "h", "j", "d", "g", "\xc3\xa4", "\xc3\xb6"};
    SplitMix64 rng{7};
    std::vector<std::string> words;
    words.reserve(count + count / 8);
    while (words.size() < count + count / 8) {
        std::string word;
        const std::uint64_t length = 3 + rng.next() % 12;
        for (std::uint64_t k = 0; k < length; ++k) word += kLetters[rng.next() % std::size(kLetters)];
        words.push_back(std::move(word));
    }
    std::ranges::sort(words);
    words.erase(std::unique(words.begin(), words.end()), words.end());
    if (words.size() > count) words.resize(count);
    lomperi::word_map::WordMapBuilder builder;
    for (std::size_t k = 0; k < words.size(); ++k) {
        if (auto inserted = builder.insert(words[k], 3 * k + 1); !inserted) return fail(inserted.error().report());
    }
    auto bytes = std::move(builder).finish();
    if (!bytes) return fail(bytes.error().report());
    if (auto written = lomperi::write_file(path, *bytes); !written) return fail(written.error().report());
    std::fprintf(stderr, "# wrote %zu keys, %zu bytes to %s\n", words.size(), bytes->size(), path.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string_view(argv[1]) == "--write-synthetic") {
        const auto count = number(argv[3]);
        if (!count) return fail("--write-synthetic OUT.fst COUNT");
        return write_synthetic(argv[2], *count);
    }
    std::optional<std::string> path;
    std::vector<std::string> workloads;
    std::size_t n = 1'000'000, reps = 5;
    std::uint64_t seed = 42;
    for (int k = 1; k < argc; ++k) {
        const std::string arg = argv[k];
        if (arg == "-n" || arg == "--seed" || arg == "--reps") {
            const auto value = number(k + 1 < argc ? argv[++k] : nullptr);
            if (!value) return fail(arg + " needs a number");
            if (arg == "-n") n = *value;
            if (arg == "--seed") seed = *value;
            if (arg == "--reps") reps = std::max<std::uint64_t>(*value, 1);
        } else if (arg == "get" || arg == "prefix100" || arg == "stream") {
            workloads.push_back(arg);
        } else if (arg == "all") {
            workloads.insert(workloads.end(), {"get", "prefix100", "stream"});
        } else if (!path && !arg.starts_with('-')) {
            path = arg;
        } else {
            return fail("usage: bench_fstbench MAP.fst [get|prefix100|stream|all]... [-n N] [--seed S] [--reps R]");
        }
    }
    if (!path) return fail("no map file");
    if (workloads.empty()) workloads = {"get", "prefix100", "stream"};
    const auto bytes = lomperi::read_file(*path);
    if (!bytes) return fail(bytes.error().report());
    const auto map = WordMap::open(lomperi::as_bytes(*bytes));
    if (!map) return fail(*path + ": " + map.error().report());

    const Packed keys = all_keys(*map);
    std::fprintf(stderr, "# map %s: version %llu, %zu bytes, %zu keys (%zu key bytes); seed %llu, reps %zu\n",
                 path->c_str(), static_cast<unsigned long long>(map->version()), bytes->size(), keys.size(),
                 keys.data.size(), static_cast<unsigned long long>(seed), reps);
    std::size_t by_length[3] = {0, 0, 0};
    const Packed prefixes = prefix_list(keys, by_length);
    const auto queries = get_queries(*map, keys, n, seed);

    for (const auto& workload : workloads) {
        if (workload == "get") {
            if (!queries) continue;
            const auto t = timed(reps, [&] {
                std::uint64_t h = kH0, found = 0;
                for (std::size_t i = 0; i < queries->size(); ++i) {
                    const auto value = map->get(queries->at(i));
                    h = value ? mix(mix(h, 1), *value) : mix(h, 0);
                    found += value ? 1 : 0;
                }
                return std::pair{h, found};
            });
            if (!t) return fail("results differ between repetitions");
            std::fprintf(stderr, "# get: %zu lookups, %llu found, queries fingerprint %llu; reps ms: %s\n", queries->size(),
                         static_cast<unsigned long long>(t->aux), static_cast<unsigned long long>(queries->fingerprint()),
                         t->all_ms.c_str());
            report("get", *t, queries->size());
        } else if (workload == "prefix100") {
            const auto t = timed(reps, [&] {
                std::uint64_t h = kH0, returned = 0;
                for (std::size_t i = 0; i < prefixes.size(); ++i) {
                    auto stream = map->prefix_stream(prefixes.at(i));
                    for (std::size_t got = 0; got < kPrefixLimit; ++got) {
                        const auto entry = stream.next();
                        if (!entry) break;
                        h = mix(mix(h, entry->value), entry->key.size());
                        ++returned;
                    }
                }
                return std::pair{h, returned};
            });
            if (!t) return fail("results differ between repetitions");
            std::fprintf(stderr, "# prefix100: %zu prefixes (1-byte %zu, 2-byte %zu, 3-byte %zu), fingerprint %llu, %llu keys returned; reps ms: %s\n",
                         prefixes.size(), by_length[0], by_length[1], by_length[2],
                         static_cast<unsigned long long>(prefixes.fingerprint()), static_cast<unsigned long long>(t->aux),
                         t->all_ms.c_str());
            report("prefix100", *t, prefixes.size());
        } else {
            const auto t = timed(reps, [&] {
                std::uint64_t h = kH0, count = 0;
                auto stream = map->stream();
                while (const auto entry = stream.next()) {
                    h = mix(mix(h, entry->value), entry->key.size());
                    ++count;
                }
                return std::pair{h, count};
            });
            if (!t) return fail("results differ between repetitions");
            std::fprintf(stderr, "# stream: %llu keys; reps ms: %s\n", static_cast<unsigned long long>(t->aux), t->all_ms.c_str());
            report("stream", *t, t->aux);
        }
    }
    return 0;
}
