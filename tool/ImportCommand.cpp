#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/TextRules.h"
#include "tool/Command.h"
#include "tool/DocumentSession.h"
#include "tool/ExchangeCommands.h"
#include "tool/ImportTable.h"

#include <iostream>
#include <string>

namespace verbaria::tool {
namespace {

const char *const ImportUsage =
    "Usage: verbaria-tool import TEMPLATE TABLE -o LANGUAGE [--program-folder DIR]\n"
    "\n"
    "Reads TABLE in the form that 'verbaria-tool export' prints and writes LANGUAGE exactly as the\n"
    "editor saves it. The #language, #version, #author and #template lines set the header; each\n"
    "data line sets the translation of its row. A row that is not an entry of TEMPLATE, or whose\n"
    "number differs from that entry's number, is an error, and nothing is written.\n"
    "\n"
    "Exit status: 0 on success, 1 on an error in the files, 2 for a usage error.\n";

int RunImport(const std::vector<std::string> &commandArgs)
{
    std::vector<std::string> args = commandArgs;
    const auto format = TakeFormatOption("import", args);
    if (!format)
        return ExitUsage;
    if (*format != "table")
        return RunExchangeImport(*format, args);
    std::vector<std::string> positional;
    std::string output;
    std::string programFolder;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (arg == "-o" || arg == "--output" || arg == "--program-folder") {
            if (i + 1 == args.size())
                return UsageError("import", "option " + arg + " needs a value");
            (arg == "--program-folder" ? programFolder : output) = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError("import", "unknown option " + arg);
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2)
        return UsageError("import", "a template and a table are needed");
    if (output.empty())
        return UsageError("import", "the language file to write is needed (-o LANGUAGE)");

    std::string table;
    try {
        if (positional[1] == "-") {
            table.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        } else if (!ReadFileBytes(positional[1], table)) {
            PrintError(positional[1] + ": File not found");
            return ExitFailure;
        }
        DocumentSession session(programFolder);
        if (!session.LoadTemplate(positional[0])) {
            PrintError(positional[0] + ": template not found");
            return ExitFailure;
        }
        const std::string error = ApplyImportTable(table, session.Document());
        if (!error.empty()) {
            PrintError(positional[1] + ": " + error);
            return ExitFailure;
        }
        WriteFileAtomically(output, session.Document().SavedBytes());
    } catch (const FormatError &error) {
        PrintError(error.what());
        return ExitFailure;
    }
    return ExitOk;
}

const CommandRegistration registration{
    Command{"import", "write a language file from a table, XLIFF or PO file made by export",
            std::string(ImportUsage) + ExchangeImportUsage, RunImport}};

} // namespace
} // namespace verbaria::tool
