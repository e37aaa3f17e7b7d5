#pragma once

#include <optional>
#include <string>
#include <string_view>

// The dictionary a translator chose for a language file travels inside it, as a comment line
// after the header: "/Spelling: cs_CZ", or "/Spelling: none" for no checking. Both readers skip
// "/" lines, so programs read exactly the file they read before. A file without the line is
// checked in the dictionary its language's name gives.
namespace verbaria {

inline constexpr std::string_view NoSpelling = "none";

// The choice a language file carries; nullopt when it carries none.
std::optional<std::string> ReadSpellingChoice(std::string_view languageBytes);

// languageBytes (a language file as the editor saves it) with choice written above its first item
// line, earlier choice lines dropped; an empty choice, or one that is no dictionary name, writes
// no line.
std::string WithSpellingChoice(std::string_view languageBytes, std::string_view choice);

} // namespace verbaria
