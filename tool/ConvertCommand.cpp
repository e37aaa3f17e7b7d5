#include "tool/Command.h"
#include "tool/OptionParser.h"

#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/LanguageFile.h"
#include "formats/OldFormat.h"
#include "formats/TrackedOriginals.h"
#include "platform/CodePage.h"

#include <optional>

namespace verbaria::tool {

namespace {

constexpr const char *CommandName = "convert";

// Rewrites the language file just written so that it records, for each translation, the
// original of the template written with it.
void TrackOriginals(const std::string &templateFile, const std::string &languageFile)
{
    std::string templateBytes;
    std::string languageBytes;
    if (!ReadFileBytes(templateFile, templateBytes) || !ReadFileBytes(languageFile, languageBytes))
        throw InOutError("File not found");
    EditorTemplate read;
    TemplateReader(read).ReadAll(templateBytes);
    const std::vector<std::string> originals = TemplateOriginals(templateBytes, read.Items);
    NumberIndex index;
    index.Build(read.Items);
    TrackedOriginals tracked;
    tracked.Tracking = true;
    ForEachLanguageLine(
        languageBytes, [](std::string_view, std::string_view) {},
        [&](std::int32_t number, std::string_view) {
            const std::int32_t at = index.IndexOf(number);
            if (at >= 0)
                tracked.Originals.try_emplace(number, originals[static_cast<std::size_t>(at)]);
        });
    WriteFileAtomically(languageFile, WithTrackedOriginals(languageBytes, tracked));
}

int RunConvert(const std::vector<std::string> &args)
{
    std::optional<std::string> languageFile;
    std::optional<std::string> templateFile;
    std::optional<std::string> codePageName;
    bool track = false;
    OptionParser options(CommandName);
    options.Include(shared::Language, languageFile)
        .Include(shared::Template, templateFile)
        .Include(shared::CodePage, codePageName)
        .Include(shared::Track, track);
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
        if (track)
            TrackOriginals(*templateFile, *languageFile);
    } catch (const FormatError &error) {
        PrintError(error.what());
        return ExitFailure;
    }
    return ExitOk;
}

const CommandRegistration registration(Command{
    CommandName,
    "convert an old-format translation into a language file and a template",
    "Usage: verbaria-tool convert OLD --language OUT.lng --template OUT.lnd [--code-page NAME] [--track]\n"
    "\n"
    "  --code-page NAME  the code page OLD is in (default: windows-1250); any other is declared in\n"
    "                    both new files\n"
    "  --track           OUT.lng records the original of each translation\n"
    "\n"
    "Reads the old single-file translation OLD to the end, then writes the new language file\n"
    "OUT.lng and the new template OUT.lnd. Components and messages are numbered in file order.\n"
    "Each output file is replaced only when it is complete. Prints nothing on success.\n",
    RunConvert,
});

} // namespace

} // namespace verbaria::tool
