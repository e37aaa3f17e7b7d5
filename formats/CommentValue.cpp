#include "formats/CommentValue.h"

#include "formats/LanguageFile.h"
#include "formats/TextRules.h"

namespace verbaria {

bool IsCommentValueLine(std::string_view line, std::string_view prefix)
{
    return line.size() >= prefix.size() && EqualsIgnoringAsciiCase(line.substr(0, prefix.size()), prefix);
}

std::optional<std::pair<std::int32_t, std::string_view>> NumberedCommentValue(std::string_view line,
                                                                              std::string_view prefix)
{
    if (!IsCommentValueLine(line, prefix))
        return std::nullopt;
    line.remove_prefix(prefix.size());
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const std::optional<std::int32_t> number = ParseWholeNumber(TrimBlanks(line.substr(0, colon)));
    if (!number)
        return std::nullopt;
    return std::make_pair(*number, line.substr(colon + 1));
}

std::optional<std::string> ReadCommentValue(std::string_view languageBytes, std::string_view prefix,
                                            bool (*valid)(std::string_view))
{
    std::optional<std::string> found;
    ForEachLine(languageBytes, [&](std::string_view line) {
        if (!IsCommentValueLine(line, prefix))
            return;
        const std::string_view value = TrimBlanks(line.substr(prefix.size()));
        if (valid(value))
            found = std::string(value);
    });
    return found;
}

std::string WithCommentValue(std::string_view languageBytes, std::string_view prefix, std::string_view value,
                             bool (*valid)(std::string_view))
{
    const bool write = valid(value);
    std::string out;
    out.reserve(languageBytes.size() + prefix.size() + value.size() + 3);
    bool written = false;
    const auto writeValue = [&] {
        if (write && !written) {
            out.append(prefix).append(" ").append(value).append("\r\n");
            written = true;
        }
    };
    ForEachLineWithEnd(languageBytes, [&](std::string_view whole, std::string_view line) {
        if (IsCommentValueLine(line, prefix))
            return;
        if (IsItemLine(line))
            writeValue();
        out += whole;
    });
    if (write && !written && !out.empty() && out.back() != '\n')
        out += "\r\n";
    writeValue();
    return out;
}

} // namespace verbaria
