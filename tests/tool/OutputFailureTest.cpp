#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <sstream>

// Output that cannot be written is a failure of every command, never a success.
namespace {

ToolResult RunIntoFullDisk(const std::vector<std::string> &args)
{
    std::vector<std::string> shellArgs = {"-c", "\"$0\" \"$@\" > /dev/full",
                                          VERBARIA_BIN_DIR "/verbaria-tool"};
    shellArgs.insert(shellArgs.end(), args.begin(), args.end());
    return RunProgram("/bin/sh", shellArgs);
}

} // namespace

TEST(ToolOutput, EveryCommandFailsWhenStandardOutputCannotBeWritten)
{
    const ToolResult help = RunTool({"--help"});
    ASSERT_EQ(help.Status, 0);
    // The command names, as the overview lists them under "Commands:".
    std::vector<std::string> commands;
    std::istringstream lines(help.Out);
    bool listing = false;
    for (std::string line; std::getline(lines, line);) {
        if (line == "Commands:")
            listing = true;
        else if (listing && line.empty())
            break;
        else if (listing && line.size() > 2 && line.substr(2, 5) != "help ")
            commands.push_back(line.substr(2, line.find(' ', 2) - 2));
    }
    ASSERT_GE(commands.size(), 6u);
    for (const std::string &command : commands) {
        const ToolResult result = RunIntoFullDisk({"help", command});
        EXPECT_EQ(result.Status, 1) << command;
        EXPECT_NE(result.Err.find("standard output: Disk full"), std::string::npos)
            << command << ": " << result.Err;
    }
    EXPECT_EQ(RunIntoFullDisk({"--help"}).Status, 1);
    EXPECT_EQ(RunIntoFullDisk({"--version"}).Status, 1);

    TempFolder folder;
    folder.Write("demo.lnd", "[ITEMS]\r\n1: MESSAGE \"Ahoj\"\r\n");
    folder.Write("de.lng", "1:Hallo\r\n");
    EXPECT_EQ(RunIntoFullDisk({"export", folder.File("demo.lnd"), folder.File("de.lng")}).Status, 1);
    EXPECT_EQ(RunIntoFullDisk({"lookup", "--template", folder.File("demo.lnd"), "--language",
                               folder.File("de.lng"), "Ahoj"})
                  .Status,
              1);
}
