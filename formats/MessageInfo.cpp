#include "formats/MessageInfo.h"

#include "formats/TextRules.h"

#include <charconv>

namespace verbaria {

namespace {

constexpr std::string_view kFormPrefix = "/Form ";

struct CommentKey
{
    std::string_view Prefix;
    std::string MessageInfo::*Field;
};

const CommentKey kKeys[] = {
    {"/Context=", &MessageInfo::Context}, {"/Disambiguation=", &MessageInfo::Disambiguation},
    {"/Comment=", &MessageInfo::Comment}, {"/Location=", &MessageInfo::Location},
    {"/Source=", &MessageInfo::Source},
};

// A number of a comment line: digits with an optional minus sign, nothing else.
bool ParseWhole(std::string_view text, std::int64_t &value)
{
    if (text.empty())
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

} // namespace

std::string EscapeMessageValue(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string UnescapeMessageValue(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        switch (text[++i]) {
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case '\\':
            out += '\\';
            break;
        case '"': // never written (a quote needs no escape here), but read as meant
            out += '"';
            break;
        default: // not an escape this format writes: kept as it stands
            out += '\\';
            out += text[i];
        }
    }
    return out;
}

bool ReadMessageComment(std::string_view line, MessageInfo &info)
{
    std::string_view trimmed = line;
    while (!trimmed.empty() && (trimmed.back() == '\r' || trimmed.back() == '\n'))
        trimmed.remove_suffix(1);
    if (trimmed == "/Plural" || TrimBlanks(trimmed) == "/Plural") {
        info.Plural = true;
        return true;
    }
    for (const CommentKey &key : kKeys) {
        if (trimmed.starts_with(key.Prefix)) {
            info.*key.Field = UnescapeMessageValue(trimmed.substr(key.Prefix.size()));
            if (key.Field == &MessageInfo::Source)
                info.HasSource = true;
            return true;
        }
    }
    return false;
}

std::string FormatMessageComments(const MessageInfo &info)
{
    std::string out;
    auto line = [&out](std::string_view prefix, std::string_view value) {
        if (value.empty())
            return;
        out.append(prefix);
        out.append(EscapeMessageValue(value));
        out.append("\r\n");
    };
    line("/Context=", info.Context);
    line("/Disambiguation=", info.Disambiguation);
    line("/Comment=", info.Comment);
    line("/Location=", info.Location);
    if (info.Plural)
        out.append("/Plural\r\n");
    if (info.HasSource) {
        out.append("/Source=");
        out.append(EscapeMessageValue(info.Source));
        out.append("\r\n");
    }
    return out;
}

bool NeedsSourceLine(std::string_view text)
{
    return text.find_first_of("\"\r\n") != std::string_view::npos;
}

std::string QuotableText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            out += '\'';
        } else if (c == '\r') {
            out += '|';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            out += '|';
        } else {
            out += c;
        }
    }
    return out;
}

bool ReadFormLine(std::string_view line, std::int32_t &number, std::size_t &index, std::string_view &text)
{
    if (!line.starts_with(kFormPrefix))
        return false;
    line.remove_prefix(kFormPrefix.size());
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos)
        return false;
    const std::string_view key = line.substr(0, colon);
    const std::size_t blank = key.find(' ');
    if (blank == std::string_view::npos)
        return false;
    std::int64_t n = 0;
    std::int64_t form = 0;
    if (!ParseWhole(key.substr(0, blank), n) || !ParseWhole(TrimBlanks(key.substr(blank + 1)), form) ||
        n < INT32_MIN || n > INT32_MAX || form < 1 || form > 64)
        return false;
    number = static_cast<std::int32_t>(n);
    index = static_cast<std::size_t>(form);
    text = line.substr(colon + 1);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.remove_suffix(1);
    return true;
}

void ForEachFormLine(
    std::string_view bytes,
    const std::function<void(std::int32_t number, std::size_t form, std::string_view text, int line)> &onForm)
{
    int line = 0;
    ForEachLine(bytes, [&](std::string_view text) {
        ++line;
        std::int32_t number = 0;
        std::size_t form = 0;
        std::string_view value;
        if (ReadFormLine(text, number, form, value))
            onForm(number, form, TrimLeftBlanks(value), line);
    });
}

std::string FormatFormLine(std::int32_t number, std::size_t index, std::string_view text)
{
    std::string out(kFormPrefix);
    out += PadNumber(number, 5);
    out += ' ';
    out += std::to_string(index);
    out += ':';
    out.append(text);
    return out;
}

} // namespace verbaria
