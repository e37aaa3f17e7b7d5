#include "tool/Command.h"

#include "formats/Errors.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <iostream>

namespace verbaria::tool {

std::vector<Command> &Commands()
{
    static std::vector<Command> commands;
    return commands;
}

const Command *FindCommand(const std::string &name)
{
    for (const Command &command : Commands()) {
        if (command.Name == name)
            return &command;
    }
    return nullptr;
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

void PrintHelp()
{
    std::vector<Command> sorted = Commands();
    std::sort(sorted.begin(), sorted.end(),
              [](const Command &a, const Command &b) { return a.Name < b.Name; });
    std::cout << "Usage: verbaria-tool COMMAND [ARGUMENTS...]\n"
                 "\n"
                 "The command-line companion of the Verbaria translation editor.\n"
                 "\n"
                 "Commands:\n";
    std::size_t width = 10;
    for (const Command &command : sorted)
        width = std::max(width, command.Name.size());
    auto line = [width](std::string name, const std::string &text) {
        name.resize(width, ' ');
        std::cout << "  " << name << "  " << text << '\n';
    };
    for (const Command &command : sorted)
        line(command.Name, command.Summary);
    line("help", "show the usage of one command");
    std::cout << "\nOptions:\n";
    line("--help", "show this text");
    line("--version", "show the version");
    std::cout
        << "\nEvery command takes -h or --help for its own usage. Options and arguments may come in any\n"
           "order; '--' ends the options, and '-o -' writes to standard output.\n";
}

} // namespace

namespace {

// What a command printed must have reached its reader: output to a full disk or a closed pipe is
// a failure, reported with the platform's words, not a success.
int CheckedOutput(int status)
{
    errno = 0;
    std::cout.flush();
    if (std::cout.good() && std::fflush(stdout) == 0)
        return status;
    // The stream keeps no reason; the output is lost anyway, so one more byte asks the system.
    int error = errno;
    std::fputc('\n', stdout);
    if (std::fflush(stdout) != 0)
        error = errno;
    if (error == 0)
        error = EIO;
    PrintError("standard output: " + verbaria::InOutMessage(error, true));
    return ExitFailure;
}

int Main(std::vector<std::string> args);

} // namespace

int main(int argc, char **argv)
{
    std::ios::sync_with_stdio(false);
    // Nothing a command meets may end the program without a word: every error is reported.
    try {
        return CheckedOutput(Main(std::vector<std::string>(argv + 1, argv + argc)));
    } catch (const std::bad_alloc &) {
        PrintError("out of memory");
    } catch (const std::exception &error) {
        PrintError(error.what());
    } catch (...) {
        PrintError("unexpected error");
    }
    return ExitFailure;
}

namespace {

int Main(std::vector<std::string> args)
{
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
    return command->Run(args);
}

} // namespace
