#include <fmt/format.h>

#include <cstdio>

#include "core/view/run.hpp"
#include "embedded/embedded_data.hpp"

// Arguments are ignored: the program has no command line.
int main() {
    auto status = lomperi::view::run(lomperi::embedded::data_files());
    if (status) return *status;
    fmt::print(stderr, "Error: {}\n", status.error().report());
    return 1;
}
