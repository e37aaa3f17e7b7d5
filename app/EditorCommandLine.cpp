#include "app/EditorCommandLine.h"

#include <string_view>

namespace verbaria {

EditorCommandLine ReadEditorCommandLine(int argc, char **argv)
{
    EditorCommandLine commandLine;
    if (argc > 1) {
        const std::string_view first = argv[1];
        if (first == "--help" || first == "-h")
            commandLine.request = EditorCommandLine::Request::Help;
        else if (first == "--version")
            commandLine.request = EditorCommandLine::Request::Version;
    }
    bool afterDashes = false;
    for (int i = 0; i < argc; ++i) {
        if (afterDashes)
            commandLine.fileArguments.emplace_back(argv[i]);
        else if (i > 0 && std::string_view(argv[i]) == "--")
            afterDashes = true;
        else
            commandLine.toolkitArguments.push_back(argv[i]);
    }
    commandLine.toolkitArguments.push_back(nullptr);
    return commandLine;
}

const char *EditorUsage()
{
    return "Usage: verbaria [FILE]\n"
           "       verbaria -- FILE\n"
           "\n"
           "The Verbaria translation editor. It opens FILE in place of the files of the last run: a\n"
           "template (.lnd) with a new, empty language, any other file as a language file with the\n"
           "template it names. A name that is no existing file is ignored. The words of the command\n"
           "line are joined with blanks into one name, and blanks, tabs and double quotes around it\n"
           "are removed.\n"
           "\n"
           "Options:\n"
           "  --help, -h  show this text\n"
           "  --version   show the version\n"
           "  --          end the options: what follows is the file's name, even when it begins\n"
           "              with '-'\n"
           "\n"
           "Qt's own options (-style NAME, -platform NAME, -reverse, ...) may come before '--'.\n";
}

} // namespace verbaria
