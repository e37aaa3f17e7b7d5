#pragma once

#include <optional>
#include <string>
#include <string_view>

// Code page 1250, the code page of the program's own Czech texts, without any library: the
// document and the command-line tool need it where Qt's converters are not at hand.
namespace verbaria {

// UTF-8 to code page 1250; nullopt when a character has no place in the code page or the input
// is not valid UTF-8.
std::optional<std::string> Utf8ToCp1250(std::string_view utf8);
// As above, but a character the code page cannot hold becomes "?".
std::string Utf8ToCp1250Lossy(std::string_view utf8);
// Code page 1250 to UTF-8; the five unassigned bytes become U+FFFD.
std::string Cp1250ToUtf8(std::string_view bytes);

} // namespace verbaria
