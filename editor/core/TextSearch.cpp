#include "editor/core/TextSearch.h"

#include "formats/TextRules.h"

#include <algorithm>
#include <string>

namespace verbaria {

namespace {

// The search text prepared once, so a pass over a million cells allocates nothing per cell.
class Needle final
{
public:
    Needle(std::string_view text, bool matchCase)
        : matchCase_(matchCase)
        , text_(matchCase ? std::string(text) : UpperAscii(text))
    {
    }

    bool IsIn(std::string_view cell) const
    {
        if (text_.empty() || cell.size() < text_.size())
            return false;
        if (matchCase_)
            return cell.find(text_) != std::string_view::npos;
        return std::search(cell.begin(), cell.end(), text_.begin(), text_.end(),
                           [](char fromCell, char fromText) {
                               return UpperAsciiChar(fromCell) == fromText;
                           }) != cell.end();
    }

private:
    bool matchCase_;
    std::string text_;
};

} // namespace

bool CellContains(std::string_view cell, std::string_view text, bool matchCase)
{
    return Needle(text, matchCase).IsIn(cell);
}

std::optional<GridPosition> FindNextCell(const GridCells &grid, int column, int row, std::string_view text,
                                         bool matchCase)
{
    SearchTexts texts;
    for (auto &byColumn : texts.Text) {
        for (std::optional<std::string> &each : byColumn)
            each = std::string(text);
    }
    return FindNextCell(grid, column, row, texts, matchCase);
}

std::optional<GridPosition> FindNextCell(const GridCells &grid, int column, int row, const SearchTexts &texts,
                                         bool matchCase)
{
    std::optional<Needle> needles[GridCells::ColumnCount][GridCells::EncodingCount];
    bool any = false;
    for (int c = 0; c < GridCells::ColumnCount; ++c) {
        for (int e = 0; e < GridCells::EncodingCount; ++e) {
            if (texts.Text[c][e] && !texts.Text[c][e]->empty()) {
                needles[c][e].emplace(*texts.Text[c][e], matchCase);
                any = true;
            }
        }
    }
    if (!any)
        return std::nullopt;
    const std::vector<std::string> &originals = grid.Column(0);
    const std::vector<std::string> &translations = grid.Column(1);
    const int last = grid.RowCount() - 1;
    auto isIn = [&](int cellColumn, int cellRow, const std::string &cell) {
        const std::optional<Needle> &needle = needles[cellColumn][grid.EncodingOf(cellColumn, cellRow)];
        return needle && needle->IsIn(cell);
    };
    auto matchesIn = [&](int candidateRow) -> std::optional<GridPosition> {
        const auto index = static_cast<std::size_t>(candidateRow);
        if (isIn(0, candidateRow, originals[index]))
            return GridPosition{0, candidateRow};
        if (isIn(1, candidateRow, translations[index]))
            return GridPosition{1, candidateRow};
        return std::nullopt;
    };

    if (row < 1 || row > last) {
        for (int candidate = 1; candidate <= last; ++candidate) {
            if (auto found = matchesIn(candidate))
                return found;
        }
        return std::nullopt;
    }

    if (column == 0 && isIn(1, row, translations[static_cast<std::size_t>(row)]))
        return GridPosition{1, row};
    for (int candidate = row == last ? 1 : row + 1; candidate != row;
         candidate = candidate == last ? 1 : candidate + 1) {
        if (auto found = matchesIn(candidate))
            return found;
    }
    return std::nullopt;
}

} // namespace verbaria
