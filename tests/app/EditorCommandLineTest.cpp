// The editor's command line before Qt sees it: the requests answered on the terminal, and "--",
// after which nothing is Qt's.
#include "app/EditorCommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace verbaria;

namespace {

EditorCommandLine Read(std::vector<std::string> &arguments)
{
    std::vector<char *> argv;
    for (std::string &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    return ReadEditorCommandLine(static_cast<int>(arguments.size()), argv.data());
}

std::vector<std::string> ToolkitArguments(const EditorCommandLine &commandLine)
{
    std::vector<std::string> texts;
    for (const char *argument : commandLine.toolkitArguments) {
        if (argument)
            texts.emplace_back(argument);
    }
    return texts;
}

} // namespace

TEST(EditorCommandLine, HelpAndVersionAreRequestsOnlyAsTheFirstArgument)
{
    using Request = EditorCommandLine::Request;
    const std::pair<std::vector<std::string>, Request> cases[] = {
        {{"verbaria", "--help"}, Request::Help},
        {{"verbaria", "-h", "english.lng"}, Request::Help},
        {{"verbaria", "--version"}, Request::Version},
        {{"verbaria"}, Request::Run},
        {{"verbaria", "english.lng", "--help"}, Request::Run},
        {{"verbaria", "--", "--version"}, Request::Run},
        {{"verbaria", "--Help"}, Request::Run},
    };
    for (auto [arguments, request] : cases) {
        const EditorCommandLine commandLine = Read(arguments);
        EXPECT_EQ(commandLine.request, request) << arguments.back();
    }
}

TEST(EditorCommandLine, WhatFollowsTheDashesNeverReachesQt)
{
    std::vector<std::string> arguments{"verbaria", "-style", "fusion", "--", "-reverse", "--", "x y.lng"};
    const EditorCommandLine commandLine = Read(arguments);
    EXPECT_EQ(commandLine.request, EditorCommandLine::Request::Run);
    EXPECT_EQ(ToolkitArguments(commandLine), (std::vector<std::string>{"verbaria", "-style", "fusion"}));
    ASSERT_FALSE(commandLine.toolkitArguments.empty());
    EXPECT_EQ(commandLine.toolkitArguments.back(), nullptr);
    EXPECT_EQ(commandLine.fileArguments, (std::vector<std::string>{"-reverse", "--", "x y.lng"}));

    // Without dashes Qt sees everything, as it always did.
    std::vector<std::string> plain{"verbaria", "-reverse", "english.lng"};
    EXPECT_EQ(ToolkitArguments(Read(plain)), plain);
    EXPECT_TRUE(Read(plain).fileArguments.empty());
}
