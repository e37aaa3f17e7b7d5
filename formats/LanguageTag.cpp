#include "formats/LanguageTag.h"

#include "formats/CommentValue.h"

#include <vector>

namespace verbaria {

namespace {

constexpr std::string_view Prefix = "/Language-Tag:";

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
    return ReadCommentValue(languageBytes, Prefix, IsLanguageTag);
}

std::string WithLanguageTag(std::string_view languageBytes, std::string_view tag)
{
    return WithCommentValue(languageBytes, Prefix, tag, IsLanguageTag);
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
