#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/TextRules.h"
#include "platform/CodePage.h"
#include "tool/Command.h"
#include "tool/DocumentSession.h"
#include "tool/ExchangeCommands.h"

#include <iostream>
#include <string>

namespace verbaria::tool {
namespace {

const char *const ExportUsage =
    "Usage: verbaria-tool export TEMPLATE [LANGUAGE] [--description FILE] [--follow-definition]\n"
    "                            [--program-folder DIR]\n"
    "\n"
    "Prints the document the editor shows for TEMPLATE, with FILE read into the left column as the\n"
    "description language and LANGUAGE into the right column, as a table: header lines\n"
    "\"#key<TAB>value\", then one line per template entry: ROW, KIND, NUMBER, LEFT, RIGHT, separated\n"
    "by TAB. Backslash, TAB, CR and LF inside a field are written as \\\\, \\t, \\r and \\n.\n"
    "\n"
    "  --description FILE   read FILE into the left column first\n"
    "  --follow-definition  when LANGUAGE belongs to another template, switch to that template\n"
    "  --program-folder DIR look for registered programs in DIR/programs.ini (default: the tool's folder)\n"
    "  --utf8               print every text in UTF-8 (first line \"#encoding<TAB>UTF-8\"), so that a\n"
    "                       spreadsheet opens the table as it is; import converts it back\n"
    "  --code-page NAME     the code page of files that declare none (default: windows-1250)\n"
    "\n"
    "A language file that declares its code page adds the header line \"#codepage<TAB>NAME\".\n"
    "\n"
    "Exit status: 0 on success, 1 when a file could not be read, 2 for a usage error.\n";

void PrintTable(LanguageDocument &document, bool utf8)
{
    std::string out;
    const DocumentHeader &header = document.Header();
    // Bytes as the files hold them, or each converted from its own file's code page.
    const CodePage languagePage = CodePage::ForDeclared(document.LanguageCodePage());
    const CodePage templatePage = CodePage::ForDeclared(document.TemplateCodePage());
    const CodePage descriptionPage = CodePage::ForDeclared(document.DescriptionCodePage());
    auto text = [utf8](const CodePage &codePage, const std::string &bytes) {
        return utf8 ? codePage.Decode(bytes).toStdString() : bytes;
    };
    auto line = [&out](std::string_view key, std::string_view value) {
        out += key;
        out += '\t';
        AppendEscapedField(out, value);
        out += '\n';
    };
    if (utf8)
        line("#encoding", "UTF-8");
    if (!header.KodovaStranka.empty())
        line("#codepage", header.KodovaStranka);
    line("#template", text(languagePage, header.editSablona));
    line("#program", text(templatePage, header.editProgram));
    line("#program-version", text(templatePage, header.editVerzeProgramu));
    line("#program-author", text(templatePage, LineBreaksToPipe(header.memoAutorProgramu)));
    line("#language", text(languagePage, header.editJazyk));
    line("#version", text(languagePage, header.editVerzeJazyka));
    line("#author", text(languagePage, LineBreaksToPipe(header.memoAutorJazyka)));
    line("#count", std::to_string(document.pocetKPrekladu()));
    line("#rows", std::to_string(document.Grid().RowCount()));
    const GridCells &grid = document.Grid();
    const auto &items = document.polozky();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        if (row >= grid.RowCount())
            break;
        out += std::to_string(row);
        out += '\t';
        out += KindKeyword(items[i].Kind);
        out += '\t';
        out += std::to_string(items[i].Number);
        out += '\t';
        if (utf8) {
            const bool described = grid.EncodingOf(0, row) == GridCells::DescriptionEncoding;
            AppendEscapedField(out, text(described ? descriptionPage : templatePage, grid.Text(0, row)));
            out += '\t';
            AppendEscapedField(out, text(languagePage, grid.Text(1, row)));
        } else {
            AppendEscapedField(out, grid.Text(0, row));
            out += '\t';
            AppendEscapedField(out, grid.Text(1, row));
        }
        out += '\n';
        if (out.size() > (1u << 20)) {
            std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
            out.clear();
        }
    }
    std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
    std::cout.flush();
}

int RunExport(const std::vector<std::string> &commandArgs)
{
    std::vector<std::string> args = commandArgs;
    const auto format = TakeFormatOption("export", args);
    if (!format)
        return ExitUsage;
    if (*format != "table")
        return RunExchangeExport(*format, args);
    std::vector<std::string> positional;
    std::string description;
    std::string programFolder;
    std::string codePage;
    bool follow = false;
    bool utf8 = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (arg == "--description" || arg == "--program-folder" || arg == "--code-page") {
            if (i + 1 == args.size())
                return UsageError("export", "option " + arg + " needs a value");
            (arg == "--description" ? description
             : arg == "--code-page" ? codePage
                                    : programFolder) = args[++i];
        } else if (arg == "--follow-definition") {
            follow = true;
        } else if (arg == "--utf8") {
            utf8 = true;
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            return UsageError("export", "unknown option " + arg);
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.empty() || positional.size() > 2)
        return UsageError("export", positional.empty() ? "a template is needed" : "too many arguments");
    const std::string language = positional.size() > 1 ? positional[1] : std::string();
    for (const std::string *file : std::initializer_list<const std::string *>{&description, &language}) {
        if (!file->empty() && !FileExists(*file)) {
            PrintError(*file + ": File not found");
            return ExitFailure;
        }
    }

    if (!codePage.empty() && !CodePage::SetDefault(QString::fromStdString(codePage)))
        return UsageError("export", "unknown code page " + codePage);
    DocumentSession session(programFolder);
    session.Document().Settings().KodovaStranka = codePage;
    session.Answers().FollowDefinition = follow;
    LanguageDocument &document = session.Document();
    try {
        if (!session.LoadTemplate(positional[0])) {
            PrintError(positional[0] + ": template not found");
            return ExitFailure;
        }
        if (!description.empty())
            document.NactiJazyk(description, 0);
        document.SetStartovani(false);
        if (!language.empty()) {
            document.SetSouborJazyka(language);
            document.NactiJazyk(language, 1);
        }
    } catch (const FormatError &error) {
        PrintTable(document, utf8);
        PrintError(error.what());
        return ExitFailure;
    }
    PrintTable(document, utf8);
    return ExitOk;
}

const CommandRegistration registration{
    Command{"export", "print a template with its translations as a table, XLIFF or PO",
            std::string(ExportUsage) + ExchangeExportUsage, RunExport}};

} // namespace
} // namespace verbaria::tool
