// The data grid's bulk work: one million cells filled, saved and loaded, and
// the grid loaded into the fitting data; the memory peak of loading a 200 MB
// *.cel file of 1.2 million cells, and the text and the save of such a grid.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

// Every allocation of the program's own code goes through operator new: these
// count the bytes in use and their peak.
namespace heap {
std::atomic<long long> inUse{0}, peak{0};
void* take(std::size_t n) {
    void* p = std::malloc(n ? n : 1);
    if (!p) throw std::bad_alloc();
    const long long now = inUse += static_cast<long long>(malloc_usable_size(p));
    long long seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
    return p;
}
void give(void* p) {
    if (!p) return;
    inUse -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}
}  // namespace heap

void* operator new(std::size_t n) { return heap::take(n); }
void* operator new[](std::size_t n) { return heap::take(n); }
void operator delete(void* p) noexcept { heap::give(p); }
void operator delete[](void* p) noexcept { heap::give(p); }
void operator delete(void* p, std::size_t) noexcept { heap::give(p); }
void operator delete[](void* p, std::size_t) noexcept { heap::give(p); }

#include "state/globals.h"
#include "app/grid/grid_loader.h"
#include "platform/cel_format.h"
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

// A 200 MB file of 1.2 million cells of 160 characters (60,000 rows of 20
// columns), loaded into an empty grid. Counters: the file's size, the heap
// peak while loading (above what was in use before), and their ratio.
void BM_LoadLargeFilePeak(benchmark::State& state) {
    const std::string file = benchFile();
    {
        std::ofstream out(file, std::ios::binary);
        out << "TRELVANE-CEL 1\n60001 21\n";
        std::string text(160, 'x');
        for (long r = 1; r <= 60000; ++r)
            for (long c = 1; c <= 20; ++c) {
                text.replace(0, 12, std::to_string(r * 100 + c) + std::string(12, '.'), 0, 12);
                out << r << '\t' << c << '\t' << text << '\n';
            }
    }
    const double fileBytes = static_cast<double>(std::filesystem::file_size(file));
    double peakBytes = 0;
    std::string error;
    for (auto _ : state) {
        platform::SparseGrid g(2, 2);
        const long long before = heap::inUse.load();
        heap::peak = before;
        if (!g.LoadCel(file, error)) state.SkipWithError(error.c_str());
        peakBytes = static_cast<double>(heap::peak.load() - before);
        benchmark::DoNotOptimize(g.CellCount());
    }
    std::filesystem::remove(file);
    state.counters["file_MB"] = fileBytes / 1e6;
    state.counters["peak_MB"] = peakBytes / 1e6;
    state.counters["peak_per_file_size"] = peakBytes / fileBytes;
}
BENCHMARK(BM_LoadLargeFilePeak)->Unit(benchmark::kMillisecond)->Iterations(2);

// Save Data of 1.2 million cells of about 160 characters (60,000 rows of 20
// columns, a 200 MB file): building the file's text alone (whole, and in the
// pieces a save writes), and the whole save (text, writing, flushing to the disk).
struct LargeGrid {
    platform::SparseGrid grid{60001, 21};
    std::string file = benchFile();
    std::string error;
    LargeGrid() {
        std::string text(160, 'x');
        for (long r = 1; r <= 60000; ++r)
            for (long c = 1; c <= 20; ++c) {
                text.replace(0, 12, std::to_string(r * 100 + c) + std::string(12, '.'), 0, 12);
                text[80] = c == 7 ? '\t' : 'y';  // a few texts with a character to escape
                grid.SetText(r, c, text);
            }
    }
    ~LargeGrid() { std::filesystem::remove(file); }
};

void BM_FormatLargeGrid(benchmark::State& state) {
    LargeGrid g;
    for (auto _ : state) benchmark::DoNotOptimize(platform::FormatCel(g.grid).size());
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(platform::FormatCel(g.grid).size()));
}
BENCHMARK(BM_FormatLargeGrid)->Unit(benchmark::kMillisecond)->Iterations(3);

// The text as a save makes it: one piece of about 1 MiB at a time.
void BM_FormatLargeGridInPieces(benchmark::State& state) {
    LargeGrid g;
    long long bytes = 0;
    for (auto _ : state)
        platform::FormatCelPieces(g.grid, [&](std::string_view piece) {
            bytes += static_cast<long long>(piece.size());
            return true;
        });
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_FormatLargeGridInPieces)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SaveLargeGrid(benchmark::State& state) {
    LargeGrid g;
    for (auto _ : state)
        if (!g.grid.SaveCel(g.file, g.error)) state.SkipWithError(g.error.c_str());
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(std::filesystem::file_size(g.file)));
}
BENCHMARK(BM_SaveLargeGrid)->Unit(benchmark::kMillisecond)->Iterations(3);

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
