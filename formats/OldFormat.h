#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The single-file translations of the program's older version: a [LANGUAGE] header, component
// properties in [TRANSLATIONS] and messages in [MESSAGES], each entry "original = translation".
// They are converted into a template and a language file of the current format.
namespace verbaria {

enum class OldEntryKind { Component, Message };

struct OldFormatEntry
{
    OldEntryKind Kind = OldEntryKind::Component;
    std::size_t Number = 0; // one sequence across both kinds, in file order
    std::string Key;        // component path or original message
    std::string Value;      // the translation
};

struct OldFormatFile
{
    std::string LanguageName;   // "LANGUAGE NAME"
    std::string Author;         // "AUTHOR"
    std::string ProgramVersion; // "PROGRAM VERSION"
    std::vector<OldFormatEntry> Entries;
};

OldFormatFile ParseOldFormat(std::string_view bytes);

// The new language file's bytes. oldFileName names the language when the old file gives no name;
// templateFileName goes into the Definition line. Both lose their folder here.
// The old file's code page, when it is not the program's own, is declared in both new files
// ("Codepage=NAME"), so that they read the same wherever they go.
std::string FormatConvertedLanguage(const OldFormatFile &file, std::string_view oldFileName,
                                    std::string_view templateFileName, std::string_view codePage = {});
// The new template's bytes; unknownProgram is "Neznámý" in the old file's code page (default: in
// code page 1250).
std::string FormatConvertedTemplate(const OldFormatFile &file, std::string_view codePage = {},
                                    std::string_view unknownProgram = {});

// Reads oldPath to the end, then writes languagePath and after it templatePath, each replaced
// only when complete. Raises InOutError with the platform's message; a language file already
// written stays when the template fails.
void ConvertOldFormatFile(const std::string &oldPath, const std::string &languagePath,
                          const std::string &templatePath, std::string_view codePage = {},
                          std::string_view unknownProgram = {});

} // namespace verbaria
