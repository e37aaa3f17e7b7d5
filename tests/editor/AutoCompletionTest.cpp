#include "editor/core/AutoCompletion.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace verbaria;

namespace {

const std::string Placeholder = "Chyba: Polo\x9Eka nenalezena";

// The rule in its literal form: every ordered pair of distinct rows, in place, in ascending order.
// Quadratic, so it serves only as the reference for the hash pass.
void PairwiseReference(GridCells &grid, const std::string &placeholder)
{
    const int last = grid.RowCount() - 1;
    for (int target = 1; target <= last; ++target) {
        for (int source = 1; source <= last; ++source) {
            if (source == target)
                continue;
            const std::string &original = grid.Text(0, target);
            if (!original.empty() && original != placeholder && original == grid.Text(0, source))
                grid.SetText(1, target, grid.Text(1, source));
        }
    }
}

GridCells Grid(const std::vector<std::pair<std::string, std::string>> &rows)
{
    GridCells grid(static_cast<int>(rows.size()) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        grid.SetText(0, static_cast<int>(i) + 1, rows[i].first);
        grid.SetText(1, static_cast<int>(i) + 1, rows[i].second);
    }
    return grid;
}

std::vector<std::string> Translations(const GridCells &grid)
{
    return {grid.Column(1).begin() + 1, grid.Column(1).end()};
}

} // namespace

TEST(AutoCompletion, GroupsTakeTheTranslationOfTheirLastRow)
{
    GridCells firstTranslated = Grid({{"Soubor", "File"}, {"Soubor", ""}});
    CompleteTranslations(firstTranslated, Placeholder);
    EXPECT_EQ(Translations(firstTranslated), (std::vector<std::string>{"", ""}));

    GridCells secondTranslated = Grid({{"Soubor", ""}, {"Soubor", "File"}});
    CompleteTranslations(secondTranslated, Placeholder);
    EXPECT_EQ(Translations(secondTranslated), (std::vector<std::string>{"File", "File"}));

    GridCells three = Grid({{"A", "1"}, {"x", "keep"}, {"A", "2"}, {"A", "3"}});
    EXPECT_EQ(CompleteTranslations(three, Placeholder), 2);
    EXPECT_EQ(Translations(three), (std::vector<std::string>{"3", "keep", "3", "3"}));
}

TEST(AutoCompletion, EmptyOriginalsAndPlaceholderRowsAreNeverFilled)
{
    GridCells grid = Grid({{"", "a"}, {"", "b"}, {Placeholder, "c"}, {Placeholder, "d"}, {"", ""}});
    EXPECT_EQ(CompleteTranslations(grid, Placeholder), 0);
    EXPECT_EQ(Translations(grid), (std::vector<std::string>{"a", "b", "c", "d", ""}));
}

TEST(AutoCompletion, OriginalsCompareByteForByte)
{
    GridCells grid = Grid({{"Open", "1"}, {"open", "2"}, {"Open ", "3"}, {"\xC8", "4"}, {"\xE8", "5"}});
    EXPECT_EQ(CompleteTranslations(grid, Placeholder), 0);
    EXPECT_EQ(Translations(grid), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
}

TEST(AutoCompletion, HeadingRowAndSmallGridsStayAsTheyAre)
{
    GridCells grid = Grid({{"A", "only"}});
    grid.SetText(0, 0, "A");
    grid.SetText(1, 0, "heading");
    CompleteTranslations(grid, Placeholder);
    EXPECT_EQ(grid.Text(1, 0), "heading");
    EXPECT_EQ(grid.Text(1, 1), "only");
    GridCells empty(0);
    EXPECT_EQ(CompleteTranslations(empty, Placeholder), 0);
}

// Few distinct originals make large groups; placeholders, empty originals and texts differing
// only by case or a trailing blank are mixed in.
TEST(AutoCompletion, MatchesThePairwisePassOnRandomGrids)
{
    std::mt19937 random(20030612);
    const std::vector<std::string> originals = {"",          "",          "Soubor", "soubor", "Soubor ",
                                                "Ulo\x9Eit", Placeholder, "Konec",  "K",      "k"};
    const std::vector<std::string> translations = {"", "File", "Save", "Exit", "x", "\xC8"};
    for (int round = 0; round < 300; ++round) {
        const int rows = std::uniform_int_distribution<int>(0, 40)(random);
        std::vector<std::pair<std::string, std::string>> content;
        for (int row = 0; row < rows; ++row) {
            content.emplace_back(originals[random() % originals.size()],
                                 translations[random() % translations.size()]);
        }
        GridCells hashed = Grid(content);
        GridCells reference = Grid(content);
        CompleteTranslations(hashed, Placeholder);
        PairwiseReference(reference, Placeholder);
        ASSERT_EQ(Translations(hashed), Translations(reference)) << "round " << round;
        ASSERT_EQ(hashed.Column(0), reference.Column(0));
    }
}
