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

} // namespace

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
    return out;
}

} // namespace verbaria
