#pragma once
// Runs a program to its end with arguments and standard input, and collects
// what it writes to standard output and standard error.
#include <string>
#include <vector>

namespace lomperi::testing {

struct Finished {
    int status = -1;  // exit code, or 128 + the signal that ended it
    std::string out;
    std::string err;
};

Finished run_program(const std::string& program, const std::vector<std::string>& args, const std::string& input = {},
                     const std::vector<std::string>& environment = {});

}  // namespace lomperi::testing
