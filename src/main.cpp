#include <fmt/format.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/cli/commands.hpp"
#include "core/view/run.hpp"
#include "embedded/embedded_data.hpp"

// Without arguments the dictionary opens on the terminal; with arguments it
// answers on standard output (see lomperi --help).
int main(int argc, char** argv) {
    const auto command = lomperi::cli::parse_arguments(std::vector<std::string>(argv + 1, argv + argc));
    const auto files = lomperi::embedded::data_files();
    const auto* read = std::get_if<lomperi::cli::Read>(&command);
    const auto status = std::holds_alternative<lomperi::cli::Interactive>(command) ? lomperi::view::run(files)
                        : read != nullptr ? lomperi::view::run_reading(files, read->file)
                                          : lomperi::cli::run_command(command, files);
    if (status) return *status;
    fmt::print(stderr, "Error: {}\n", status.error().report());
    return 1;
}
