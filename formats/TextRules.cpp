#include "formats/TextRules.h"

#include "formats/Errors.h"

#include <limits>

namespace verbaria {

std::string UpperAscii(std::string_view text)
{
    std::string result(text);
    for (char &c : result)
        c = UpperAsciiChar(c);
    return result;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (UpperAsciiChar(a[i]) != UpperAsciiChar(b[i]))
            return false;
    }
    return true;
}

std::string_view TrimLeftBlanks(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    return text.substr(i);
}

std::string_view TrimRightBlanks(std::string_view text)
{
    std::size_t n = text.size();
    while (n > 0 && IsBlank(text[n - 1]))
        --n;
    return text.substr(0, n);
}

std::string_view TrimBlanks(std::string_view text)
{
    return TrimRightBlanks(TrimLeftBlanks(text));
}

std::string_view TrimControl(std::string_view text)
{
    auto isControl = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isControl(text[begin]))
        ++begin;
    while (end > begin && isControl(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::string PipeToLineBreaks(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c == '|')
            result += "\r\n";
        else
            result += c;
    }
    return result;
}

std::string LineBreaksToPipe(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c == '\r')
            result += '|';
        else if (c != '\n')
            result += c;
    }
    return result;
}

std::string PadNumber(std::int32_t number, int width)
{
    std::string digits = std::to_string(number);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return digits;
}

std::optional<std::int32_t> ParseWholeNumber(std::string_view text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > limit)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max() || value < std::numeric_limits<std::int32_t>::min())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::int32_t StrToInt(std::string_view text, std::string_view messageText)
{
    if (auto value = ParseWholeNumber(text))
        return *value;
    throw ConversionError(messageText);
}

void AppendUtf8(std::string &out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace verbaria
