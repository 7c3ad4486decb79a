#pragma once
#include <string>
#include <vector>

#include "base/error.hpp"
#include "core/morphology/data_files.hpp"

namespace lomperi::app {

// Runs the command of a command line (argv without the program name) at the
// stage it needs: a usage error is told with the usage line (status 2); the
// data set is loaded only for a command that answers from it. The exit
// status, or an error that the caller prints (status 1).
Result<int> run_command_line(const std::vector<std::string>& args, const morphology::DataFiles& files);

}  // namespace lomperi::app
