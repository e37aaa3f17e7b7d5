#include "checks/MemoryInput.h"

#include "checks/ScannedTexts.h"
#include "formats/LanguageFile.h"
#include "formats/TemplateFile.h"
#include "formats/TextRules.h"

#include <unordered_map>
#include <vector>

namespace verbaria::checks {

void AddLanguageFile(TranslationMemory &memory, std::uint32_t file, std::string_view templateBytes,
                     std::string_view languageBytes, const Decoder &templateDecoder,
                     const Decoder &languageDecoder)
{
    EditorTemplate parsed;
    TemplateReader(parsed).ReadAll(templateBytes);
    const auto scanned = ReadScannedTexts(templateBytes);
    NumberIndex index;
    index.Build(parsed.Items);
    // A later line for a number overrides an earlier one, as in the readers.
    std::vector<std::pair<std::int32_t, std::string_view>> translations;
    std::unordered_map<std::int32_t, std::size_t> position;
    ForEachLine(languageBytes, [&](std::string_view line) {
        const auto split = SplitLanguageLine(line);
        if (!split || !split->IsItem || index.IndexOf(split->Number) < 0)
            return;
        const auto [it, added] = position.try_emplace(split->Number, translations.size());
        if (added)
            translations.emplace_back(split->Number, split->Value);
        else
            translations[it->second].second = split->Value;
    });
    const auto decode = [](const Decoder &decoder, std::string_view bytes) {
        return decoder ? decoder(bytes) : std::string(bytes);
    };
    for (const auto &[number, translation] : translations) {
        const TEditorItem &item = parsed.Items[static_cast<std::size_t>(index.IndexOf(number))];
        if (translation.empty())
            continue;
        if (item.Kind == ikMessage) {
            memory.Add(file, number, decode(templateDecoder, item.Text),
                       decode(languageDecoder, translation));
        } else if (item.Kind == ikComponent) {
            const auto found = scanned.find(number);
            if (found != scanned.end())
                memory.Add(file, number, decode(templateDecoder, found->second),
                           decode(languageDecoder, translation));
        }
    }
}

} // namespace verbaria::checks
