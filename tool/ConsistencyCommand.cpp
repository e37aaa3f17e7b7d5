#include "tool/Command.h"
#include "tool/MemoryFiles.h"
#include "tool/OptionParser.h"

#include "formats/CodePageNames.h"
#include "formats/Errors.h"

#include <algorithm>
#include <iostream>

namespace verbaria::tool {

namespace {

const char *const kConsistencyUsage =
    "Usage: verbaria-tool consistency LANGUAGE... [--template FILE] [--code-page NAME]\n"
    "\n"
    "Lists every original that the language files of one language translate in more than one\n"
    "way. For each language (the files' LANGUAGE value) with such originals a line\n"
    "\"Language=NAME\", then each original on a line of its own, then one line per translation: a\n"
    "tab, the translation, a tab and where it stands (FILE#NUMBER ...), the most used first.\n"
    "A message's original is its text; a\n"
    "component's is the text scan noted above it in the template. Each file is read with the\n"
    "template its DEFINITION names, or with --template. Texts are printed in UTF-8. Files that\n"
    "declare no code page are read in NAME (default windows-1250).\n"
    "\n"
    "Exit status: 0, also when the files disagree; 1 when a file could not be read; 2 for a usage\n"
    "error.\n";

const char *const kSuggestUsage =
    "Usage: verbaria-tool suggest TEXT... --memory LANGUAGE... [--template FILE] [--minimum PERCENT]\n"
    "                             [--language NAME] [--code-page NAME]\n"
    "\n"
    "Asks the translation memory of the language files whose LANGUAGE is NAME (default: that of\n"
    "the first file) for each TEXT (UTF-8): prints a line\n"
    "\"TEXT\" and then one line per suggestion, the exact ones first, then originals at least\n"
    "PERCENT similar (default 75), best first: a tab, the score, a tab, the translation, a tab,\n"
    "the original and a tab and where it stands (FILE#NUMBER ...). --memory takes the files after\n"
    "it, up to the next option.\n";

struct MemoryOptions
{
    std::vector<std::string> Files;
    std::vector<std::string> Texts;
    std::string Template;
    std::string CodePage{FallbackCodePageName};
    std::string Language;
    bool LanguageGiven = false;
    int Minimum = 75;
};

// The files by their language, in the order first named.
std::vector<std::pair<std::string, std::vector<std::string>>>
ByLanguage(const std::vector<std::string> &files)
{
    std::vector<std::pair<std::string, std::vector<std::string>>> groups;
    for (const std::string &file : files) {
        const std::string name = LanguageNameOf(file);
        auto it = std::find_if(groups.begin(), groups.end(), [&](const auto &g) { return g.first == name; });
        if (it == groups.end())
            it = groups.insert(groups.end(), {name, {}});
        it->second.push_back(file);
    }
    return groups;
}

int Consistency(const std::vector<std::string> &args)
{
    MemoryOptions options;
    OptionParser parser("consistency");
    parser.Include(shared::Template, options.Template).Include(shared::CodePage, options.CodePage);
    if (const auto status = parser.Parse(args))
        return *status;
    options.Files = parser.Arguments();
    if (options.Files.empty())
        return parser.Error("no language file given");
    try {
        for (const auto &[language, files] : ByLanguage(options.Files)) {
            checks::TranslationMemory memory;
            AddLanguageFiles(memory, files, options.Template, options.CodePage);
            const std::vector<checks::Inconsistency> report = memory.Inconsistencies();
            if (!report.empty())
                std::cout << "Language=" << language << '\n';
            for (const checks::Inconsistency &found : report) {
                std::cout << found.Original << '\n';
                for (const checks::Suggestion &translation : found.Translations)
                    std::cout << '\t' << translation.Translation << '\t'
                              << DescribeSources(memory, translation) << '\n';
            }
        }
    } catch (const FormatError &error) {
        PrintError(error.what());
        return ExitFailure;
    }
    std::cout << std::flush;
    return ExitOk;
}

int Suggest(const std::vector<std::string> &args)
{
    MemoryOptions options;
    std::optional<std::string> minimum;
    std::optional<std::string> wantedLanguage;
    OptionParser parser("suggest");
    parser.Include(shared::Memory, options.Files)
        .Include(shared::Template, options.Template)
        .Include(shared::CodePage, options.CodePage)
        .Value({"--language"}, wantedLanguage)
        .Value({"--minimum"}, minimum);
    if (const auto status = parser.Parse(args))
        return *status;
    options.Texts = parser.Arguments();
    if (wantedLanguage) {
        options.Language = *wantedLanguage;
        options.LanguageGiven = true;
    }
    if (minimum) {
        try {
            options.Minimum = std::stoi(*minimum);
        } catch (const std::exception &) {
            options.Minimum = -1;
        }
        if (options.Minimum < 1 || options.Minimum > 100)
            return parser.Error("'" + *minimum + "' is not a percentage from 1 to 100");
    }
    if (options.Files.empty())
        return parser.Error("no --memory language file given");
    if (options.Texts.empty())
        return parser.Error("no text given");
    checks::TranslationMemory memory;
    try {
        const auto groups = ByLanguage(options.Files);
        const std::string wanted = options.LanguageGiven ? options.Language : groups.front().first;
        for (const auto &[language, files] : groups) {
            if (language == wanted)
                AddLanguageFiles(memory, files, options.Template, options.CodePage);
        }
    } catch (const FormatError &error) {
        PrintError(error.what());
        return ExitFailure;
    }
    for (const std::string &text : options.Texts) {
        std::cout << text << '\n';
        std::vector<checks::Suggestion> suggestions = memory.Exact(text);
        for (checks::Suggestion &similar : memory.Similar(text, options.Minimum))
            suggestions.push_back(std::move(similar));
        for (const checks::Suggestion &s : suggestions)
            std::cout << '\t' << s.Score << '\t' << s.Translation << '\t' << s.Original << '\t'
                      << DescribeSources(memory, s) << '\n';
    }
    std::cout << std::flush;
    return ExitOk;
}

const CommandRegistration consistency{
    Command{"consistency", "list originals that language files translate in different ways",
            kConsistencyUsage, Consistency}};
const CommandRegistration suggest{
    Command{"suggest", "ask the translation memory of language files for texts", kSuggestUsage, Suggest}};

} // namespace

} // namespace verbaria::tool
