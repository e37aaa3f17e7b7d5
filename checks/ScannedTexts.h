#pragma once

#include "formats/TemplateFile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

// A template written by "verbaria-tool scan" tells, in a comment line above each component entry,
// the text the form holds ("/Text=Otevřít &soubor"). Every reader skips "/" lines, so the
// template reads as before; the checks compare a translation with that text where no
// description language gives one.
namespace verbaria::checks {

// The comment line, without its line end, for a text (bytes in the template's code page, line
// breaks already in the one-line form).
std::string ScannedTextComment(std::string_view text);

// Number of each component entry that has such a comment -> the text, a view into the bytes read
// (the first entry of a number wins, as with the readers).
using ScannedTexts = std::unordered_map<std::int32_t, std::string_view>;

// The template as the editor reads it and, in the same pass, its scanned texts. Raises
// ConversionError where the reader does.
void ReadTemplateWithScannedTexts(std::string_view templateBytes, EditorTemplate &target,
                                  ScannedTexts &scanned);
ScannedTexts ReadScannedTexts(std::string_view templateBytes);

// True for a comment line that ScannedTextComment writes (after leading blanks and tabs).
bool IsScannedTextComment(std::string_view line);

} // namespace verbaria::checks
