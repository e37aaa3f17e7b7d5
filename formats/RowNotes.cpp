#include "formats/RowNotes.h"

#include "formats/CommentValue.h"
#include "formats/LanguageFile.h"
#include "formats/TextRules.h"

#include <optional>
#include <unordered_set>

namespace verbaria {

namespace {

constexpr std::string_view kPrefix = "/Notes ";
constexpr std::string_view kAcknowledged = "acknowledged=";
constexpr std::string_view kFor = "for=";
constexpr std::string_view kComment = "comment=";

bool StartsWithIgnoringCase(std::string_view token, std::string_view prefix)
{
    return token.size() > prefix.size() && EqualsIgnoringAsciiCase(token.substr(0, prefix.size()), prefix);
}

bool IsNoteLine(std::string_view line)
{
    return line.size() >= kPrefix.size() && EqualsIgnoringAsciiCase(line.substr(0, kPrefix.size()), kPrefix);
}

std::optional<std::pair<std::int32_t, RowNote>> ParseNoteLine(std::string_view line)
{
    const auto numbered = NumberedCommentValue(line, kPrefix);
    if (!numbered)
        return std::nullopt;
    RowNote note;
    std::string_view rest = numbered->second;
    while (!rest.empty()) {
        rest = TrimLeftBlanks(rest);
        std::size_t end = 0;
        while (end < rest.size() && !IsBlank(rest[end]))
            ++end;
        const std::string_view token = rest.substr(0, end);
        if (StartsWithIgnoringCase(token, kComment) || EqualsIgnoringAsciiCase(token, kComment)) {
            // The comment is the rest of the line.
            note.Comment = UnescapedComment(rest.substr(kComment.size()));
            break;
        }
        rest.remove_prefix(end);
        if (EqualsIgnoringAsciiCase(token, "review")) {
            note.Review = true;
        } else if (StartsWithIgnoringCase(token, kFor)) {
            note.AcknowledgedFor.assign(token.substr(kFor.size()));
            for (char &c : note.AcknowledgedFor)
                c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        } else if (StartsWithIgnoringCase(token, kAcknowledged)) {
            std::string_view names = token.substr(kAcknowledged.size());
            while (!names.empty()) {
                const std::size_t comma = names.find(',');
                const std::string_view name = names.substr(0, comma);
                if (!name.empty())
                    note.Acknowledged.emplace(name);
                names = comma == std::string_view::npos ? std::string_view() : names.substr(comma + 1);
            }
        }
    }
    return std::make_pair(numbered->first, std::move(note));
}

void AppendHex(std::string &out, std::uint32_t code, int digits)
{
    static constexpr char Digits[] = "0123456789abcdef";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += Digits[(code >> shift) & 0xF];
}

} // namespace

std::string EscapedComment(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            const bool edge = byte == ' ' && (i == 0 || i + 1 == utf8.size());
            if (byte == '\\')
                out += "\\\\";
            else if (byte == '\n')
                out += "\\n";
            else if (byte == '\r')
                out += "\\r";
            else if (byte == '\t')
                out += "\\t";
            else if (byte < 0x20 || byte == 0x7F || edge) { // blanks at the ends survive trimming
                out += "\\u";
                AppendHex(out, byte, 4);
            } else {
                out += static_cast<char>(byte);
            }
            ++i;
            continue;
        }
        // A UTF-8 sequence; a byte that starts or continues none becomes U+FFFD.
        const int length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        std::uint32_t code = length == 4 ? byte & 0x07u : length == 3 ? byte & 0x0Fu : byte & 0x1Fu;
        bool whole = length > 1 && i + static_cast<std::size_t>(length) <= utf8.size();
        for (int k = 1; whole && k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            whole = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3Fu);
        }
        if (!whole) {
            code = 0xFFFD;
            i += 1;
        } else {
            i += static_cast<std::size_t>(length);
        }
        out += code > 0xFFFF ? "\\U" : "\\u";
        AppendHex(out, code, code > 0xFFFF ? 8 : 4);
    }
    return out;
}

