#pragma once

#include <string>
#include <vector>

namespace verbaria {

// The editor's command line as it is read before Qt sees it: --help and --version are answered
// on the terminal without a display, and what follows "--" is a file name even when it looks like
// one of Qt's own options (-style, -reverse...), so Qt never gets to see it.
struct EditorCommandLine final
{
    enum class Request { Run, Help, Version };

    Request request = Request::Run;
    // argv[0] and the arguments before "--", for QApplication, which takes out its own options;
    // a null pointer follows the last one, as in argv.
    std::vector<char *> toolkitArguments;
    // The arguments after the first "--", as they were given.
    std::vector<std::string> fileArguments;
};

// --help, -h or --version is a request only as the first argument, as verbaria-tool takes them.
EditorCommandLine ReadEditorCommandLine(int argc, char **argv);

// What --help prints.
const char *EditorUsage();

} // namespace verbaria
