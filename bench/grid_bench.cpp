// The data grid's bulk work: one million cells filled, saved and loaded, and
// the grid loaded into the fitting data.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "state/globals.h"
#include "app/grid_loader.h"
#include "platform/sparse_grid.h"

namespace {

constexpr long kRows = 1001, kCols = 1001;  // 1000 x 1000 data cells (the grid holds at most 65536 rows)

void fill(platform::SparseGrid& g) {
    for (long c = 1; c < kCols; ++c) g.SetText(0, c, "Var" + std::to_string(c));
    for (long r = 1; r < kRows; ++r)
        for (long c = 1; c < kCols; ++c) g.SetText(r, c, std::to_string(r * 1000 + c));
}

std::string benchFile() {
    return (std::filesystem::temp_directory_path() / ("trelvane_grid_bench_" + std::to_string(::getpid()) + ".cel"))
        .string();
}

void BM_FillMillionCells(benchmark::State& state) {
    for (auto _ : state) {
        platform::SparseGrid g(kRows, kCols);
        fill(g);
        benchmark::DoNotOptimize(g.CellCount());
    }
}
BENCHMARK(BM_FillMillionCells)->Unit(benchmark::kMillisecond);

// A filled grid and a file name for it, removed at the end of the run.
struct FilledGrid {
    platform::SparseGrid grid{kRows, kCols};
    std::string file = benchFile();
    std::string error;
    FilledGrid() { fill(grid); }
    ~FilledGrid() { std::filesystem::remove(file); }
};

void BM_SaveMillionCells(benchmark::State& state) {
    FilledGrid f;
    for (auto _ : state)
        if (!f.grid.SaveCel(f.file, f.error)) state.SkipWithError(f.error.c_str());
}
BENCHMARK(BM_SaveMillionCells)->Unit(benchmark::kMillisecond);

void BM_LoadMillionCells(benchmark::State& state) {
    FilledGrid f;
    f.grid.SaveCel(f.file, f.error);
    for (auto _ : state) {
        platform::SparseGrid back(2, 2);
        if (!back.LoadCel(f.file, f.error)) state.SkipWithError(f.error.c_str());
        benchmark::DoNotOptimize(back.CellCount());
    }
}
BENCHMARK(BM_LoadMillionCells)->Unit(benchmark::kMillisecond);

// LoadGridValues is LoadGridData without its message box. The grid holds at
// most 65536 rows, so a million numbers are 50,000 rows of 20 columns; the
// tallest grid of 10 columns is measured too.
void BM_LoadGridData(benchmark::State& state) {
    const long rows = state.range(0), cols = state.range(1);
    platform::SparseGrid g(rows + 1, cols + 1);
    for (long c = 1; c <= cols; ++c) g.SetText(0, c, "Var" + std::to_string(c));
    for (long r = 1; r <= rows; ++r)
        for (long c = 1; c <= cols; ++c) g.SetText(r, c, std::to_string(r) + "," + std::to_string(c));
    std::string message;
    for (auto _ : state)
        if (LoadGridValues(g, message) != GridLoad::Loaded) state.SkipWithError(message.c_str());
    state.SetItemsProcessed(state.iterations() * rows * cols);
}
BENCHMARK(BM_LoadGridData)->Args({50000, 20})->Args({65535, 10})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
