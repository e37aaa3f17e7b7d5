#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The text rules shared by every file of the program: bytes are taken as they are, only the ASCII
// letters a-z change case, and trimming removes blanks and tabs unless a rule says otherwise.
namespace verbaria {

inline constexpr char UpperAsciiChar(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
// What a one-letter C escape stands for (\n, \t, \r, \a, \b, \f, \v and the quoted \\, \", \',
// \?), as C, C++ and PO strings write them; nullopt for any other letter.
inline constexpr std::optional<char> SimpleEscape(char letter)
{
    switch (letter) {
    case 'n':
        return '\n';
    case 't':
        return '\t';
    case 'r':
        return '\r';
    case 'a':
        return '\a';
    case 'b':
        return '\b';
    case 'f':
        return '\f';
    case 'v':
        return '\v';
    case '\\':
    case '"':
    case '\'':
    case '?':
        return letter;
    default:
        return std::nullopt;
    }
}

std::string UpperAscii(std::string_view text);
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

inline constexpr bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
std::string_view TrimBlanks(std::string_view text);
std::string_view TrimLeftBlanks(std::string_view text);
std::string_view TrimRightBlanks(std::string_view text);
// Removes every character with a code of 32 or less from both ends.
std::string_view TrimControl(std::string_view text);

// "|" stands for a line break in the one-line form of multi-line values.
std::string PipeToLineBreaks(std::string_view text);
std::string LineBreaksToPipe(std::string_view text);

// Decimal form of number, "0" put in front until it is at least width characters long.
std::string PadNumber(std::int32_t number, int width);

// A signed 32-bit whole number in decimal, with an optional sign and nothing else around it.
std::optional<std::int32_t> ParseWholeNumber(std::string_view text);
// As ParseWholeNumber, but raises ConversionError quoting messageText when text is not one.
std::int32_t StrToInt(std::string_view text, std::string_view messageText);
inline std::int32_t StrToInt(std::string_view text)
{
    return StrToInt(text, text);
}

// Calls lineHandler(std::string_view) for every line of bytes. CR LF and a bare LF end a line;
// a bare CR is an ordinary character. A last line without a line end is still a line.
template <class LineHandler> void ForEachLine(std::string_view bytes, LineHandler &&lineHandler)
{
    std::size_t start = 0;
    const std::size_t size = bytes.size();
    while (start < size) {
        std::size_t end = bytes.find('\n', start);
        std::size_t next;
        if (end == std::string_view::npos) {
            end = size;
            next = size;
        } else {
            next = end + 1;
        }
        std::size_t lineEnd = end;
        if (lineEnd > start && end != size && bytes[lineEnd - 1] == '\r')
            --lineEnd;
        lineHandler(bytes.substr(start, lineEnd - start));
        start = next;
    }
}

// For a writer that copies the lines it keeps byte for byte: each line whole, with its line end, and
// without it (a CR at its end is left out even without an LF: a copied line is matched, not read).
template <class LineHandler> void ForEachLineWithEnd(std::string_view bytes, LineHandler &&lineHandler)
{
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t newline = bytes.find('\n', start);
        const std::size_t next = newline == std::string_view::npos ? bytes.size() : newline + 1;
        std::string_view line = bytes.substr(start, next - start);
        const std::string_view whole = line;
        if (!line.empty() && line.back() == '\n')
            line.remove_suffix(1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lineHandler(whole, line);
        start = next;
    }
}

// Appends code point code to out in UTF-8 (code must be a Unicode scalar value).
void AppendUtf8(std::string &out, char32_t code);

} // namespace verbaria
