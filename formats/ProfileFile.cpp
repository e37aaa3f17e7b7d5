#include "formats/ProfileFile.h"

#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/TextRules.h"

#include <optional>
#include <vector>

namespace verbaria {

namespace {

enum class LineKind { Other, Section, Key };

struct ProfileLine
{
    std::size_t Begin = 0;
    std::size_t End = 0;     // after the line end, if there is one
    bool HasLineEnd = false; // false only for a last line without one
    LineKind Kind = LineKind::Other;
    std::string_view Name;  // section name or key, trimmed
    std::string_view Value; // key lines only, trimmed
};

ProfileLine ClassifyLine(std::string_view content)
{
    ProfileLine line;
    const std::string_view trimmed = TrimBlanks(content);
    if (!trimmed.empty() && trimmed.front() == '[') {
        const std::size_t close = trimmed.rfind(']');
        if (close != std::string_view::npos && close > 0) {
            line.Kind = LineKind::Section;
            line.Name = TrimBlanks(trimmed.substr(1, close - 1));
            return line;
        }
    }
    const std::size_t equals = trimmed.find('=');
    if (equals != std::string_view::npos) {
        line.Kind = LineKind::Key;
        line.Name = TrimBlanks(trimmed.substr(0, equals));
        line.Value = TrimBlanks(trimmed.substr(equals + 1));
    }
    return line;
}

// CR LF, a bare LF and a bare CR each end a line, as the profile functions read them.
std::vector<ProfileLine> ScanLines(std::string_view bytes)
{
    std::vector<ProfileLine> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t stop = bytes.find_first_of("\r\n", start);
        ProfileLine line =
            ClassifyLine(bytes.substr(start, (stop == std::string_view::npos ? bytes.size() : stop) - start));
        line.Begin = start;
        if (stop == std::string_view::npos) {
            line.End = bytes.size();
        } else {
            line.HasLineEnd = true;
            line.End = stop + 1;
            if (bytes[stop] == '\r' && stop + 1 < bytes.size() && bytes[stop + 1] == '\n')
                ++line.End;
        }
        lines.push_back(line);
        start = line.End;
    }
    return lines;
}

std::optional<std::size_t> FindSection(const std::vector<ProfileLine> &lines, std::string_view section)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].Kind == LineKind::Section && EqualsIgnoringAsciiCase(lines[i].Name, section))
            return i;
    }
    return std::nullopt;
}

std::string_view Unquoted(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string_view FirstLine(std::string_view text)
{
    return text.substr(0, text.find_first_of("\r\n"));
}

} // namespace

std::string ProfileReadString(std::string_view bytes, std::string_view section, std::string_view key,
                              std::string_view defaultValue)
{
    const std::vector<ProfileLine> lines = ScanLines(bytes);
    const std::optional<std::size_t> sectionLine = FindSection(lines, section);
    if (!sectionLine)
        return std::string(defaultValue);
    const std::string_view wantedKey = TrimBlanks(key);
    for (std::size_t i = *sectionLine + 1; i < lines.size() && lines[i].Kind != LineKind::Section; ++i) {
        if (lines[i].Kind == LineKind::Key && EqualsIgnoringAsciiCase(lines[i].Name, wantedKey))
            return std::string(Unquoted(lines[i].Value).substr(0, ProfileMaxValueLength));
    }
    return std::string(defaultValue);
}

std::string ProfileWriteString(std::string_view bytes, std::string_view section, std::string_view key,
                               std::string_view value)
{
    const std::vector<ProfileLine> lines = ScanLines(bytes);
    const std::string_view wantedKey = TrimBlanks(key);
    // A break would start a line of its own: a key nobody wrote.
    RefuseLineBreak(value, std::string(key));
    const std::string_view safeValue = FirstLine(value);
    std::string result;
    result.reserve(bytes.size() + section.size() + key.size() + value.size() + 8);

    const std::optional<std::size_t> sectionLine = FindSection(lines, section);
    if (!sectionLine) {
        result.append(bytes);
        if (!lines.empty() && !lines.back().HasLineEnd)
            result += "\r\n";
        result.append("[").append(section).append("]\r\n");
        result.append(wantedKey).append("=").append(safeValue).append("\r\n");
        return result;
    }

    std::size_t lastKeyLine = *sectionLine;
    for (std::size_t i = *sectionLine + 1; i < lines.size() && lines[i].Kind != LineKind::Section; ++i) {
        if (lines[i].Kind != LineKind::Key)
            continue;
        if (EqualsIgnoringAsciiCase(lines[i].Name, wantedKey)) {
            // The key keeps the spelling the file gives it; only the value changes.
            result.append(bytes.substr(0, lines[i].Begin));
            result.append(lines[i].Name).append("=").append(safeValue).append("\r\n");
            result.append(bytes.substr(lines[i].End));
            return result;
        }
        lastKeyLine = i;
    }

    const ProfileLine &before = lines[lastKeyLine];
    result.append(bytes.substr(0, before.End));
    if (!before.HasLineEnd)
        result += "\r\n";
    result.append(wantedKey).append("=").append(safeValue).append("\r\n");
    result.append(bytes.substr(before.End));
    return result;
}

ProfileFile::ProfileFile(std::string path)
    : path_(std::move(path))
{
    try {
        ReadFileBytes(path_, bytes_);
    } catch (const InOutError &) {
        bytes_.clear();
        unreadable_ = true;
    }
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const
{
    return ProfileReadString(bytes_, section, key, defaultValue);
}

void ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string message = "Unable to write to " + path_;
    if (unreadable_)
        throw InOutError(message);
    std::string updated = ProfileWriteString(bytes_, section, key, value);
    try {
        WriteFileAtomically(path_, updated);
    } catch (const InOutError &) {
        throw InOutError(message);
    }
    bytes_ = std::move(updated);
}

} // namespace verbaria
