#include "tool/MemoryFiles.h"

#include "tool/Command.h"
#include "tool/FileTexts.h"

#include "checks/MemoryBuilder.h"
#include "formats/CodePageNames.h"
#include "formats/Errors.h"
#include "formats/LanguageFile.h"

namespace verbaria::tool {

std::string LanguageNameOf(const std::string &languageFile)
{
    return LanguageHeaderValue(ReadLanguageTexts(languageFile, std::string(FallbackCodePageName)).Bytes,
                               "LANGUAGE");
}

void AddLanguageFiles(checks::TranslationMemory &memory, const std::vector<std::string> &languageFiles,
                      const std::string &templateFile, const std::string &fallbackCodePage)
{
    checks::MemoryBuilder builder(memory, [&fallbackCodePage](const std::string &declared) {
        return DecoderFor(CodePageToUse(declared, fallbackCodePage));
    });
    for (const std::string &file : languageFiles) {
        const checks::MemoryBuilder::Result added = builder.Add(file, file, {}, templateFile);
        if (added.What == checks::MemoryBuilder::Outcome::LanguageUnreadable)
            throw InOutError("File not found: " + file);
        if (added.What == checks::MemoryBuilder::Outcome::TemplateUnreadable)
            throw InOutError("File not found: " + added.Template);
        if (added.What == checks::MemoryBuilder::Outcome::NoTemplate)
            PrintError("warning: left out, no template found for " + file);
    }
    builder.Finish();
}

std::string DescribeSources(const checks::TranslationMemory &memory, const checks::Suggestion &suggestion)
{
    std::string out;
    for (const checks::MemorySource &source : suggestion.Sources) {
        if (!out.empty())
            out += ' ';
        out += memory.Files()[source.File] + '#' + std::to_string(source.Number);
    }
    return out;
}

} // namespace verbaria::tool
