#pragma once

#include "editor/core/LanguageDocument.h"

#include <cstdint>

namespace verbaria {

// How far a translation is: the texts to translate as the properties dialog counts them, and how
// many of them have a translation that a save would write.
struct TranslationCounts
{
    std::int64_t Translated = 0;
    std::int64_t Total = 0;
    std::int64_t Untranslated() const { return Total - Translated; }
};

TranslationCounts CountTranslations(const LanguageDocument &document);

// Whether the row (grid row, 1 for the first entry) is a text to translate without a translation.
bool IsUntranslatedRow(const LanguageDocument &document, int row);

} // namespace verbaria
