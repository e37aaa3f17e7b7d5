// Find and automatic completion over a grid of a million rows: a search that finds nothing visits
// every cell, and completion makes one pass over groups of repeated originals.
#include "editor/core/AutoCompletion.h"
#include "editor/core/TextSearch.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace verbaria;

namespace {

constexpr int Rows = 1'000'000;

GridCells MillionRows()
{
    GridCells grid(Rows + 1);
    for (int row = 1; row <= Rows; ++row) {
        // Every original stands in about four rows.
        grid.SetText(0, row, "MainForm.Panel" + std::to_string(row % (Rows / 4)) + ".Caption");
        grid.SetText(1, row, row % 3 == 0 ? std::string() : "Translated text " + std::to_string(row));
    }
    return grid;
}

const GridCells &SharedGrid()
{
    static const GridCells grid = MillionRows();
    return grid;
}

void FindNothingIgnoringCase(benchmark::State &state)
{
    const GridCells &grid = SharedGrid();
    for (auto _ : state)
        benchmark::DoNotOptimize(FindNextCell(grid, 0, 1, "not in any cell", false));
}
BENCHMARK(FindNothingIgnoringCase)->Unit(benchmark::kMillisecond);

void FindNothingMatchingCase(benchmark::State &state)
{
    const GridCells &grid = SharedGrid();
    for (auto _ : state)
        benchmark::DoNotOptimize(FindNextCell(grid, 0, 1, "not in any cell", true));
}
BENCHMARK(FindNothingMatchingCase)->Unit(benchmark::kMillisecond);

void FindInTheLastRow(benchmark::State &state)
{
    GridCells grid = SharedGrid();
    grid.SetText(1, Rows, "the wanted word");
    for (auto _ : state)
        benchmark::DoNotOptimize(FindNextCell(grid, 1, 1, "WANTED", false));
}
BENCHMARK(FindInTheLastRow)->Unit(benchmark::kMillisecond);

void CompleteMillionRows(benchmark::State &state)
{
    // The copy is made, and the one before it freed, outside the timing: only the pass counts.
    GridCells grid;
    for (auto _ : state) {
        state.PauseTiming();
        grid = SharedGrid();
        state.ResumeTiming();
        benchmark::DoNotOptimize(CompleteTranslations(grid, "Chyba: Polo\x9Eka nenalezena"));
    }
}
BENCHMARK(CompleteMillionRows)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
