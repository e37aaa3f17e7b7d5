#include "CommandCases.h"

#include <gtest/gtest.h>

#include <algorithm>

// Output that cannot be written is a failure of every command, never a success.
namespace {

ToolResult RunIntoFullDisk(const std::vector<std::string> &args, const std::string &folder = {})
{
    std::vector<std::string> shellArgs = {"-c", "\"$0\" \"$@\" > /dev/full",
                                          VERBARIA_BIN_DIR "/verbaria-tool"};
    shellArgs.insert(shellArgs.end(), args.begin(), args.end());
    return RunProgram("/bin/sh", shellArgs, {}, folder);
}

} // namespace

TEST(ToolOutput, EveryCommandFailsWhenStandardOutputCannotBeWritten)
{
    const std::vector<std::string> commands = ListedCommands();
    ASSERT_GE(commands.size(), 6u);
    TempFolder folder;
    WriteCaseFiles(folder);
    for (const std::string &command : commands) {
        std::vector<std::vector<std::string>> runs = {{"help", command}, {command, "--help"}};
        const auto &cases = CommandCases();
        const auto found = std::find_if(cases.begin(), cases.end(),
                                        [&](const CommandCase &c) { return c.Command == command; });
        if (found == cases.end())
            ADD_FAILURE() << "no case for " << command;
        else if (!found->Printed.empty()) {
            std::vector<std::string> run = {command};
            run.insert(run.end(), found->Args.begin(), found->Args.end());
            runs.push_back(run);
        }
        for (const std::vector<std::string> &args : runs) {
            const ToolResult result = RunIntoFullDisk(args, folder.Path());
            EXPECT_EQ(result.Status, 1) << args[0] << ' ' << args[1];
            EXPECT_NE(result.Err.find("standard output: Disk full"), std::string::npos)
                << args[0] << ' ' << args[1] << ": " << result.Err;
        }
    }
    EXPECT_EQ(RunIntoFullDisk({"--help"}).Status, 1);
    EXPECT_EQ(RunIntoFullDisk({"--version"}).Status, 1);
}
