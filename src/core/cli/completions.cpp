#include "core/cli/completions.hpp"

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <algorithm>
#include <span>
#include <vector>

namespace lomperi::cli {
namespace {

// The shells read the script as written: in single quotes nothing but the
// quote itself is special.
std::string single_quoted(std::string_view text) {
    std::string out = "'";
    for (const char c : text) {
        if (c == '\'') {
            out += "'\\''";
        } else {
            out += c;
        }
    }
    return out + "'";
}

bool offered(const CommandRow& row) { return !row.name.empty() && !row.is_hidden(); }

// Every name an option is given by: "--help", "-h".
std::vector<std::string_view> names_of(const CommandRow& row) {
    std::vector<std::string_view> names{row.name};
    if (!row.short_name.empty()) names.push_back(row.short_name);
    return names;
}

std::vector<std::string_view> offered_names(CommandTable table, bool (*wanted)(const CommandRow&)) {
    std::vector<std::string_view> names;
    for (const CommandRow& row : table) {
        if (!offered(row) || !wanted(row)) continue;
        for (const auto name : names_of(row)) names.push_back(name);
    }
    return names;
}

bool any_row(const CommandRow&) { return true; }
bool is_command(const CommandRow& row) { return !row.is_modifier(); }
bool reads_files(const CommandRow& row) { return !row.is_modifier() && row.takes_files(); }
bool takes_value(const CommandRow& row) { return row.is_modifier() && row.takes == Takes::Value; }

std::string bash_script(CommandTable table) {
    return fmt::format(R"(# bash completion for lomperi
_lomperi() {{
    local cur=${{COMP_WORDS[COMP_CWORD]}} prev=${{COMP_WORDS[COMP_CWORD-1]}} word files=
    COMPREPLY=()
    case $prev in
        {}) return 0 ;;
    esac
    for word in "${{COMP_WORDS[@]:1:COMP_CWORD-1}}"; do
        case $word in
            {}) files=1 ;;
        esac
    done
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W {} -- "$cur")
    elif [[ -n $files ]]; then
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    fi
}}
complete -F _lomperi lomperi
)",
                       fmt::join(offered_names(table, takes_value), "|"), fmt::join(offered_names(table, reads_files), "|"),
                       single_quoted(fmt::format("{}", fmt::join(offered_names(table, any_row), " "))));
}

// An _arguments description: brackets and colons end its fields.
std::string zsh_described(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '[' || c == ']' || c == ':' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

std::string zsh_argument(CommandTable table, const CommandRow& row, std::string_view name) {
    std::string argument;
    if (!row.is_modifier()) argument = fmt::format("({})", fmt::join(offered_names(table, is_command), " "));
    argument += fmt::format("{}[{}]", name, zsh_described(row.summary));
    if (row.takes == Takes::Value) argument += fmt::format(":{}: ", zsh_described(row.operands));
    return single_quoted(argument);
}

std::string zsh_script(CommandTable table) {
    std::string arguments;
    for (const CommandRow& row : table) {
        if (!offered(row)) continue;
        for (const auto name : names_of(row)) arguments += fmt::format("  {} \\\n", zsh_argument(table, row, name));
    }
    std::vector<std::string> file_commands;
    for (const auto name : offered_names(table, reads_files)) file_commands.push_back(fmt::format("${{words[(I){}]}}", name));
    return fmt::format(R"(#compdef lomperi
# zsh completion for lomperi

local state
_arguments -s \
{}  '*: :->operand' && return 0
if [[ $state == operand ]] && (( {} )); then
  _files && return 0
fi
return 1
)",
                       arguments, fmt::join(file_commands, " + "));
}

// fish's condition that one of the options was given.
std::string fish_seen(std::span<const std::string_view> names) {
    std::string condition = "__fish_seen_argument";
    for (const auto name : names) {
        condition += name.starts_with("--") ? fmt::format(" -l {}", name.substr(2)) : fmt::format(" -s {}", name.substr(1));
    }
    return condition;
}

std::string fish_line(CommandTable table, const CommandRow& row) {
    std::string line = "complete -c lomperi";
    if (!row.short_name.empty()) line += fmt::format(" -s {}", row.short_name.substr(1));
    line += fmt::format(" -l {}", row.name.substr(2));
    if (row.takes == Takes::Value) line += " -x";
    // A command is offered until one is given; a modifier with the commands it goes with.
    std::vector<std::string_view> with;
    for (const CommandRow& command : table) {
        if (!command.is_modifier() && std::ranges::find(command.modifiers, row.name) != command.modifiers.end()) {
            with.push_back(command.name);
        }
    }
    if (!row.is_modifier()) {
        line += fmt::format(" -n {}", single_quoted(fmt::format("not {}", fish_seen(offered_names(table, is_command)))));
    } else if (std::ranges::find(with, std::string_view{}) == with.end() && !with.empty()) {
        line += fmt::format(" -n {}", single_quoted(fish_seen(with)));
    }
    return line + fmt::format(" -d {}\n", single_quoted(row.summary));
}

std::string fish_script(CommandTable table) {
    std::string lines = "# fish completion for lomperi\ncomplete -c lomperi -f\n";
    for (const CommandRow& row : table) {
        if (offered(row)) lines += fish_line(table, row);
    }
    return lines + fmt::format("complete -c lomperi -n {} -F\n", single_quoted(fish_seen(offered_names(table, reads_files))));
}

}  // namespace

std::optional<Shell> shell_named(std::string_view name) {
    if (name == "bash") return Shell::Bash;
    if (name == "zsh") return Shell::Zsh;
    if (name == "fish") return Shell::Fish;
    return std::nullopt;
}

std::string completion_script(CommandTable table, Shell shell) {
    switch (shell) {
        case Shell::Bash: return bash_script(table);
        case Shell::Zsh: return zsh_script(table);
        case Shell::Fish: return fish_script(table);
    }
    return {};
}

}  // namespace lomperi::cli
