#pragma once
// Shell completions for bash, zsh and fish, written from the table of
// commands: every visible option with its few words, files offered where a
// command reads files, nothing where an option takes a value to type.
#include <optional>
#include <string>
#include <string_view>

#include "core/cli/arguments.hpp"

namespace lomperi::cli {

enum class Shell : std::uint8_t { Bash, Zsh, Fish };

// "bash", "zsh" or "fish".
std::optional<Shell> shell_named(std::string_view name);

std::string completion_script(CommandTable table, Shell shell);

}  // namespace lomperi::cli