std::string UnescapedComment(std::string_view escaped)
{
    std::string out;
    out.reserve(escaped.size());
    auto hex = [&](std::size_t at, std::size_t digits) -> std::optional<std::uint32_t> {
        if (at + digits > escaped.size())
            return std::nullopt;
        std::uint32_t code = 0;
        for (std::size_t k = 0; k < digits; ++k) {
            const char c = escaped[at + k];
            const int value = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (value < 0)
                return std::nullopt;
            code = code * 16 + static_cast<std::uint32_t>(value);
        }
        return code;
    };
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        const char c = escaped[i];
        if (c != '\\' || i + 1 == escaped.size()) {
            out += c;
            continue;
        }
        const char letter = escaped[i + 1];
        if (letter == '\\' || letter == 'n' || letter == 'r' || letter == 't') {
            out += letter == 'n' ? '\n' : letter == 'r' ? '\r' : letter == 't' ? '\t' : '\\';
            ++i;
            continue;
        }
        const std::size_t digits = letter == 'u' ? 4 : letter == 'U' ? 8 : 0;
        const std::optional<std::uint32_t> code = digits ? hex(i + 2, digits) : std::nullopt;
        if (!code || *code > 0x10FFFF || (*code >= 0xD800 && *code <= 0xDFFF)) {
            out += c;
            continue;
        }
        AppendUtf8(out, static_cast<char32_t>(*code));
        i += 1 + digits;
    }
    return out;
}

std::string RowNoteLine(std::int32_t number, const RowNote &note)
{
    std::string line = std::string(kPrefix) + PadNumber(number, 5) + ":";
    if (note.Review)
        line += " review";
    if (!note.Acknowledged.empty()) {
        line += ' ';
        line += kAcknowledged;
        bool first = true;
        for (const std::string &name : note.Acknowledged) {
            if (!first)
                line += ',';
            line += name;
            first = false;
        }
        if (!note.AcknowledgedFor.empty()) {
            line += ' ';
            line += kFor;
            line += note.AcknowledgedFor;
        }
    }
    if (!note.Comment.empty()) {
        line += ' ';
        line += kComment;
        line += EscapedComment(note.Comment);
    }
    return line;
}

std::string TextHash(std::string_view utf8)
{
    // FNV-1a: short, stable everywhere, and enough to tell a rewritten text from the old one.
    std::uint32_t hash = 2166136261u;
    for (const char c : utf8) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    static constexpr char Digits[] = "0123456789abcdef";
    std::string text(8, '0');
    for (int i = 7; i >= 0; --i, hash >>= 4)
        text[static_cast<std::size_t>(i)] = Digits[hash & 0xF];
    return text;
}

bool AcknowledgesText(const RowNote &note, std::string_view utf8)
{
    return !note.Acknowledged.empty() &&
           (note.AcknowledgedFor.empty() || note.AcknowledgedFor == TextHash(utf8));
}

RowNotes ReadRowNotes(std::string_view languageBytes)
{
    RowNotes notes;
    ForEachLine(languageBytes, [&](std::string_view line) {
        if (auto parsed = ParseNoteLine(line)) {
            if (!parsed->second.empty())
                notes[parsed->first] = std::move(parsed->second);
        }
    });
    return notes;
}

std::string WithRowNotes(std::string_view languageBytes, const RowNotes &notes)
{
    std::string out;
    out.reserve(languageBytes.size() + notes.size() * 40);
    std::unordered_set<std::int32_t> written;
    ForEachLineWithEnd(languageBytes, [&](std::string_view whole, std::string_view line) {
        if (IsNoteLine(line))
            return;
        if (const auto number = ItemNumberOf(line)) {
            const auto note = notes.find(*number);
            if (note != notes.end() && !note->second.empty() && written.insert(*number).second)
                out += RowNoteLine(*number, note->second) + "\r\n";
        }
        out += whole;
    });
    // The comments of rows without an item line: nothing else of their notes is kept.
    bool endsWithLineEnd = out.empty() || out.back() == '\n';
    for (const auto &[number, note] : notes) {
        if (note.Comment.empty() || written.contains(number))
            continue;
        if (!endsWithLineEnd)
            out += "\r\n";
        endsWithLineEnd = true;
        RowNote comment;
        comment.Comment = note.Comment;
        out += RowNoteLine(number, comment) + "\r\n";
    }
    return out;
}

} // namespace verbaria
