#include "formats/LanguageTag.h"

#include "formats/Errors.h"
#include "formats/LanguageFile.h"
#include "formats/TextRules.h"

#include <vector>

namespace verbaria {

namespace {

constexpr std::string_view Prefix = "/Language-Tag:";

bool IsTagLine(std::string_view line)
{
    return line.size() >= Prefix.size() && EqualsIgnoringAsciiCase(line.substr(0, Prefix.size()), Prefix);
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

bool AllOf(std::string_view text, bool (*test)(char))
{
    for (const char c : text) {
        if (!test(c))
            return false;
    }
    return !text.empty();
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::vector<std::string_view> Subtags(std::string_view tag)
{
    std::vector<std::string_view> parts;
    while (true) {
        const std::size_t dash = tag.find('-');
        parts.push_back(tag.substr(0, dash));
        if (dash == std::string_view::npos)
            return parts;
        tag.remove_prefix(dash + 1);
    }
}

} // namespace

bool IsLanguageTag(std::string_view text)
{
    if (text.empty() || text.size() > 32)
        return false;
    const std::vector<std::string_view> parts = Subtags(text);
    std::size_t next = 0;
    const std::string_view language = parts[next++];
    if (language.size() < 2 || language.size() > 3 || !AllOf(language, IsLetter))
        return false;
    if (next < parts.size() && parts[next].size() == 4 && AllOf(parts[next], IsLetter))
        ++next;
    if (next < parts.size() && ((parts[next].size() == 2 && AllOf(parts[next], IsLetter)) ||
                                (parts[next].size() == 3 && AllOf(parts[next], IsDigit))))
        ++next;
    return next == parts.size();
}

std::optional<std::string> ReadLanguageTag(std::string_view languageBytes)
{
    std::optional<std::string> tag;
    ForEachLine(languageBytes, [&](std::string_view line) {
        if (!IsTagLine(line))
            return;
        const std::string_view value = TrimBlanks(line.substr(Prefix.size()));
        if (IsLanguageTag(value))
            tag = std::string(value);
    });
    return tag;
}

std::string WithLanguageTag(std::string_view languageBytes, std::string_view tag)
{
    const bool write = IsLanguageTag(tag);
    std::string out;
    out.reserve(languageBytes.size() + Prefix.size() + tag.size() + 3);
    bool written = false;
    const auto writeTag = [&] {
        if (write && !written) {
            out.append(Prefix).append(" ").append(tag).append("\r\n");
            written = true;
        }
    };
    ForEachLineWithEnd(languageBytes, [&](std::string_view whole, std::string_view line) {
        if (IsTagLine(line))
            return;
        if (IsItemLine(line))
            writeTag();
        out += whole;
    });
    if (write && !written && !out.empty() && out.back() != '\n')
        out += "\r\n";
    writeTag();
    return out;
}

std::string PrimaryLanguageOf(std::string_view tag)
{
    return std::string(tag.substr(0, tag.find('-')));
}

std::string PoLanguageOf(std::string_view tag)
{
    std::string language(tag);
    for (char &c : language) {
        if (c == '-')
            c = '_';
    }
    return language;
}

} // namespace verbaria
