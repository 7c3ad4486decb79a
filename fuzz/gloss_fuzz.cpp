// The command line's text input: arbitrary bytes cut into lines as --gloss
// reads them, glossed over a small dictionary. Every word is looked up within
// bounded work, and no control byte of the input reaches the output.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/utf8.hpp"
#include "core/cli/gloss.hpp"
#include "core/cli/text_io.hpp"
#include "core/morphology/data_set_builder.hpp"

namespace {

using namespace lomperi;

struct Fixture {
    morphology::DataSet data;
    morphology::Dictionary dictionary;
};

const Fixture& fixture() {
    static const Fixture built = [] {
        morphology::DataSetBuilder builder;
        builder.set_zstd_level(1);
        for (const char* word : {"talo", "kissa", "hyvä", "levy", "tila", "ćevapi", "olla", "on"}) {
            builder.add_headword(word, {{"noun", {std::string("meaning of ") + word}}});
            builder.add_form(word, word);
        }
        builder.add_form("talossa", "talo");
        builder.add_form("levytilaa", "levy");
        builder.add_form("kissan", "kissa");
        auto data = builder.build();
        if (!data) std::abort();
        auto dictionary = morphology::load_dictionary(data->files());
        if (!dictionary) std::abort();
        return Fixture{std::move(*data), std::move(*dictionary)};
    }();
    return built;
}

void check_no_controls(std::string_view out) {
    for (const char c : out) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && c != '\t' && c != '\n') std::abort();
        if (byte == 0x7f) std::abort();
    }
    if (out.find("\xC2\x80") != std::string_view::npos || out.find("\xC2\x9B") != std::string_view::npos) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    check_no_controls(cli::printable(input));
    cli::Glosser glosser(fixture().dictionary);
    std::string out;
    for (std::size_t at = 0; at <= input.size();) {
        const std::size_t end = std::min(input.find('\n', at), input.size());
        const std::string_view line = input.substr(at, end - at);
        at = end + 1;
        if (!is_utf8(line)) continue;
        out.clear();
        glosser.gloss_line(line, out);
        check_no_controls(out);
    }
    return 0;
}
