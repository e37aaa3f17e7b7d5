#include "tool/MemoryFiles.h"

#include "tool/Command.h"
#include "tool/FileTexts.h"

#include "checks/MemoryInput.h"
#include "formats/FindTemplateFile.h"
#include "formats/LanguageFile.h"
#include "formats/TextRules.h"

#include <map>

namespace verbaria::tool {

std::string LanguageNameOf(const std::string &languageFile)
{
    return LanguageHeaderValue(ReadLanguageTexts(languageFile, "windows-1250").Bytes, "LANGUAGE");
}

void AddLanguageFiles(checks::TranslationMemory &memory, const std::vector<std::string> &languageFiles,
                      const std::string &templateFile, const std::string &fallbackCodePage)
{
    std::map<std::string, TemplateTexts> templates; // a template serves all its languages
    for (const std::string &file : languageFiles) {
        const LanguageTexts language = ReadLanguageTexts(file, fallbackCodePage);
        std::string path = templateFile;
        if (path.empty()) {
            const std::string definition = LanguageHeaderValue(language.Bytes, "DEFINITION");
            if (!definition.empty())
                path = FindTemplateFile(definition, file, [] { return std::vector<std::string>(); });
        }
        if (path.empty()) {
            PrintError("warning: left out, no template found for " + file);
            continue;
        }
        auto found = templates.find(path);
        if (found == templates.end())
            found = templates.emplace(path, ReadTemplateTexts(path, fallbackCodePage)).first;
        checks::AddLanguageFile(memory, memory.AddFile(file), found->second.Bytes, language.Bytes,
                                DecoderFor(found->second.CodePage), DecoderFor(language.CodePage));
    }
    memory.Build();
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
