#include "tool/Command.h"
#include "tool/OptionParser.h"

#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/TextRules.h"
#include "platform/CodePage.h"
#include "translator/TKVTranslator.h"

#include <QByteArrayView>
#include <QStringDecoder>

#include <algorithm>
#include <iostream>
#include <iterator>
#include <optional>

namespace verbaria::tool {

namespace {

const char *const kLookupUsage =
    "Usage: verbaria-tool lookup [--template FILE] [--template-lines FILE] [--language FILE]...\n"
    "                            [--separator TEXT] [--code-page NAME] [--] [TEXT...]\n"
    "\n"
    "Answers message look-ups as a program's runtime translator would. Assigns, in this order,\n"
    "the template lines (one line of FILE each), the template file, then every language file in\n"
    "the order given; then prints the translation of each TEXT on a line of its own. Without TEXT\n"
    "the texts are read from standard input, one per line. A text may be given in UTF-8 (as a\n"
    "terminal types it) or as bytes in the template's code page; it is answered in the same form:\n"
    "the translation in UTF-8 or in the language file's bytes, an unknown text as it was given.\n"
    "A text that is not valid UTF-8 is taken as bytes.\n";

std::vector<std::string> FileLines(const std::string &path)
{
    std::string bytes;
    if (!ReadFileBytes(path, bytes))
        throw InOutError("File not found: " + path);
    std::vector<std::string> lines;
    ForEachLine(bytes, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

// The text read as UTF-8, when it is valid UTF-8 beyond plain ASCII (which reads the same either
// way).
std::optional<QString> Utf8Text(std::string_view text)
{
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = decoder(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    if (decoder.hasError())
        return std::nullopt;
    return decoded;
}

// A file's code page: the one it declares, else the default.
CodePage CodePageOf(const std::string &declared, const std::string &fallback)
{
    for (const std::string &name : {declared, fallback}) {
        if (name.empty())
            continue;
        if (std::optional<CodePage> named = CodePage::Named(QString::fromStdString(name)))
            return *std::move(named);
    }
    return CodePage();
}

int Lookup(const std::vector<std::string> &args)
{
    std::string templateFile;
    std::string templateLines;
    std::vector<std::string> languages;
    std::optional<std::string> separator;
    std::string codePage;
    OptionParser options("lookup");
    options.Include(shared::Template, templateFile)
        .Value({"--template-lines"}, templateLines)
        .Include(shared::Language, languages)
        .Include(shared::Separator, separator)
        .Include(shared::CodePage, codePage);
    if (const auto status = options.Parse(args))
        return *status;
    const std::vector<std::string> &texts = options.Arguments();

    try {
        TKVTranslator translator;
        if (!codePage.empty())
            translator.SetDefaultCodePage(codePage);
        if (separator)
            translator.SetSeparator(*separator);
        if (!templateLines.empty())
            translator.SetTemplate(FileLines(templateLines));
        // A missing file changes nothing, as in the program; a word about it saves a puzzled user.
        if (!templateFile.empty() && !translator.LoadTemplate(templateFile))
            PrintError("warning: no template " + templateFile);
        for (const std::string &language : languages) {
            if (!FileExists(language))
                PrintError("warning: no language file " + language);
            translator.SetLanguageFile(language);
        }

        translator.ReadFiles();
        const CodePage templateCodePage =
            CodePageOf(translator.TemplateInfo().CodePage, translator.DefaultCodePage());
        const CodePage languageCodePage =
            CodePageOf(translator.LanguageInfo().CodePage, translator.DefaultCodePage());

        std::string out;
        auto answer = [&](std::string_view text) {
            // Typed in a UTF-8 terminal, the text is looked up in the template's code page and
            // answered in UTF-8; bytes of the files' own code page as they are.
            const std::string *translation = nullptr;
            if (const std::optional<QString> unicode = Utf8Text(text)) {
                if (const std::optional<std::string> key = templateCodePage.Encode(*unicode))
                    translation = translator.FindTranslation(*key);
            }
            if (translation)
                out += languageCodePage.Decode(*translation).toStdString();
            else
                out += translator.TranslateText(text);
            out += '\n';
        };
        if (texts.empty()) {
            const std::string input{std::istreambuf_iterator<char>(std::cin),
                                    std::istreambuf_iterator<char>()};
            ForEachLine(input, answer);
        } else {
            for (const std::string &text : texts)
                answer(text);
        }
        std::cout << out << std::flush;
        return std::cout ? ExitOk : ExitFailure;
    } catch (const FormatError &error) {
        PrintError(error.what());
        return ExitFailure;
    }
}

const CommandRegistration registration{
    Command{"lookup", "translate message texts with a template and language files", kLookupUsage, Lookup}};

} // namespace

} // namespace verbaria::tool
