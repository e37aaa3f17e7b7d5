#pragma once

#include "ToolRunner.h"

#include <string>
#include <vector>

// One ordinary run of every command, shared by the tests of what all commands do alike. The
// files' names begin with '-', so each run also shows that "--" ends the options.
struct CommandCase
{
    std::string Command;
    std::vector<std::string> Args; // run in the folder WriteCaseFiles filled
    std::string Printed;           // a piece of what the run prints; empty: it prints nothing
};

// The template, language file, table, form and old-format file the cases use.
void WriteCaseFiles(const TempFolder &folder);
const std::vector<CommandCase> &CommandCases();

// The command names "verbaria-tool --help" lists under "Commands:", without "help".
std::vector<std::string> ListedCommands();

// The options a command takes, as its own parser lists them: the names of each ("-o", "--output").
std::vector<std::vector<std::string>> OptionsOf(const std::string &command);
