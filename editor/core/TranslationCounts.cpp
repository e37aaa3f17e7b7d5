#include "editor/core/TranslationCounts.h"

#include <algorithm>

namespace verbaria {

TranslationCounts CountTranslations(const LanguageDocument &document)
{
    TranslationCounts counts;
    counts.Total = document.pocetKPrekladu();
    const std::vector<TEditorItem> &items = document.polozky();
    const std::vector<std::string> &right = document.Grid().Column(LanguageDocument::ColumnTranslation);
    const std::size_t rows = std::min(items.size(), right.empty() ? 0 : right.size() - 1);
    const std::vector<std::string> &left = document.Grid().Column(LanguageDocument::ColumnOriginal);
    for (std::size_t i = 0; i < rows; ++i) {
        const TItemKind kind = items[i].Kind;
        if (kind != ikComponent && kind != ikMessage)
            continue;
        const std::int64_t words = i + 1 < left.size() ? CountWords(left[i + 1]) : 0;
        counts.Words += words;
        if (!right[i + 1].empty()) {
            ++counts.Translated;
            counts.WordsTranslated += words;
        }
    }
    return counts;
}

std::int64_t CountWords(std::string_view text)
{
    std::int64_t words = 0;
    bool inWord = false;
    bool wordHasLetter = false;
    for (const char byte : text) {
        const auto c = static_cast<unsigned char>(byte);
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            words += inWord && wordHasLetter ? 1 : 0;
            inWord = wordHasLetter = false;
            continue;
        }
        inWord = true;
        wordHasLetter = wordHasLetter || c >= 0x80 || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
                        (c >= 'A' && c <= 'Z');
    }
    return words + (inWord && wordHasLetter ? 1 : 0);
}

std::int64_t OriginalWords(const LanguageDocument &document, int row)
{
    if (row < 1 || row >= document.Grid().RowCount())
        return 0;
    return CountWords(document.Grid().Text(LanguageDocument::ColumnOriginal, row));
}

ReviewCounts CountForReview(const LanguageDocument &document)
{
    ReviewCounts counts;
    for (const auto &[number, note] : document.Notes()) {
        if (!note.Review)
            continue;
        const std::int32_t index = document.IndexOfNumber(number);
        const int row = index + 1;
        if (index < 0 || row >= document.Grid().RowCount() ||
            document.Grid().Text(LanguageDocument::ColumnTranslation, row).empty())
            continue;
        ++counts.Rows;
        counts.Words += OriginalWords(document, row);
    }
    return counts;
}

bool IsUntranslatedRow(const LanguageDocument &document, int row)
{
    if (row < 1 || row > static_cast<int>(document.polozky().size()) || row >= document.Grid().RowCount())
        return false;
    const TItemKind kind = document.polozky()[static_cast<std::size_t>(row - 1)].Kind;
    return (kind == ikComponent || kind == ikMessage) &&
           document.Grid().Text(LanguageDocument::ColumnTranslation, row).empty();
}

} // namespace verbaria
