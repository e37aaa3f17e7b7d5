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
    for (std::size_t i = 0; i < rows; ++i) {
        const TItemKind kind = items[i].Kind;
        if ((kind == ikComponent || kind == ikMessage) && !right[i + 1].empty())
            ++counts.Translated;
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
