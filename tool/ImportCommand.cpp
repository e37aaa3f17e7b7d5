#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/TextRules.h"
#include "tool/Command.h"
#include "tool/DocumentSession.h"

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

std::vector<std::string_view> SplitTabs(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

// Applies the table to the document; returns an error message, or "" when every line fitted.
std::string ApplyTable(std::string_view table, LanguageDocument &document)
{
    std::string error;
    std::size_t lineNumber = 0;
    std::string value;
    ForEachLine(table, [&](std::string_view line) {
        ++lineNumber;
        if (!error.empty())
            return;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            return;
        auto fail = [&](const std::string &what) { error = "line " + std::to_string(lineNumber) + ": " + what; };
        const auto fields = SplitTabs(line);
        if (line.front() == '#') {
            if (fields.size() != 2) {
                fail("a header line needs one TAB between key and value");
                return;
            }
            if (!UnescapeField(fields[1], value)) {
                fail("invalid escape");
                return;
            }
            DocumentHeader &header = document.Header();
            if (fields[0] == "#language")
                header.editJazyk = value;
            else if (fields[0] == "#version")
                header.editVerzeJazyka = value;
            else if (fields[0] == "#author")
                header.memoAutorJazyka = PipeToLineBreaks(value);
            else if (fields[0] == "#template")
                header.editSablona = value;
            return;
        }
        if (fields.size() != 5) {
            fail("a data line needs five fields separated by TAB");
            return;
        }
        const auto row = ParseWholeNumber(fields[0]);
        const auto number = ParseWholeNumber(fields[2]);
        const auto &items = document.polozky();
        if (!row || *row < 1 || *row > static_cast<std::int32_t>(items.size())) {
            fail("row " + std::string(fields[0]) + " is not an entry of the template");
            return;
        }
        if (!number || *number != items[static_cast<std::size_t>(*row - 1)].Number) {
            fail("row " + std::string(fields[0]) + " has the number " +
                 std::to_string(items[static_cast<std::size_t>(*row - 1)].Number) + ", not " + std::string(fields[2]));
            return;
        }
        if (!UnescapeField(fields[4], value)) {
            fail("invalid escape");
            return;
        }
        document.Grid().SetText(1, *row, value);
    });
    return error;
}

int RunImport(const std::vector<std::string> &args)
{
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
        const std::string error = ApplyTable(table, session.Document());
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
    Command{"import", "write a language file from a table made by export", ImportUsage, RunImport}};

} // namespace
} // namespace verbaria::tool
