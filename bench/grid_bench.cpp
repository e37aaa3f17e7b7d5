// The string grid with a million rows: filling the cells, resetting the model and the first paint.
#include "editor/ui/TextTokens.h"
#include "widgets/GridCells.h"
#include "widgets/StringGrid.h"
#include "widgets/StringGridModel.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <string>

using namespace Qt::StringLiterals;
using namespace verbaria;

namespace {

constexpr int Rows = 1'000'001;

void Fill(GridCells &cells)
{
    GridBatch batch(cells);
    cells.SetRowCount(Rows);
    for (int row = 1; row < Rows; ++row) {
        cells.SetText(0, row, "Polo\x9eka " + std::to_string(row));
        cells.SetEditable(0, row, false);
        cells.SetBackground(0, row, CellColour::Of(MakeRgb(204, 203, 245)));
    }
}

// A new document in a grid already on screen: one model reset, then what the user sees first.
void BM_ResetAndFirstPaint(benchmark::State &state)
{
    StringGrid grid;
    GridCells cells(1);
    grid.SetCells(cells);
    grid.resize(800, 600);
    grid.show();
    GridCells filled;
    Fill(filled);
    for (auto _ : state) {
        // Copying the cells is the document's work, not the grid's: only the announcement is timed.
        state.PauseTiming();
        cells.BeginBatch();
        cells.SetRowCount(1);
        cells = filled;
        state.ResumeTiming();
        cells.EndBatch(); // one AllChanged: the model resets once
        benchmark::DoNotOptimize(grid.grab());
    }
}
BENCHMARK(BM_ResetAndFirstPaint)->Unit(benchmark::kMillisecond);

// Giving a new grid its cells and painting it.
void BM_SetCellsAndFirstPaint(benchmark::State &state)
{
    GridCells cells;
    Fill(cells);
    for (auto _ : state) {
        StringGrid grid;
        grid.resize(800, 600);
        grid.SetCells(cells);
        grid.show();
        benchmark::DoNotOptimize(grid.grab());
    }
}
BENCHMARK(BM_SetCellsAndFirstPaint)->Unit(benchmark::kMillisecond);

// Jumping to the end of the grid and painting there.
// Jumps between the first and the last row, painting the whole grid after each jump.
void ScrollToEndAndPaint(benchmark::State &state, StringGrid &grid)
{
    grid.show();
    bool atEnd = false;
    for (auto _ : state) {
        atEnd = !atEnd;
        grid.SetCurrentCell(1, atEnd ? Rows - 1 : 1);
        benchmark::DoNotOptimize(grid.grab());
    }
}

void BM_ScrollToEndAndPaint(benchmark::State &state)
{
    GridCells cells;
    Fill(cells);
    StringGrid grid;
    grid.resize(800, 600);
    grid.SetCells(cells);
    ScrollToEndAndPaint(state, grid);
}
BENCHMARK(BM_ScrollToEndAndPaint)->Unit(benchmark::kMillisecond);

// The same with the editor's marks of placeholders and markup, every row holding some.
void BM_ScrollToEndAndPaintWithTokenMarks(benchmark::State &state)
{
    GridCells cells;
    Fill(cells);
    for (int row = 1; row < Rows; ++row)
        cells.SetText(1, row, "File %1 has <b>%2</b> lines of {name} " + std::to_string(row));
    StringGrid grid;
    grid.resize(800, 600);
    grid.SetCells(cells);
    grid.SetTextMarks(&CellTokenMarks);
    ScrollToEndAndPaint(state, grid);
}
BENCHMARK(BM_ScrollToEndAndPaintWithTokenMarks)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
