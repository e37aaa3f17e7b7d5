#include "tool/Command.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

namespace verbaria::tool {

std::vector<Command> &Commands()
{
    static std::vector<Command> commands;
    return commands;
}

void PrintError(const std::string &message)
{
    std::cerr << "verbaria-tool: " << message << '\n';
}

int UsageError(const std::string &command, const std::string &message)
{
    PrintError(message);
    std::cerr << "Try 'verbaria-tool help " << command << "' for more information.\n";
    return ExitUsage;
}

} // namespace verbaria::tool

namespace {

using namespace verbaria::tool;

const Command *FindCommand(const std::string &name)
{
    for (const Command &command : Commands()) {
        if (command.Name == name)
            return &command;
    }
    return nullptr;
}

void PrintHelp()
{
    std::vector<Command> sorted = Commands();
    std::sort(sorted.begin(), sorted.end(), [](const Command &a, const Command &b) { return a.Name < b.Name; });
    std::cout << "Usage: verbaria-tool COMMAND [ARGUMENTS...]\n"
                 "\n"
                 "The command-line companion of the Verbaria translation editor.\n"
                 "\n"
                 "Commands:\n";
    for (const Command &command : sorted) {
        std::string name = command.Name;
        name.resize(std::max<std::size_t>(name.size(), 10), ' ');
        std::cout << "  " << name << "  " << command.Summary << '\n';
    }
    std::cout << "  help        show the usage of one command\n"
                 "\n"
                 "Options:\n"
                 "  --help      show this text\n"
                 "  --version   show the version\n";
}

} // namespace

int main(int argc, char **argv)
{
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        PrintHelp();
        return ExitUsage;
    }
    const std::string &first = args.front();
    if (first == "--help" || first == "-h") {
        PrintHelp();
        return ExitOk;
    }
    if (first == "--version") {
        std::cout << "verbaria-tool " VERBARIA_VERSION "\n";
        return ExitOk;
    }
    if (first == "help") {
        if (args.size() < 2) {
            PrintHelp();
            return ExitOk;
        }
        if (const Command *command = FindCommand(args[1])) {
            std::cout << command->Usage;
            return ExitOk;
        }
        PrintError("unknown command '" + args[1] + "'");
        return ExitUsage;
    }
    const Command *command = FindCommand(first);
    if (!command) {
        PrintError("unknown command '" + first + "'");
        std::cerr << "Try 'verbaria-tool --help'.\n";
        return ExitUsage;
    }
    args.erase(args.begin());
    for (const std::string &arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::cout << command->Usage;
            return ExitOk;
        }
    }
    return command->Run(args);
}
