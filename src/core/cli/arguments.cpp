#include "core/cli/arguments.hpp"

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <algorithm>

namespace lomperi::cli {
namespace {

// The nameless row that runs without any argument (takes nothing), or the one on words.
const CommandRow* nameless_row(CommandTable table, bool with_operands) {
    for (const CommandRow& row : table) {
        if (row.name.empty() && !row.is_modifier() && (row.takes != Takes::Nothing) == with_operands) return &row;
    }
    return nullptr;
}

bool is_option(const std::string& arg) { return arg.size() > 1 && arg.starts_with('-'); }

bool lists(const CommandRow& command, std::string_view modifier) {
    return std::ranges::find(command.modifiers, modifier) != command.modifiers.end();
}

// "--gloss": the commands a modifier goes with.
std::string commands_listing(CommandTable table, std::string_view modifier) {
    std::string names;
    for (const CommandRow& row : table) {
        if (row.is_modifier() || !lists(row, modifier)) continue;
        if (!names.empty()) names += " or ";
        names += row.name;
    }
    return names;
}

bool operands_fit(Takes takes, std::size_t count) {
    switch (takes) {
        case Takes::Nothing: return count == 0;
        case Takes::Words: return count > 0;
        case Takes::OneFile:
        case Takes::OneWord: return count == 1;
        case Takes::Anything:
        case Takes::Files:
        case Takes::Value: return true;
    }
    return false;
}

class Parser {
public:
    explicit Parser(CommandTable table) : table_(table) {}

    std::expected<Invocation, UsageError> parse(const std::vector<std::string>& args) {
        if (args.empty()) return Invocation{nameless_row(table_, false), {}};
        for (std::size_t k = 0; k < args.size(); ++k) {
            if (auto taken = take(args, k); !taken) return std::unexpected(taken.error());
        }
        if (!command_) command_ = nameless_row(table_, true);
        for (const CommandRow& row : table_) {
            if (!row.refused_elsewhere || lists(*command_, row.name) || !given(row)) continue;
            return refuse(fmt::format("{} goes with {}", row.name, commands_listing(table_, row.name)));
        }
        if (!operands_fit(command_->takes, options_.operands.size())) return refuse(std::string(command_->wrong_operands));
        return Invocation{command_, std::move(options_)};
    }

private:
    bool given(const CommandRow& modifier) const { return std::ranges::find(modifiers_, &modifier) != modifiers_.end(); }

    static std::unexpected<UsageError> refuse(std::string message) { return std::unexpected(UsageError{std::move(message)}); }

    // Takes args[k], and the value after it for a modifier that has one.
    std::expected<void, UsageError> take(const std::vector<std::string>& args, std::size_t& k) {
        const std::string& arg = args[k];
        if (!operands_only_ && arg == "--") {
            operands_only_ = true;
            return {};
        }
        const CommandRow* row = operands_only_ ? nullptr : row_named(table_, arg);
        if (!row) {
            if (!operands_only_ && is_option(arg)) return refuse(fmt::format("unknown option {}", arg));
            options_.operands.push_back(arg);
            return {};
        }
        if (row->is_modifier()) return modify(*row, args, k);
        if (command_) return refuse(fmt::format("{} cannot be given with {}", arg, command_name_));
        command_ = row;
        command_name_ = arg;
        return {};
    }

    std::expected<void, UsageError> modify(const CommandRow& modifier, const std::vector<std::string>& args, std::size_t& k) {
        if (!given(modifier)) modifiers_.push_back(&modifier);
        if (modifier.flag) options_.*modifier.flag = true;
        if (modifier.takes != Takes::Value) return {};
        if (k + 1 == args.size()) return refuse(fmt::format("{} takes {}", modifier.name, modifier.operands));
        const std::string& value = args[++k];
        if (modifier.valid && !modifier.valid(value)) return refuse(fmt::format("{} {} {}", modifier.name, value, modifier.invalid));
        (options_.*modifier.values).push_back(value);
        return {};
    }

    CommandTable table_;
    const CommandRow* command_ = nullptr;
    std::string command_name_;  // as given: "-h" or "--help"
    std::vector<const CommandRow*> modifiers_;
    Options options_;
    bool operands_only_ = false;
};

}  // namespace

const CommandRow* row_named(CommandTable table, std::string_view name) {
    if (name.empty()) return nullptr;
    for (const CommandRow& row : table) {
        if (name == row.name || name == row.short_name) return &row;
    }
    return nullptr;
}

std::expected<Invocation, UsageError> parse_arguments(CommandTable table, const std::vector<std::string>& args) {
    return Parser(table).parse(args);
}

std::string usage_line(CommandTable table) {
    std::vector<std::string> forms;
    for (const CommandRow& row : table) {
        if (row.is_modifier() || row.is_hidden() || (row.name.empty() && row.operands.empty())) continue;
        forms.push_back(row.name.empty() || row.operands.empty() ? fmt::format("{}{}", row.name, row.operands)
                                                                 : fmt::format("{} {}", row.name, row.operands));
    }
    return fmt::format("Usage: lomperi [{}]", fmt::join(forms, " | "));
}

}  // namespace lomperi::cli
