#pragma once
// The program's commands: one row each, with the options that change them.
// Parsing, the usage line, --help, the shells' completions and the dispatch
// all follow from this table; it is the one place that knows every front
// end (the command line, the full-screen dictionary, the DICT server).
#include "core/cli/arguments.hpp"

namespace lomperi::app {

cli::CommandTable command_table();

}  // namespace lomperi::app
