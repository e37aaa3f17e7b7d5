#include "checks/PseudoText.h"

#include "checks/Placeholders.h"
#include "checks/Utf8.h"
#include "formats/TextRules.h"

#include <algorithm>

namespace verbaria::checks {

namespace {

// The accented forms of each letter, the most telling first: the first one the code page holds
// is taken. Each still reads as its letter.
constexpr std::u32string_view kUpper[26] = {
    U"ȦÀÁÂÄÅÃĄ", U"ƁḂ",  U"ÇČĆĈĊ",   U"ĎĐḊ", U"ĒÉÈÊËĘĚ", U"ƑḞ",        U"ĞĜĢĠ", U"ĤĦḢ", U"ÍÌÎÏĨĪ",
    U"Ĵ",        U"ĶǨ",  U"ĹĽĻŁ",    U"Ṁ",   U"ŇŃÑŅ",    U"ŎÓÒÔÖÕØŌŐ", U"ƤṖ",   U"Ǫ",   U"ŘŔŖ",
    U"ŠŚŞŜ",     U"ŤŢŦ", U"ŮÚÙÛÜŰŨ", U"Ṽ",   U"ŴẆ",      U"Ẋ",         U"ÝŸŶ",  U"ŽŹŻ"};
constexpr std::u32string_view kLower[26] = {
    U"ȧàáâäåãą", U"ƀḃ",  U"çčćĉċ",   U"ďđḋ", U"ēéèêëęě", U"ƒḟ",        U"ğĝģġ", U"ĥħḣ", U"íìîïĩī",
    U"ĵ",        U"ķǩ",  U"ĺľļł",    U"ṁɱ",  U"ňńñņ",    U"ŏóòôöõøōő", U"ƥṗ",   U"ʠ",   U"řŕŗ",
    U"šśşŝ",     U"ťţŧ", U"ůúùûüűũ", U"ṽʋ",  U"ŵẇ",      U"ẋ",         U"ýÿŷ",  U"žźż"};

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsNameChar(char c)
{
    return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_' || c == '.' || c == ':' || c == '-';
}

// The length of the UTF-8 sequence a byte starts (1 for a byte that starts none).
std::size_t SequenceLength(unsigned char byte)
{
    if (byte >= 0xF0)
        return 4;
    if (byte >= 0xE0)
        return 3;
    if (byte >= 0xC0)
        return 2;
    return 1;
}

std::size_t CodePoints(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The end of what the program reads at `at` and a pseudo form must keep, or `at` for prose:
// markup, an entity, a "{name}" placeholder, an escape, an accelerator.
std::size_t KeptUntil(std::string_view text, std::size_t at)
{
    const std::size_t size = text.size();
    const char c = text[at];
    const char next = at + 1 < size ? text[at + 1] : '\0';
    if (c == '\\' && at + 1 < size)
        return at + 1 + SequenceLength(static_cast<unsigned char>(next));
    if (c == '{') {
        std::size_t end = at + 1;
        while (end < size && end < at + 64 && IsNameChar(text[end]))
            ++end;
        if (end < size && text[end] == '}')
            return end + 1;
        return at;
    }
    if (c == '<' && (IsAsciiLetter(next) || next == '/' || next == '!')) {
        const std::size_t end = text.find_first_of("<>", at + 1);
        return end != std::string_view::npos && text[end] == '>' ? end + 1 : at;
    }
    if (c == '&') {
        // An entity: &amp; &#38; &#x26;
        std::size_t end = at + 1;
        if (end < size && text[end] == '#')
            ++end;
        while (end < size && end < at + 12 &&
               (IsAsciiLetter(text[end]) || (text[end] >= '0' && text[end] <= '9')))
            ++end;
        if (end > at + 1 && end < size && text[end] == ';')
            return end + 1;
        // "&&" is an ampersand; "&x" marks the accelerator x, which stays the same letter.
        if (at + 1 < size && next != ' ' && next != '\t')
            return at + 1 + SequenceLength(static_cast<unsigned char>(next));
        return at;
    }
    return at;
}

} // namespace

PseudoLanguage::PseudoLanguage(const PseudoOptions &options)
    : expandPercent_(options.ExpandPercent)
{
    for (int letter = 0; letter < 26; ++letter) {
        for (const auto *table : {kUpper, kLower}) {
            char32_t &chosen = accented_[letter + (table == kUpper ? 0 : 26)];
            for (const char32_t candidate : table[letter]) {
                if (!options.CanHold || options.CanHold(candidate)) {
                    chosen = candidate;
                    break;
                }
            }
        }
    }
}

std::string PseudoLanguage::Text(std::string_view utf8) const
{
    if (utf8.empty())
        return {};
    const std::vector<PlaceholderSpan> placeholders = FindPlaceholderSpans(utf8);
    auto placeholder = placeholders.begin();
    std::string out = "[";
    std::size_t at = 0;
    while (at < utf8.size()) {
        while (placeholder != placeholders.end() && placeholder->End <= at)
            ++placeholder;
        if (placeholder != placeholders.end() && placeholder->Start == at) {
            out.append(utf8.substr(at, placeholder->End - at));
            at = placeholder->End;
            continue;
        }
        if (const std::size_t end = std::min(KeptUntil(utf8, at), utf8.size()); end > at) {
            out.append(utf8.substr(at, end - at));
            at = end;
            continue;
        }
        const char c = utf8[at];
        const int letter = c >= 'A' && c <= 'Z' ? c - 'A' : c >= 'a' && c <= 'z' ? c - 'a' + 26 : -1;
        if (letter >= 0 && accented_[letter] != 0)
            AppendUtf8(out, accented_[letter]);
        else
            out += c;
        ++at;
    }
    const std::size_t length = CodePoints(utf8);
    const int percent = expandPercent_ >= 0 ? expandPercent_
                        : length <= 20      ? 40
                        : length <= 50      ? 30
                        : length <= 100     ? 20
                                            : 10;
    std::size_t padding = (length * static_cast<std::size_t>(percent) + 99) / 100;
    if (padding > 0) {
        padding = std::max<std::size_t>(padding, 2);
        out += ' ';
        out.append(padding - 1, '~');
    }
    out += ']';
    return out;
}

std::optional<std::string> PseudoLanguage::Entry(std::string_view componentPath, std::string_view utf8,
                                                 std::string_view separator) const
{
    if (TrimControl(utf8).empty() || ParseWholeNumber(TrimControl(utf8)))
        return std::nullopt;
    std::string property;
    if (!componentPath.empty()) {
        const std::size_t dot = componentPath.rfind('.');
        property = UpperAscii(
            TrimControl(dot == std::string_view::npos ? componentPath : componentPath.substr(dot + 1)));
    }
    if (property == "SHORTCUT" || property == "TAG")
        return std::nullopt;
    const bool list =
        property == "ITEMS" || property == "LINES" || property == "COLUMNS" || property == "ROWS";
    if (!list || separator.empty())
        return Text(utf8);
    std::string out;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = utf8.find(separator, start);
        const std::string_view entry = TrimBlanks(utf8.substr(start, end - start));
        out += Text(entry);
        if (end == std::string_view::npos)
            break;
        out += separator;
        start = end + separator.size();
    }
    return out;
}

} // namespace verbaria::checks
