#include "editor/core/TextSearch.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

using namespace verbaria;

namespace {

// Row 0 is the heading; the pairs fill rows 1, 2, ... as (original, translation).
GridCells Grid(std::initializer_list<std::pair<const char *, const char *>> rows)
{
    GridCells grid(static_cast<int>(rows.size()) + 1);
    grid.SetText(0, 0, "Original text heading");
    grid.SetText(1, 0, "New text heading");
    int row = 1;
    for (const auto &[original, translation] : rows) {
        grid.SetText(0, row, original);
        grid.SetText(1, row, translation);
        ++row;
    }
    return grid;
}

std::optional<GridPosition> At(int column, int row)
{
    return GridPosition{column, row};
}

} // namespace

TEST(CellContains, FoldsOnlyAsciiLettersWithoutMatchCase)
{
    EXPECT_TRUE(CellContains("xABCx", "abc", false));
    EXPECT_FALSE(CellContains("xABCx", "abc", true));
    EXPECT_TRUE(CellContains("xabcx", "abc", true));
    // c with caron in windows-1250: lower 0xE8, upper 0xC8.
    EXPECT_FALSE(CellContains("\xC8", "\xE8", false));
    EXPECT_TRUE(CellContains("\xE8", "\xE8", false));
    EXPECT_TRUE(CellContains("a\xE8Z", "A\xE8z", false));
    EXPECT_FALSE(CellContains("anything", "", false));
    EXPECT_FALSE(CellContains("", "", true));
    EXPECT_FALSE(CellContains("ab", "abc", false));
}

TEST(FindNextCell, NeverExaminesTheCurrentCell)
{
    const GridCells grid = Grid({{"a", "b"}, {"target", "c"}, {"d", "e"}});
    EXPECT_EQ(FindNextCell(grid, 0, 2, "target", false), std::nullopt);
}

TEST(FindNextCell, TranslationBesideTheCurrentCellComesFirst)
{
    const GridCells grid = Grid({{"x", "hit"}, {"hit", "hit"}});
    EXPECT_EQ(FindNextCell(grid, 0, 1, "hit", false), At(1, 1));
}

TEST(FindNextCell, FromTheTranslationTheNextRowsOriginalIsNext)
{
    GridCells grid(10);
    grid.SetText(0, 6, "only here");
    EXPECT_EQ(FindNextCell(grid, 1, 5, "only", false), At(0, 6));
    // From the translation of row 6 the original of row 6 is never examined.
    EXPECT_EQ(FindNextCell(grid, 1, 6, "only", false), std::nullopt);
}

TEST(FindNextCell, FromTheTranslationTheOriginalOfTheSameRowIsNotExamined)
{
    GridCells grid(10);
    grid.SetText(0, 5, "only here");
    EXPECT_EQ(FindNextCell(grid, 1, 5, "only", false), std::nullopt);
}

TEST(FindNextCell, WrapsFromTheLastRowToRowOne)
{
    const GridCells grid = Grid({{"", "wanted"}, {"", ""}, {"", ""}});
    EXPECT_EQ(FindNextCell(grid, 1, 3, "wanted", false), At(1, 1));
    EXPECT_EQ(FindNextCell(grid, 0, 2, "wanted", false), At(1, 1));
}

TEST(FindNextCell, SingleItemRow)
{
    const GridCells grid = Grid({{"same", "same"}});
    EXPECT_EQ(FindNextCell(grid, 0, 1, "same", false), At(1, 1));
    EXPECT_EQ(FindNextCell(grid, 1, 1, "same", false), std::nullopt);
}

TEST(FindNextCell, RepeatedSearchesWalkTheMatchesInReadingOrder)
{
    const GridCells grid = Grid({{"m", "-"}, {"-", "m"}, {"-", "-"}, {"m", "m"}});
    std::optional<GridPosition> at = GridPosition{1, 1};
    std::vector<GridPosition> visited;
    for (int step = 0; step < 5; ++step) {
        at = FindNextCell(grid, at->Column, at->Row, "M", false);
        ASSERT_TRUE(at);
        visited.push_back(*at);
    }
    const std::vector<GridPosition> expected = {{1, 2}, {0, 4}, {1, 4}, {0, 1}, {1, 2}};
    EXPECT_EQ(visited, expected);
}

TEST(FindNextCell, AppendedEmptyRowsAndEveryKindOfRowAreSearched)
{
    GridCells grid = Grid({{"section", ""}, {"comment", ""}});
    grid.AppendRow();
    grid.SetText(1, 3, "typed in an appended row");
    EXPECT_EQ(FindNextCell(grid, 0, 1, "appended", false), At(1, 3));
    EXPECT_EQ(FindNextCell(grid, 0, 3, "SECTION", false), At(0, 1));
}

TEST(FindNextCell, TheHeadingRowIsNeverExamined)
{
    const GridCells grid = Grid({{"a", "b"}, {"c", "d"}});
    EXPECT_EQ(FindNextCell(grid, 0, 1, "heading", false), std::nullopt);
}

// Without a current item row there is no row to come back to: every item row is examined once.
TEST(FindNextCell, WithoutACurrentItemRowTheWholeGridIsSearchedOnce)
{
    const GridCells grid = Grid({{"a", "b"}, {"c", "target"}});
    EXPECT_EQ(FindNextCell(grid, -1, -1, "target", false), At(1, 2));
    EXPECT_EQ(FindNextCell(grid, 0, 0, "a", false), At(0, 1));
    EXPECT_EQ(FindNextCell(grid, 1, 7, "c", false), At(0, 2));
    EXPECT_EQ(FindNextCell(grid, -1, -1, "absent", false), std::nullopt);

    const GridCells headingOnly(1);
    EXPECT_EQ(FindNextCell(headingOnly, 0, 0, "x", false), std::nullopt);
    EXPECT_EQ(FindNextCell(headingOnly, -1, -1, "x", false), std::nullopt);
    const GridCells empty(0);
    EXPECT_EQ(FindNextCell(empty, -1, -1, "x", false), std::nullopt);
}

TEST(FindNextCell, EmptySearchTextFindsNothing)
{
    const GridCells grid = Grid({{"a", "b"}, {"", ""}});
    EXPECT_EQ(FindNextCell(grid, 0, 1, "", false), std::nullopt);
    EXPECT_EQ(FindNextCell(grid, -1, -1, "", true), std::nullopt);
}
