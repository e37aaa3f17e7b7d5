#include "tool/Command.h"
#include "tool/OptionParser.h"

#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/TextRules.h"
#include "translator/TKVTranslator.h"

#include <iostream>
#include <iterator>

namespace verbaria::tool {

namespace {

const char *const kLookupUsage =
    "Usage: verbaria-tool lookup [--template FILE] [--template-lines FILE] [--language FILE]...\n"
    "                            [--separator TEXT] [--code-page NAME] [--] [TEXT...]\n"
    "\n"
    "Answers message look-ups as a program's runtime translator would. Assigns, in this order,\n"
    "the template lines (one line of FILE each), the template file, then every language file in\n"
    "the order given; then prints the translation of each TEXT on a line of its own. Without TEXT\n"
    "the texts are read from standard input, one per line. Texts are bytes in the files' code\n"
    "page and are printed as they are.\n";

std::vector<std::string> FileLines(const std::string &path)
{
    std::string bytes;
    if (!ReadFileBytes(path, bytes))
        throw InOutError("File not found: " + path);
    std::vector<std::string> lines;
    ForEachLine(bytes, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

int Lookup(const std::vector<std::string> &args)
{
    std::string templateFile;
    std::string templateLines;
    std::vector<std::string> languages;
    std::optional<std::string> separator;
    std::string codePage;
    OptionParser options("lookup");
    options.Value({"--template"}, templateFile)
        .Value({"--template-lines"}, templateLines)
        .Values({"--language"}, languages)
        .Value({"--separator"}, separator)
        .Value({"--code-page"}, codePage);
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

        std::string out;
        auto answer = [&](std::string_view text) {
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
