#include "formats/SpellingChoice.h"

#include "formats/Errors.h"
#include "formats/LanguageFile.h"
#include "formats/TextRules.h"

namespace verbaria {

namespace {

constexpr std::string_view Prefix = "/Spelling:";

bool IsChoiceLine(std::string_view line)
{
    return line.size() >= Prefix.size() && EqualsIgnoringAsciiCase(line.substr(0, Prefix.size()), Prefix);
}

// Dictionary names are file names like "cs_CZ", "de_DE_frami", "sr-Latn": nothing that could
// end the line or read as anything else.
bool IsDictionaryName(std::string_view name)
{
    if (name.empty() || name.size() > 64)
        return false;
    for (const char c : name) {
        const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                             c == '_' || c == '-' || c == '.' || c == '@';
        if (!allowed)
            return false;
    }
    return true;
}

bool IsItemLine(std::string_view line)
{
    try {
        const auto split = SplitLanguageLine(line);
        return split && split->IsItem;
    } catch (const FormatError &) {
        return true; // a broken item line is still where the items begin
    }
}

} // namespace

std::optional<std::string> ReadSpellingChoice(std::string_view languageBytes)
{
    std::optional<std::string> choice;
    ForEachLine(languageBytes, [&](std::string_view line) {
        if (!IsChoiceLine(line))
            return;
        const std::string_view value = TrimBlanks(line.substr(Prefix.size()));
        if (IsDictionaryName(value))
            choice = std::string(value);
    });
    return choice;
}

std::string WithSpellingChoice(std::string_view languageBytes, std::string_view choice)
{
    const bool write = IsDictionaryName(choice);
    std::string out;
    out.reserve(languageBytes.size() + Prefix.size() + choice.size() + 3);
    bool written = false;
    const auto writeChoice = [&] {
        if (write && !written) {
            out.append(Prefix).append(" ").append(choice).append("\r\n");
            written = true;
        }
    };
    ForEachLineWithEnd(languageBytes, [&](std::string_view whole, std::string_view line) {
        if (IsChoiceLine(line))
            return;
        if (IsItemLine(line))
            writeChoice();
        out += whole;
    });
    if (write && !written && !out.empty() && out.back() != '\n')
        out += "\r\n";
    writeChoice();
    return out;
}

} // namespace verbaria
