#include "core/app/run_command_line.hpp"

#include "core/app/command_table.hpp"
#include "core/cli/commands.hpp"
#include "core/morphology/dictionary.hpp"

namespace lomperi::app {

Result<int> run_command_line(const std::vector<std::string>& args, const morphology::DataFiles& files) {
    const cli::CommandTable table = command_table();
    const auto invocation = cli::parse_arguments(table, args);
    if (!invocation) return cli::tell_usage_error(table, invocation.error());
    const cli::CommandRow& command = *invocation->command;
    cli::Context context{invocation->options, files};
    if (command.stage != cli::Stage::DataSet) return command.run(context);
    auto dictionary = morphology::load_dictionary(files);
    if (!dictionary) return forward(dictionary);
    context.dictionary = &*dictionary;
    try {
        return command.run(context);
    } catch (const std::bad_alloc&) {
        return fail("out of memory");
    }
}

}  // namespace lomperi::app
