#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/TextRules.h"
#include "platform/CodePage.h"
#include "tool/Command.h"
#include "tool/DocumentSession.h"
#include "tool/ExchangeCommands.h"
#include "tool/ImportTable.h"
#include "tool/OptionParser.h"
#include "tool/Output.h"
#include "tool/SharedOptions.h"

#include <iostream>
#include <string>

namespace verbaria::tool {
namespace {

const char *const ImportUsage =
    "Usage: verbaria-tool import TEMPLATE TABLE -o LANGUAGE|- [--program-folder DIR] [--code-page NAME]\n"
    "                            [--track]\n"
    "\n"
    "Reads TABLE in the form that 'verbaria-tool export' prints and writes LANGUAGE exactly as the\n"
    "editor saves it. The #language, #version, #author and #template lines set the header; each\n"
    "data line sets the translation of its row. A row that is not an entry of TEMPLATE, or whose\n"
    "number differs from that entry's number, is an error, and nothing is written.\n"
    "A \"#codepage\" line gives the language file's code page (written into it as \"Codepage=\"); a\n"
    "table whose first line is \"#encoding<TAB>UTF-8\" is converted back into that code page, and a\n"
    "text it cannot hold, or a translation with a line break, is an error too.\n"
    "\n"
    "  --code-page NAME     the code page of files that declare none (default: windows-1250)\n"
    "  --track              the language file written records the original of each translation\n"
    "                       (a table exported from such a file, \"#tracking\", does so too)\n"
    "\n"
    "Exit status: 0 on success, 1 on an error in the files, 2 for a usage error.\n";

int RunImport(const std::vector<std::string> &args)
{
    ExchangeOptions options;
    std::string format = "table";
    OptionParser parser("import");
    parser.Value({"--format"}, format)
        .Include(shared::Output, options.Output)
        .Include(shared::ProgramFolder, options.ProgramFolder)
        .Include(shared::CodePage, options.CodePageName)
        .Include(shared::Description, options.Description)
        .Flag({"--ignore-unknown"}, options.IgnoreUnknown)
        .Include(shared::Track, options.Track);
    if (const auto status = parser.Parse(args))
        return *status;
    options.Positional = parser.Arguments();
    std::optional<int> formatStatus;
    const exchange::ExchangeFormat *exchangeFormat = FormatOption(format, parser, formatStatus);
    if (formatStatus)
        return *formatStatus;
    if (format == "table" && (!options.Description.empty() || options.IgnoreUnknown))
        return parser.Error(std::string("option '") +
                            (options.IgnoreUnknown ? "--ignore-unknown" : "--description") +
                            "' is for --format xliff or po");
    if (const auto status = UseDefaultCodePage(parser, options.CodePageName))
        return *status;
    if (exchangeFormat)
        return RunExchangeImport(*exchangeFormat, options);

    const std::vector<std::string> &positional = options.Positional;
    if (positional.size() != 2)
        return parser.Error("a template and a table are needed");
    if (options.Output.empty())
        return parser.Error("the language file to write is needed (-o LANGUAGE)");

    std::string table;
    try {
        if (positional[1] == "-") {
            table.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        } else if (!ReadFileBytes(positional[1], table)) {
            PrintError(positional[1] + ": File not found");
            return ExitFailure;
        }
        DocumentSession session(options.ProgramFolder, options.CodePageName, false);
        if (!session.LoadTemplate(positional[0])) {
            PrintError(positional[0] + ": template not found");
            return ExitFailure;
        }
        const std::string error =
            ApplyImportTable(table, session.Document(), [](std::string_view utf8, const std::string &name) {
                const std::optional<CodePage> target = CodePage::Named(QString::fromStdString(name));
                if (!target)
                    return std::optional<std::string>();
                return target->Encode(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
            });
        if (!error.empty()) {
            PrintError(positional[1] + ": " + error);
            return ExitFailure;
        }
        if (options.Track)
            session.Document().SetTracking(true);
        WriteOutput(options.Output, session.Document().SavedBytes());
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
