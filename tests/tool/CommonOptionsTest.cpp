#include "CommandCases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

// What every command does alike: its usage on --help, one usage error for an unknown option,
// "--" before arguments that begin with '-', and "-o -" for standard output.
namespace {

class CommonOptions : public ::testing::Test
{
protected:
    CommonOptions() { WriteCaseFiles(folder); }

    ToolResult Run(const std::string &command, const std::vector<std::string> &args) const
    {
        std::vector<std::string> all = {command};
        all.insert(all.end(), args.begin(), args.end());
        return RunTool(all, {}, folder.Path());
    }

    TempFolder folder;
};

TEST_F(CommonOptions, EveryCommandPrintsItsUsageOnHelpAndRefusesAnUnknownOptionAlike)
{
    const std::vector<std::string> commands = ListedCommands();
    ASSERT_GE(commands.size(), 11u);
    for (const std::string &command : commands) {
        const std::string usage = RunTool({"help", command}).Out;
        EXPECT_EQ(usage.rfind("Usage: verbaria-tool " + command + " ", 0), 0u) << command;
        for (const std::vector<std::string> &args : {std::vector<std::string>{"--help"}, {"x", "-h"}}) {
            const ToolResult help = Run(command, args);
            EXPECT_EQ(help.Status, 0) << command << ' ' << args.back();
            EXPECT_EQ(help.Out, usage) << command << ' ' << args.back();
        }
        const ToolResult unknown = Run(command, {"x", "--no-such-option", "y"});
        EXPECT_EQ(unknown.Status, 2) << command;
        EXPECT_EQ(unknown.Err, "verbaria-tool: unknown option '--no-such-option'\n"
                               "Try 'verbaria-tool help " +
                                   command + "' for more information.\n");
        EXPECT_EQ(unknown.Out, "") << command;
    }
}

TEST_F(CommonOptions, DoubleDashLetsEveryCommandTakeArgumentsThatBeginWithADash)
{
    for (const std::string &command : ListedCommands()) {
        const auto &cases = CommandCases();
        const auto found = std::find_if(cases.begin(), cases.end(),
                                        [&](const CommandCase &c) { return c.Command == command; });
        ASSERT_NE(found, cases.end()) << "no case for " << command;
        const ToolResult result = Run(command, found->Args);
        EXPECT_EQ(result.Status, 0) << command << ": " << result.Err;
        EXPECT_NE(result.Out.find(found->Printed), std::string::npos) << command << ": " << result.Out;
    }
    EXPECT_TRUE(std::filesystem::exists(folder.File("out.lng"))) << "convert wrote nothing";
}

TEST_F(CommonOptions, DashAsOutputIsStandardOutputForEveryCommandWithAnOutputFile)
{
    ASSERT_EQ(Run("export", {"--format", "po", "-o", "de.po", "--", "-app.lnd", "-de.lng"}).Status, 0);
    // OUT stands for the value of -o; Written is the file -o OUT makes.
    struct OutputCase
    {
        std::vector<std::string> Args;
        std::string Written;
    };
    const std::vector<OutputCase> cases = {
        {{"apply", "--template", "./-app.lnd", "--language", "./-de.lng", "-o", "OUT", "--", "-Okno.ui"},
         "OUT/-Okno.ui"},
        {{"export", "--format", "xliff", "-o", "OUT", "--", "-app.lnd", "-de.lng"}, "OUT"},
        {{"export", "--format", "po", "--output=OUT", "--", "-app.lnd", "-de.lng"}, "OUT"},
        {{"import", "-o", "OUT", "--", "-app.lnd", "-table.tsv"}, "OUT"},
        {{"import", "--format", "po", "--output", "OUT", "--", "-app.lnd", "de.po"}, "OUT"},
        {{"pretranslate", "--memory=-de.lng", "-o", "OUT", "--", "-app.lnd"}, "OUT"},
        {{"pseudo", "-o", "OUT", "--", "-app.lnd"}, "OUT"},
        {{"scan", "--update", "./-app.lnd", "-o", "OUT", "--", "-Okno.ui"}, "OUT"},
    };
    auto with = [](std::vector<std::string> args, const std::string &output) {
        for (std::string &arg : args) {
            if (const std::size_t at = arg.find("OUT"); at != std::string::npos)
                arg.replace(at, 3, output);
        }
        return args;
    };
    for (const OutputCase &c : cases) {
        const std::string command = c.Args.front();
        const std::vector<std::string> rest(c.Args.begin() + 1, c.Args.end());
        const ToolResult printed = Run(command, with(rest, "-"));
        ASSERT_EQ(printed.Status, 0) << command << ": " << printed.Err;
        const ToolResult written = Run(command, with(rest, "result"));
        ASSERT_EQ(written.Status, 0) << command << ": " << written.Err;
        EXPECT_FALSE(printed.Out.empty()) << command;
        EXPECT_EQ(printed.Out, folder.Read(with({c.Written}, "result").front())) << command;
        EXPECT_FALSE(std::filesystem::exists(folder.File("-"))) << command;
        std::filesystem::remove_all(folder.File("result"));
    }
}

TEST_F(CommonOptions, TheSharedCodePageOptionWorksForEveryCommandThatTakesIt)
{
    int taking = 0;
    for (const CommandCase &ordinary : CommandCases()) {
        bool takesCodePage = false;
        for (const std::vector<std::string> &names : OptionsOf(ordinary.Command))
            takesCodePage = takesCodePage || names.back() == "--code-page";
        if (!takesCodePage)
            continue;
        ++taking;
        // The files declare no code page: naming the default one changes nothing.
        for (const std::string &given :
             {std::string("--code-page=windows-1250"), std::string("--code-page")}) {
            std::vector<std::string> args = {given};
            if (given == "--code-page")
                args.push_back("windows-1250");
            args.insert(args.end(), ordinary.Args.begin(), ordinary.Args.end());
            const ToolResult result = Run(ordinary.Command, args);
            EXPECT_EQ(result.Status, 0) << ordinary.Command << ' ' << given << ": " << result.Err;
            EXPECT_NE(result.Out.find(ordinary.Printed), std::string::npos)
                << ordinary.Command << ": " << result.Out;
        }
    }
    EXPECT_GE(taking, 10);
}

} // namespace
