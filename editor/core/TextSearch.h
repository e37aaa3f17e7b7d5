#pragma once

#include "widgets/GridCells.h"

#include <optional>
#include <string>
#include <string_view>

// The find command's search over the grid's cells, as bytes in the files' code page.
namespace verbaria {

struct GridPosition
{
    int Column = 0;
    int Row = 0;

    bool operator==(const GridPosition &) const = default;
};

// True when cell holds text as a contiguous piece. Without matchCase only the ASCII letters a-z
// fold onto A-Z; letters with diacritics must match as they stand. An empty text is in no cell.
bool CellContains(std::string_view cell, std::string_view text, bool matchCase);

// The next cell after (column, row) that contains text, in reading order (row by row, the original
// before the translation), wrapping from the last row to row 1 and stopping on arriving back at
// the starting row; the starting cell itself is never examined, and neither is the original of
// the starting row when the search starts from the translation. Row 0, the heading, is never
// examined.
// When row is not an item row (no current cell, or a grid without item rows) there is no place to
// wrap back to, so the search examines every item row once from row 1 and then ends.
std::optional<GridPosition> FindNextCell(const GridCells &grid, int column, int row, std::string_view text,
                                         bool matchCase);

// The search text as each kind of cell holds it: by column and by the cell's encoding (its code
// page). Nullopt where that code page cannot hold the text, so no such cell contains it.
struct SearchTexts
{
    std::optional<std::string> Text[GridCells::ColumnCount][GridCells::EncodingCount];
};
std::optional<GridPosition> FindNextCell(const GridCells &grid, int column, int row, const SearchTexts &texts,
                                         bool matchCase);

} // namespace verbaria
