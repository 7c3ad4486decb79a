#include <fmt/format.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/cli/commands.hpp"
#include "core/dict_server/dict_server.hpp"
#include "core/view/run.hpp"
#include "embedded/embedded_data.hpp"

// Without arguments the dictionary opens on the terminal; with arguments it
// answers on standard output, reads a text or serves DICT clients (see
// lomperi --help).
int main(int argc, char** argv) {
    const auto command = lomperi::cli::parse_arguments(std::vector<std::string>(argv + 1, argv + argc));
    const auto files = lomperi::embedded::data_files();
    const auto status = [&]() -> lomperi::Result<int> {
        if (std::holds_alternative<lomperi::cli::Interactive>(command)) return lomperi::view::run(files);
        if (const auto* read = std::get_if<lomperi::cli::Read>(&command)) return lomperi::view::run_reading(files, read->file);
        if (const auto* serve = std::get_if<lomperi::cli::Serve>(&command)) {
            return lomperi::dict_server::run_server(files, {.listen = serve->listen});
        }
        return lomperi::cli::run_command(command, files);
    }();
    if (status) return *status;
    fmt::print(stderr, "Error: {}\n", status.error().report());
    return 1;
}
