#include "checks/ScannedTexts.h"

#include "formats/TemplateFile.h"
#include "formats/TextRules.h"

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

void ReadTemplateWithScannedTexts(std::string_view templateBytes, EditorTemplate &target,
                                  ScannedTexts &scanned)
{
    TemplateReader reader(target);
    std::string_view pending;
    bool hasPending = false;
    std::unordered_set<std::int32_t> seen;
    ForEachLine(templateBytes, [&](std::string_view line) {
        const std::string_view stripped = TrimLeftBlanks(line);
        if (stripped.empty())
            return;
        if (stripped.front() == '/') {
            if (IsScannedTextComment(stripped)) {
                pending = stripped.substr(kPrefix.size());
                hasPending = true;
            }
            return;
        }
        const std::size_t before = target.Items.size();
        reader.ReadLine(line);
        if (target.Items.size() > before) {
            const TEditorItem &entry = target.Items.back();
            const bool first = seen.insert(entry.Number).second;
            if (first && hasPending && entry.Kind == ikComponent && entry.Number >= 0)
                scanned.emplace(entry.Number, pending);
        }
        hasPending = false;
    });
}

ScannedTexts ReadScannedTexts(std::string_view templateBytes)
{
    EditorTemplate ignored;
    ScannedTexts scanned;
    ReadTemplateWithScannedTexts(templateBytes, ignored, scanned);
    return scanned;
}

} // namespace verbaria::checks
