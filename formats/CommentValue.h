#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// A value a language file carries in one comment line after its header, "/Name: value" (the
// language tag, the dictionary chosen): both readers skip "/" lines, so programs read exactly the
// file they read before.
namespace verbaria {

// Whether line is such a comment line of prefix ("/Name:", matched without regard to case).
bool IsCommentValueLine(std::string_view line, std::string_view prefix);

// "/Name 00012:text" (prefix "/Name "): the number and the text after the colon; nullopt for a line
// of another prefix or one without a whole number before its colon.
std::optional<std::pair<std::int32_t, std::string_view>> NumberedCommentValue(std::string_view line,
                                                                              std::string_view prefix);

// The last value of prefix's lines, trimmed, that valid accepts; nullopt when there is none.
std::optional<std::string> ReadCommentValue(std::string_view languageBytes, std::string_view prefix,
                                            bool (*valid)(std::string_view));

// languageBytes (a language file as the editor saves it) with "prefix value" written above its
// first item line (at the end when it has none), earlier lines of prefix dropped; a value valid
// refuses writes no line.
std::string WithCommentValue(std::string_view languageBytes, std::string_view prefix, std::string_view value,
                             bool (*valid)(std::string_view));

} // namespace verbaria
