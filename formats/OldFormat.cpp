#include "formats/OldFormat.h"

#include "formats/Errors.h"
#include "formats/FileIO.h"
#include "formats/Paths.h"
#include "formats/TextRules.h"

#include <cerrno>

namespace verbaria {

namespace {

enum class OldSection { Language, Translations, Messages };

void ApplyHeader(OldFormatFile &file, std::string_view key, std::string_view value)
{
    const std::string name = UpperAscii(key);
    if (name == "LANGUAGE NAME")
        file.LanguageName = value;
    else if (name == "AUTHOR")
        file.Author = value;
    else if (name == "PROGRAM VERSION")
        file.ProgramVersion = value;
}

} // namespace

OldFormatFile ParseOldFormat(std::string_view bytes)
{
    OldFormatFile file;
    OldSection section = OldSection::Translations;
    std::size_t nextNumber = 0;
    std::size_t lineNumber = 0;
    ForEachLine(bytes, [&](std::string_view rawLine) {
        ++lineNumber;
        const std::string_view line = TrimBlanks(rawLine);
        if (line.empty())
            return;
        const std::string upper = UpperAscii(line);
        if (upper == "[LANGUAGE]") {
            section = OldSection::Language;
            return;
        }
        if (upper == "[TRANSLATIONS]") {
            section = OldSection::Translations;
            return;
        }
        if (upper == "[MESSAGES]") {
            section = OldSection::Messages;
            return;
        }
        if (line.starts_with("//"))
            return;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return;
        const std::string_view key = TrimBlanks(line.substr(0, equals));
        const std::string_view value = TrimBlanks(line.substr(equals + 1));
        if (section == OldSection::Language) {
            ApplyHeader(file, key, value);
            return;
        }
        // The key becomes the quoted text of a template line, which ends at the first quote: the
        // text would be cut and the rest of the line read as the entry's keywords.
        if (key.find('"') != std::string_view::npos)
            throw FormatError("Line " + std::to_string(lineNumber) + ": the text \"" + std::string(key) +
                              "\" holds a double quote, which a template line cannot hold");
        OldFormatEntry entry;
        entry.Kind = section == OldSection::Messages ? OldEntryKind::Message : OldEntryKind::Component;
        entry.Number = nextNumber++;
        entry.Key = key;
        entry.Value = value;
        file.Entries.push_back(std::move(entry));
    });
    return file;
}

namespace {
bool Declares(std::string_view codePage)
{
    return !codePage.empty() && UpperAscii(codePage) != "WINDOWS-1250";
}
} // namespace

std::string FormatConvertedLanguage(const OldFormatFile &file, std::string_view oldFileName,
                                    std::string_view templateFileName, std::string_view codePage)
{
    std::string out;
    out += "Language=";
    out += file.LanguageName.empty() ? FileNameOf(oldFileName) : file.LanguageName;
    out += "\r\nVersion=1.0\r\nAuthor=";
    out += file.Author;
    out += "\r\nDefinition=";
    out += FileNameOf(templateFileName);
    if (Declares(codePage)) {
        out += "\r\nCodepage=";
        out += codePage;
    }
    out += "\r\n\r\n";
    for (const OldFormatEntry &entry : file.Entries) {
        out += std::to_string(entry.Number);
        out += ':';
        out += entry.Value;
        out += "\r\n";
    }
    out += "\r\n";
    return out;
}

std::string FormatConvertedTemplate(const OldFormatFile &file, std::string_view codePage,
                                    std::string_view unknownProgram)
{
    std::string out = "[LANGUAGE]\r\n";
    if (Declares(codePage)) {
        out += "Codepage=";
        out += codePage;
        out += "\r\n";
    }
    // "Neznámý" in code page 1250, as every file of the program is, unless told otherwise.
    out += "Program=";
    out += unknownProgram.empty() ? std::string_view("Nezn\xE1m\xFD") : unknownProgram;
    out += "\r\nVersion=";
    out += file.ProgramVersion;
    out += "\r\nAuthor=";
    out += file.Author;
    out += "\r\n\r\n[ITEMS]\r\n";
    for (const OldFormatEntry &entry : file.Entries) {
        out += std::to_string(entry.Number);
        out += entry.Kind == OldEntryKind::Message ? ":message \"" : ":component \"";
        out += entry.Key;
        out += "\"\r\n";
    }
    out += "\r\n";
    return out;
}

void ConvertOldFormatFile(const std::string &oldPath, const std::string &languagePath,
                          const std::string &templatePath, std::string_view codePage,
                          std::string_view unknownProgram)
{
    std::string bytes;
    if (!ReadFileBytes(NativePath(oldPath), bytes))
        throw InOutError(InOutMessage(ENOENT, false));
    const OldFormatFile file = ParseOldFormat(bytes);
    WriteFileAtomically(NativePath(languagePath),
                        FormatConvertedLanguage(file, oldPath, templatePath, codePage));
    WriteFileAtomically(NativePath(templatePath), FormatConvertedTemplate(file, codePage, unknownProgram));
}

} // namespace verbaria
