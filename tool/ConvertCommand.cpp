#include "tool/Command.h"

#include "formats/Errors.h"
#include "formats/OldFormat.h"
#include "platform/CodePage.h"

#include <optional>

namespace verbaria::tool {

namespace {

constexpr const char *CommandName = "convert";

// "--name VALUE" or "--name=VALUE"; index moves past what was taken.
bool TakeOption(const std::vector<std::string> &args, std::size_t &index, std::string_view name,
                std::optional<std::string> &value, std::string &error)
{
    const std::string &arg = args[index];
    if (arg == name) {
        if (index + 1 >= args.size()) {
            error = "option '" + std::string(name) + "' needs a file name";
            return true;
        }
        value = args[++index];
        return true;
    }
    const std::string prefix = std::string(name) + "=";
    if (arg.starts_with(prefix)) {
        value = arg.substr(prefix.size());
        return true;
    }
    return false;
}

int RunConvert(const std::vector<std::string> &args)
{
    std::optional<std::string> oldFile;
    std::optional<std::string> languageFile;
    std::optional<std::string> templateFile;
    std::optional<std::string> codePageName;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string error;
        if (TakeOption(args, i, "--language", languageFile, error) ||
            TakeOption(args, i, "--template", templateFile, error) ||
            TakeOption(args, i, "--code-page", codePageName, error)) {
            if (!error.empty())
                return UsageError(CommandName, error);
            continue;
        }
        const std::string &arg = args[i];
        if (arg.size() > 1 && arg.starts_with("-"))
            return UsageError(CommandName, "unknown option '" + arg + "'");
        if (oldFile)
            return UsageError(CommandName, "more than one old-format file given");
        oldFile = arg;
    }
    if (!oldFile)
        return UsageError(CommandName, "no old-format file given");
    if (!languageFile || languageFile->empty())
        return UsageError(CommandName, "--language OUT.lng is required");
    if (!templateFile || templateFile->empty())
        return UsageError(CommandName, "--template OUT.lnd is required");
    std::string unknownProgram;
    if (codePageName) {
        const std::optional<CodePage> codePage = CodePage::Named(QString::fromStdString(*codePageName));
        if (!codePage)
            return UsageError(CommandName, "unknown code page '" + *codePageName + "'");
        unknownProgram = codePage->EncodeLossy(QStringLiteral("Neznámý"));
    }
    try {
        ConvertOldFormatFile(*oldFile, *languageFile, *templateFile, codePageName.value_or(std::string()),
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
