#pragma once

#include <functional>
#include <string>
#include <vector>

// verbaria-tool's subcommands register themselves here; main() only dispatches. Each command
// lives in its own file.
namespace verbaria::tool {

// Exit statuses shared by every command.
constexpr int ExitOk = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

struct Command
{
    std::string Name;
    std::string Summary; // one line for --help
    std::string Usage;   // full text for "help COMMAND"
    std::function<int(const std::vector<std::string> &args)> Run;
};

std::vector<Command> &Commands();
// The registered command of that name, or null.
const Command *FindCommand(const std::string &name);

struct CommandRegistration
{
    explicit CommandRegistration(Command command) { Commands().push_back(std::move(command)); }
};

// "verbaria-tool: MESSAGE" on standard error.
void PrintError(const std::string &message);
// A usage error: the message, a hint to "help", and ExitUsage.
int UsageError(const std::string &command, const std::string &message);

} // namespace verbaria::tool
