#include <fmt/format.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/app/run_command_line.hpp"
#include "embedded/embedded_data.hpp"

// Without arguments the dictionary opens on the terminal; with arguments it
// answers on standard output, reads a text or serves DICT clients (see
// lomperi --help).
int main(int argc, char** argv) {
    const auto status = lomperi::app::run_command_line(std::vector<std::string>(argv + 1, argv + argc),
                                                       lomperi::embedded::data_files());
    if (status) return *status;
    fmt::print(stderr, "Error: {}\n", status.error().report());
    return 1;
}
