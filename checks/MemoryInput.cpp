#include "checks/MemoryInput.h"

#include "checks/ScannedTexts.h"
#include "formats/LanguageFile.h"
#include "formats/TemplateFile.h"
#include "formats/TextRules.h"
#include "formats/TrackedOriginals.h"

#include <vector>

namespace verbaria::checks {

void AddLanguageFile(TranslationMemory &memory, std::uint32_t file, std::string_view templateBytes,
                     std::string_view languageBytes, const Decoder &templateDecoder,
                     const Decoder &languageDecoder)
{
    // Each file is decoded once as a whole: the marks the lines are read by (line ends, ":", "=",
    // quotes, digits) are the same bytes in UTF-8 as in every code page the files use.
    const std::string templateText =
        templateDecoder ? templateDecoder(templateBytes) : std::string(templateBytes);
    const std::string languageText =
        languageDecoder ? languageDecoder(languageBytes) : std::string(languageBytes);
    EditorTemplate parsed;
    ScannedTexts scanned;
    ReadTemplateWithScannedTexts(templateText, parsed, scanned);
    NumberIndex index;
    index.Build(parsed.Items);
    // A later line for a number overrides an earlier one, as in the readers.
    std::vector<std::string_view> translations(parsed.Items.size());
    ForEachLanguageLine(
        languageText, [](std::string_view, std::string_view) {},
        [&](std::int32_t number, std::string_view value) {
            const std::int32_t i = index.IndexOf(number);
            if (i >= 0)
                translations[static_cast<std::size_t>(i)] = value;
        });
    for (std::size_t i = 0; i < parsed.Items.size(); ++i) {
        const TEditorItem &item = parsed.Items[i];
        if (translations[i].empty())
            continue;
        if (item.Kind == ikMessage) {
            memory.Add(file, item.Number, item.Text, translations[i]);
        } else if (item.Kind == ikComponent) {
            const auto found = scanned.find(item.Number);
            if (found != scanned.end())
                memory.Add(file, item.Number, found->second, translations[i]);
        }
    }
    // The translations the template no longer has stay in a file that tracks its originals, with
    // the original each was made from (in the template's code page): the memory offers them too.
    for (const auto &[number, kept] : ReadTrackedOriginals(languageBytes).Obsolete) {
        if (kept.Original.empty())
            continue;
        memory.Add(file, number, templateDecoder ? templateDecoder(kept.Original) : kept.Original,
                   languageDecoder ? languageDecoder(kept.Translation) : kept.Translation);
    }
}

} // namespace verbaria::checks
