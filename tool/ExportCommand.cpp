#include "exchange/DocumentExport.h"
#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/TextRules.h"
#include "platform/CodePage.h"
#include "tool/Command.h"
#include "tool/DocumentSession.h"
#include "tool/ExchangeCommands.h"
#include "tool/OptionParser.h"
#include "tool/SharedOptions.h"

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
    "by TAB. Backslash, TAB, CR and LF inside a field are written as \\\\, \\t, \\r and \\n. A component\n"
    "whose form's text the template notes (\"/Text=\", as scan writes it) has that text as LEFT, unless\n"
    "FILE gives one; the row and number say where it sits. In a file that tracks its originals\n"
    "(\"#tracking<TAB>originals\") a translation whose original changed since it was made has a sixth\n"
    "field: the original it was made from.\n"
    "\n"
    "  --description FILE   read FILE into the left column first\n"
    "  --follow-definition  when LANGUAGE belongs to another template, switch to that template\n"
    "  --program-folder DIR look for registered programs in DIR/programs.ini (default: the editor's\n"
    "                       program folder: the tool's folder when it may be written, else\n"
    "                       $XDG_CONFIG_HOME/verbaria/, as an installed editor keeps it)\n"
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
    if (header.SledovatOriginaly)
        line("#tracking", "originals");
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
    // A component's original is the form's text where the template notes it ("/Text="), unless a
    // description language gives another.
    const exchange::FormTexts formTexts = exchange::ReadFormTexts(document);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        if (row >= grid.RowCount())
            break;
        const bool described = grid.EncodingOf(0, row) == GridCells::DescriptionEncoding;
        const std::string *left = &grid.Text(0, row);
        if (!described && items[i].Kind == ikComponent && !formTexts.empty()) {
            if (const auto found = formTexts.find(items[i].Number);
                found != formTexts.end() &&
                document.IndexOfNumber(items[i].Number) == static_cast<std::int32_t>(i))
                left = &found->second;
        }
        out += std::to_string(row);
        out += '\t';
        out += KindKeyword(items[i].Kind);
        out += '\t';
        out += std::to_string(items[i].Number);
        out += '\t';
        if (utf8) {
            AppendEscapedField(out, text(described ? descriptionPage : templatePage, *left));
            out += '\t';
            AppendEscapedField(out, text(languagePage, grid.Text(1, row)));
        } else {
            AppendEscapedField(out, *left);
            out += '\t';
            AppendEscapedField(out, grid.Text(1, row));
        }
        if (const std::string *old = document.OldOriginal(i)) {
            out += '\t';
            AppendEscapedField(out, text(templatePage, *old));
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

int RunExport(const std::vector<std::string> &args)
{
    ExchangeOptions options;
    std::string format = "table";
    bool utf8 = false;
    std::optional<std::string> output;
    std::optional<std::string> sourceLanguage;
    std::optional<std::string> targetLanguage;
    OptionParser parser("export");
    parser.Value({"--format"}, format)
        .Include(shared::Description, options.Description)
        .Include(shared::ProgramFolder, options.ProgramFolder)
        .Include(shared::CodePage, options.CodePageName)
        .Include(shared::FollowDefinition, options.Follow)
        .Flag({"--utf8"}, utf8)
        .Include(shared::Output, output)
        .Value({"--source-language"}, sourceLanguage)
        .Value({"--target-language"}, targetLanguage);
    if (const auto status = parser.Parse(args))
        return *status;
    options.Positional = parser.Arguments();
    std::optional<int> formatStatus;
    const exchange::ExchangeFormat *exchangeFormat = FormatOption(format, parser, formatStatus);
    if (formatStatus)
        return *formatStatus;
    if (format == "table" && (output || sourceLanguage || targetLanguage))
        return parser.Error(std::string("option '") +
                            (output           ? "-o"
                             : sourceLanguage ? "--source-language"
                                              : "--target-language") +
                            "' is for --format xliff or po");
    if (format != "table" && utf8)
        return parser.Error("option '--utf8' is for --format table");
    if (const auto status = UseDefaultCodePage(parser, options.CodePageName))
        return *status;
    if (exchangeFormat) {
        options.Output = output.value_or(std::string());
        options.SourceLanguage = sourceLanguage.value_or(std::string());
        options.TargetLanguage = targetLanguage.value_or(std::string());
        return RunExchangeExport(*exchangeFormat, options);
    }

    const std::vector<std::string> &positional = options.Positional;
    if (positional.empty() || positional.size() > 2)
        return parser.Error(positional.empty() ? "a template is needed" : "too many arguments");
    const std::string language = positional.size() > 1 ? positional[1] : std::string();
    for (const std::string *file :
         std::initializer_list<const std::string *>{&options.Description, &language}) {
        if (!file->empty() && !FileExists(*file)) {
            PrintError(*file + ": File not found");
            return ExitFailure;
        }
    }

    DocumentSession session(options.ProgramFolder, options.CodePageName, options.Follow);
    LanguageDocument &document = session.Document();
    try {
        if (!session.LoadTemplate(positional[0])) {
            PrintError(positional[0] + ": template not found");
            return ExitFailure;
        }
        if (!options.Description.empty())
            document.NactiJazyk(options.Description, 0);
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
