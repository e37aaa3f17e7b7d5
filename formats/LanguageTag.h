#pragma once

#include <optional>
#include <string>
#include <string_view>

// A language file's language tag (BCP 47: "de", "de-AT", "sr-Latn-RS") travels inside it as a
// comment line after the header: "/Language-Tag: de-AT". Both readers skip "/" lines, so programs
// read exactly the file they read before. A file without the line has the tag its language's name
// gives, if any.
namespace verbaria {

// Whether text is a well-formed tag of the kinds language files use: a language of two or three
// letters, then an optional script of four letters and an optional region of two letters or
// three digits ("en", "en-GB", "zh-Hant-TW", "es-419").
bool IsLanguageTag(std::string_view text);

// The tag a language file carries; nullopt when it carries none (or none well formed).
std::optional<std::string> ReadLanguageTag(std::string_view languageBytes);

// languageBytes (a language file as the editor saves it) with the tag written above its first
// item line, earlier tag lines dropped; an empty or malformed tag writes no line.
std::string WithLanguageTag(std::string_view languageBytes, std::string_view tag);

// The language of a tag without script and region ("de" of "de-AT"); the tag itself when it has
// neither.
std::string PrimaryLanguageOf(std::string_view tag);

// The tag as gettext's PO header writes a language: "de_AT", "sr_RS@latin" is not attempted; the
// subtags are joined by "_".
std::string PoLanguageOf(std::string_view tag);

} // namespace verbaria
