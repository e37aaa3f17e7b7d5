#include "settings/core/CommandLine.h"

#include "formats/FileIO.h"
#include "formats/Paths.h"
#include "formats/TextRules.h"

#include <optional>
#include <string_view>

namespace verbaria {

namespace {

bool IsStrippedAtEnds(char c)
{
    return c == ' ' || c == '\t' || c == '"';
}

std::string_view StripBlanksAndQuotes(std::string_view text)
{
    while (!text.empty() && IsStrippedAtEnds(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsStrippedAtEnds(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string ExtensionOf(const std::string &path)
{
    const std::string name = FileNameOf(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

} // namespace

void ZpracujParametry(const std::vector<std::string> &parameters, SettingsValues &values)
{
    if (parameters.empty())
        return;
    std::string joined;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (i > 0)
            joined += ' ';
        joined += parameters[i];
    }
    const std::string_view named = StripBlanksAndQuotes(joined);
    if (named.empty())
        return;
    const std::string path = AbsolutePath(named);
    if (!FileExists(path))
        return;

    // The platform finds JazykRozhrani without regard to case; the real name is what gets stored.
    const std::optional<std::string> descriptionLanguage =
        values.JazykRozhrani.empty() ? std::nullopt
                                     : FindFileIgnoringCase(FolderOf(path) + values.JazykRozhrani);

    if (UpperAscii(ExtensionOf(path)) == ".LND") {
        values.PosledniSablona = path;
        values.PosledniJazyk.clear();
    } else {
        values.PosledniJazyk = path;
    }
    if (descriptionLanguage)
        values.JazykProPopisy = *descriptionLanguage;
}

} // namespace verbaria
