#pragma once

#include "checks/EntryChecks.h"
#include "checks/TranslationMemory.h"

#include <string_view>

namespace verbaria::checks {

// Adds the translations of one language file to the memory. A message's original is its text in
// the template; a component's is the text scan noted above it (a component path is no text, so
// components without that note stay out). Raises ConversionError where the files' readers would.
void AddLanguageFile(TranslationMemory &memory, std::uint32_t file, std::string_view templateBytes,
                     std::string_view languageBytes, const Decoder &templateDecoder,
                     const Decoder &languageDecoder);

} // namespace verbaria::checks
