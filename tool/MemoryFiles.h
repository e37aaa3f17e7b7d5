#pragma once

#include "checks/TranslationMemory.h"

#include <string>
#include <vector>

// The translation memory of language files named on the command line.
namespace verbaria::tool {

// The LANGUAGE value of a language file ("" when it has none). Raises FormatError when the file
// cannot be read.
std::string LanguageNameOf(const std::string &languageFile);

// Adds each language file with its template: templateFile when given, else the one its
// DEFINITION names (looked for beside the language file too), then builds the memory. A file
// whose template cannot be found is told on standard error and left out. Raises FormatError for
// a file that cannot be read.
void AddLanguageFiles(checks::TranslationMemory &memory, const std::vector<std::string> &languageFiles,
                      const std::string &templateFile, const std::string &fallbackCodePage);

// "file.lng#12 other.lng#7": where a suggestion comes from.
std::string DescribeSources(const checks::TranslationMemory &memory, const checks::Suggestion &suggestion);

} // namespace verbaria::tool
