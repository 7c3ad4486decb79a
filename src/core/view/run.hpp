#pragma once
#include "core/morphology/dictionary.hpp"
#include "base/error.hpp"

namespace lomperi::view {

// The program's body: loads the data set, runs the interactive loop until the
// user quits and restores the terminal. On success, the exit status to use:
// 0, or 128 + the signal that asked the program to end.
Result<int> run(const morphology::DataFiles& files);

}  // namespace lomperi::view
