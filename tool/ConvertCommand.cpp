#include "tool/Command.h"
#include "tool/OptionParser.h"

#include "formats/Errors.h"
#include "formats/OldFormat.h"
#include "platform/CodePage.h"

#include <optional>

namespace verbaria::tool {

namespace {

constexpr const char *CommandName = "convert";

int RunConvert(const std::vector<std::string> &args)
{
    std::optional<std::string> languageFile;
    std::optional<std::string> templateFile;
    std::optional<std::string> codePageName;
    OptionParser options(CommandName);
    options.Include(shared::Language, languageFile)
        .Include(shared::Template, templateFile)
        .Include(shared::CodePage, codePageName);
    if (const auto status = options.Parse(args))
        return *status;
    const std::vector<std::string> &files = options.Arguments();
    if (files.size() > 1)
        return options.Error("more than one old-format file given");
    if (files.empty())
        return options.Error("no old-format file given");
    const std::string &oldFile = files.front();
    if (!languageFile || languageFile->empty())
        return options.Error("--language OUT.lng is required");
    if (!templateFile || templateFile->empty())
        return options.Error("--template OUT.lnd is required");
    std::string unknownProgram;
    if (codePageName) {
        const std::optional<CodePage> codePage = CodePage::Named(QString::fromStdString(*codePageName));
        if (!codePage)
            return options.Error("unknown code page '" + *codePageName + "'");
        unknownProgram = codePage->EncodeLossy(QStringLiteral("Neznámý"));
    }
    try {
        ConvertOldFormatFile(oldFile, *languageFile, *templateFile, codePageName.value_or(std::string()),
                             unknownProgram);
    } catch (const FormatError &error) {
        PrintError(error.what());
        return ExitFailure;
    }
    return ExitOk;
}

const CommandRegistration registration(Command{
    CommandName,
    "convert an old-format translation into a language file and a template",
    "Usage: verbaria-tool convert OLD --language OUT.lng --template OUT.lnd [--code-page NAME]\n"
    "\n"
    "  --code-page NAME  the code page OLD is in (default: windows-1250); any other is declared in\n"
    "                    both new files\n"
    "\n"
    "Reads the old single-file translation OLD to the end, then writes the new language file\n"
    "OUT.lng and the new template OUT.lnd. Components and messages are numbered in file order.\n"
    "Each output file is replaced only when it is complete. Prints nothing on success.\n",
    RunConvert,
});

} // namespace

} // namespace verbaria::tool
