#pragma once

#include "editor/core/LanguageDocument.h"

#include <cstdint>
#include <string_view>

namespace verbaria {

// How far a translation is: the texts to translate as the properties dialog counts them, and how
// many of them have a translation that a save would write.
struct TranslationCounts
{
    std::int64_t Translated = 0;
    std::int64_t Total = 0;
    std::int64_t Untranslated() const { return Total - Translated; }
    // The words of the originals (as the left column shows them) of those texts, and of the
    // translated ones among them.
    std::int64_t Words = 0;
    std::int64_t WordsTranslated = 0;
    std::int64_t WordsUntranslated() const { return Words - WordsTranslated; }
};

TranslationCounts CountTranslations(const LanguageDocument &document);

// The words of a text: runs of characters between blanks, tabs and line breaks that hold at least
// one letter or digit (any byte above 127 counts as a letter: the text is in a code page).
std::int64_t CountWords(std::string_view text);
// The words of the original of a row (grid row, 1 for the first entry).
std::int64_t OriginalWords(const LanguageDocument &document, int row);

// The translations waiting for review, and the words of their originals.
struct ReviewCounts
{
    std::int64_t Rows = 0;
    std::int64_t Words = 0;
};
ReviewCounts CountForReview(const LanguageDocument &document);

// Whether the row (grid row, 1 for the first entry) is a text to translate without a translation.
bool IsUntranslatedRow(const LanguageDocument &document, int row);

} // namespace verbaria
