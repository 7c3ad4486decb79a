// lomperi-tsv-data-set: writes a data set from plain-text sources.
#include <fmt/format.h>

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "base/file.hpp"
#include "damage.hpp"
#include "tsv_sources.hpp"

namespace {

using lomperi::Result;
using lomperi::fail;
using lomperi::read_file;

constexpr const char* kUsage =
    "usage: lomperi-tsv-data-set GLOSSES.tsv FORMS.tsv OUT_DIR [--zstd-level N] [--no-self-forms] [--damage KIND]\n"
    "  GLOSSES.tsv: headword<TAB>pos<TAB>meaning, one meaning per line\n"
    "  FORMS.tsv:   form<TAB>base\n"
    "  --damage:    write a deliberately broken data set ({})\n";

struct Options {
    std::string glosses_path;
    std::string forms_path;
    std::string out_dir;
    int zstd_level = lomperi::morphology::kDefaultZstdLevel;
    bool self_forms = true;
    std::optional<std::string> damage;
};

Result<Options> parse_options(const std::vector<std::string>& args) {
    Options options;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool has_value = i + 1 < args.size();
        if (arg == "--no-self-forms") {
            options.self_forms = false;
        } else if (arg == "--damage" && has_value) {
            options.damage = args[++i];
        } else if (arg == "--zstd-level" && has_value) {
            const std::string& value = args[++i];
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), options.zstd_level);
            if (error != std::errc() || end != value.data() + value.size()) return fail("bad --zstd-level");
        } else if (arg.starts_with("--")) {
            return fail(fmt::format("unknown option {}", arg));
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 3) return fail("expected GLOSSES.tsv FORMS.tsv OUT_DIR");
    options.glosses_path = positional[0];
    options.forms_path = positional[1];
    options.out_dir = positional[2];
    return options;
}

Result<void> run(const Options& options) {
    auto glosses = read_file(options.glosses_path);
    if (!glosses) return forward(glosses);
    auto forms = read_file(options.forms_path);
    if (!forms) return forward(forms);
    auto builder = lomperi::tsv_data_set::read_sources({std::move(*glosses), std::move(*forms), options.self_forms});
    if (!builder) return forward(builder);
    builder->set_zstd_level(options.zstd_level);
    if (options.damage) builder->set_chunk_shift(lomperi::tsv_data_set::chunk_shift_for(*options.damage));
    auto data = builder->build();
    if (!data) return forward(data);
    if (options.damage) {
        if (auto damaged = lomperi::tsv_data_set::apply_damage(*data, *options.damage); !damaged) return damaged;
    }
    return data->write_to(options.out_dir, lomperi::morphology::DataSet::Absent::WriteEmpty);
}

}  // namespace

int main(int argc, char** argv) {
    const auto options = parse_options(std::vector<std::string>(argv + 1, argv + argc));
    if (!options) {
        fmt::print(stderr, "lomperi-tsv-data-set: {}\n", options.error().report());
        fmt::print(stderr, kUsage, fmt::join(lomperi::tsv_data_set::damage_kinds(), ", "));
        return 2;
    }
    if (auto done = run(*options); !done) {
        fmt::print(stderr, "lomperi-tsv-data-set: {}\n", done.error().report());
        return 1;
    }
    return 0;
}
