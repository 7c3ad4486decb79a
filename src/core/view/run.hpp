#pragma once
#include "core/morphology/dictionary.hpp"
#include "base/error.hpp"

#include <string>

namespace lomperi::view {

// The program's body: loads the data set, runs the interactive loop until the
// user quits and restores the terminal. On success, the exit status to use:
// 0, or 128 + the signal that asked the program to end.
Result<int> run(const morphology::DataFiles& files);

// The same with a text open in the reading pane: a file, or standard input
// for "-" (the keys then come from the controlling terminal).
Result<int> run_reading(const morphology::DataFiles& files, const std::string& file);

}  // namespace lomperi::view
