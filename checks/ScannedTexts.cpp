#include "checks/ScannedTexts.h"

#include "formats/Errors.h"
#include "formats/TemplateFile.h"
#include "formats/TextRules.h"

#include <optional>
#include <unordered_set>

namespace verbaria::checks {

namespace {

constexpr std::string_view kPrefix = "/Text=";

} // namespace

std::string ScannedTextComment(std::string_view text)
{
    return std::string(kPrefix) + std::string(text);
}

bool IsScannedTextComment(std::string_view line)
{
    line = TrimLeftBlanks(line);
    return line.size() >= kPrefix.size() && EqualsIgnoringAsciiCase(line.substr(0, kPrefix.size()), kPrefix);
}

std::unordered_map<std::int32_t, std::string> ReadScannedTexts(std::string_view templateBytes)
{
    std::unordered_map<std::int32_t, std::string> texts;
    std::optional<std::string> pending;
    std::unordered_set<std::int32_t> seen;
    bool itemsMode = true;
    ForEachLine(templateBytes, [&](std::string_view rawLine) {
        const std::string_view line = TrimLeftBlanks(rawLine);
        if (line.empty())
            return;
        if (line.front() == '/') {
            if (IsScannedTextComment(line))
                pending.emplace(line.substr(kPrefix.size()));
            return;
        }
        if (line.front() == '[') {
            std::string_view name = line.substr(1);
            if (!name.empty() && name.back() == ']')
                name.remove_suffix(1);
            const std::string upper = UpperAscii(name);
            if (upper == "LANGUAGE")
                itemsMode = false;
            else if (upper == "ITEMS")
                itemsMode = true;
            pending.reset();
            return;
        }
        if (!itemsMode)
            return;
        DefinitionLine entry;
        try {
            ParseDefinitionLine(line, TemplateFlavour::Editor, entry);
        } catch (const FormatError &) {
            pending.reset();
            return;
        }
        const bool first = seen.insert(entry.Number).second;
        if (first && pending && entry.Kind == ikComponent && entry.Number >= 0)
            texts.emplace(entry.Number, std::move(*pending));
        pending.reset();
    });
    return texts;
}

} // namespace verbaria::checks
