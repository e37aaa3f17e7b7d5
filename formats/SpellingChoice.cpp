#include "formats/SpellingChoice.h"

#include "formats/CommentValue.h"

namespace verbaria {

namespace {

constexpr std::string_view Prefix = "/Spelling:";

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

} // namespace

std::optional<std::string> ReadSpellingChoice(std::string_view languageBytes)
{
    return ReadCommentValue(languageBytes, Prefix, IsDictionaryName);
}

std::string WithSpellingChoice(std::string_view languageBytes, std::string_view choice)
{
    return WithCommentValue(languageBytes, Prefix, choice, IsDictionaryName);
}

} // namespace verbaria
